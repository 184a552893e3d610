#!/usr/bin/env bash
# The cost of the copy's choices on a 20,000-file tree (200 folders of 100 files of
# 1-8 KiB), through quintaro-copy on the disk of BENCH_DIR, side by side in one run:
# a fresh copy; the same copy again over it with same=skip (every file is there
# with the same size and date); the same copy again replacing everything (the old
# files to the trash); and undoing a fresh copy and a replace. Five rounds, the order of the
# first three turned each round; medians in seconds.
# Usage: bench/copy_choices.sh PATH/TO/quintaro-copy [BENCH_DIR]
set -euo pipefail
command=$(realpath "$1")
root=$(mktemp -d "${2:-${TMPDIR:-/tmp}}/copy-choices.XXXXXX")
# BENCH_KEEP=1 leaves the runs' folders for the caller to delete later (a deletion slows the next run, see below).
trap '[[ -n ${BENCH_KEEP-} ]] || rm -rf "$root"' EXIT
export XDG_DATA_HOME=$root/data XDG_STATE_HOME=$root/state
src=$root/src
for d in $(seq 200); do
  mkdir -p "$src/d$d"
  for f in $(seq 100); do head -c $((1024 * (1 + (d * f) % 8))) /dev/urandom >"$src/d$d/f$f"; done
done

# Nothing is deleted until every run is over: on an ext4 without a journal a file
# made within minutes of many deletions waits while the kernel passes over each
# recently freed inode, which made the runs after a deletion several times slower.
# So each round has folders and a trash of its own.
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; end=$(date +%s.%N); echo "$end - $start" | bc; }
fresh() { sync; seconds "$command" "$src" "$root/fresh$round${1-}"; }
same() { sync; seconds "$command" --answers same=skip "$src" "$root/over$round"; }
replace() { sync; seconds "$command" --answers replace=yes "$src" "$root/over$round"; }

for round in 1 2 3 4 5; do
  mkdir "$root/over$round" "$root/fresh$round" "$root/fresh${round}u"
  "$command" "$src" "$root/over$round"
done
declare -a F S R U V
for round in 1 2 3 4 5; do
  export XDG_DATA_HOME=$root/data$round
  case $((round % 3)) in
    1) F+=("$(fresh)"); S+=("$(same)"); R+=("$(replace)") ;;
    2) S+=("$(same)"); R+=("$(replace)"); F+=("$(fresh)") ;;
    0) R+=("$(replace)"); F+=("$(fresh)"); S+=("$(same)") ;;
  esac
  # Undoing a fresh copy (one folder to the trash) and a replace of every file.
  fresh u >/dev/null
  U+=("$(seconds "$command" --undo-last)")
  replace >/dev/null
  V+=("$(seconds "$command" --undo-last)")
done
median() { printf '%s\n' "$@" | sort -n | sed -n 3p; }
f=$(median "${F[@]}"); s=$(median "${S[@]}"); r=$(median "${R[@]}"); u=$(median "${U[@]}"); v=$(median "${V[@]}")
printf 'fresh copy      %.3f s\n' "$f"
printf 'same=skip over  %.3f s  (%.2fx fresh)\n' "$s" "$(echo "$s / $f" | bc -l)"
printf 'replace all     %.3f s  (%.2fx fresh)\n' "$r" "$(echo "$r / $f" | bc -l)"
printf 'undo of fresh   %.3f s\n' "$u"
printf 'undo of replace %.3f s\n' "$v"
