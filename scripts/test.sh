#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless: first the normal
# build, then the AddressSanitizer + UndefinedBehaviorSanitizer build.
# scripts/test.sh [default|asan|all]   (all is the default)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
jobs=$(nproc)

run_preset() {
  local preset=$1
  echo "== $preset build =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  # A test that fails is run once more before it counts as failed: on a loaded machine a
  # sanitizer build's window tests can miss a deadline once.
  ctest --preset "$preset" -j "$jobs" --repeat until-pass:2
}

case "${1:-all}" in
  default) run_preset default ;;
  asan) run_preset asan ;;
  all) run_preset default; run_preset asan ;;
  *) echo "usage: $0 [default|asan|all]" >&2; exit 2 ;;
esac
