#!/usr/bin/env bash
# Builds the example against an installed prefix only (not the source tree) and
# runs it: the buttons its .ui file lays out must come up with their looks.
# check-example.sh EXAMPLE_SOURCE PREFIX WORK_DIR
set -euo pipefail
src=$1 prefix=$2 work=$3
rm -rf "$work"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$src" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF "${launcher[@]}" >/dev/null
cmake --build "$work" >/dev/null
out=$(QT_QPA_PLATFORM=offscreen "$work/vbbutton-demo" --list)
echo "$out"
expected="standardButton btStandard
roundButton btRoundGradient
ovalButton btOval
hotButton btHotSelect
closeButton btFlat"
[[ $out == "$expected" ]] || { echo "FAIL: expected"$'\n'"$expected" >&2; exit 1; }
libs=$(ldd "$work/vbbutton-demo")
grep -q "$prefix/.*libquintaro-vbbutton.so.2" <<<"$libs" \
  || { echo "FAIL: the example does not use the installed library" >&2; exit 1; }
