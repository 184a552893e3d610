#!/usr/bin/env bash
# The copy speed table: copybench against `cp -r SOURCE DEST && sync -f DEST` (the same
# durability), side by side in one run on the disk of BENCH_DIR, and copybench
# --verify against copybench. Trees: 5,000 files of 100 B-16 KiB in 50 folders,
# 20,000 such files in 100 folders, one 1 GiB file; the source is read once first so
# it is in the page cache. Each run copies into a folder of its own, and nothing is
# deleted until all runs are over (on an ext4 without a journal, files made within
# minutes of many deletions are several times slower to make, for both tools); the
# pairs alternate which goes first. Prints the median and range of each case in
# seconds. Needs about 17 GiB free.
# Usage: bench/copy_vs_cp.sh PATH/TO/copybench [BENCH_DIR] [PAIRS] [CASES]
# (CASES: some of small5k small20k big, space-separated; all three by default)
set -euo pipefail
bench=$(realpath "$1")
root=$(mktemp -d "${2:-${TMPDIR:-/tmp}}/copy-vs-cp.XXXXXX")
pairs=${3:-5}
cases=${4:-small5k small20k big}
# BENCH_KEEP=1 leaves the runs' folders for the caller to delete later (a deletion slows the next run, see below).
trap '[[ -n ${BENCH_KEEP-} ]] || rm -rf "$root"' EXIT
export XDG_DATA_HOME=$root/data XDG_STATE_HOME=$root/state

tree() { # folder, folders, files per folder
  local d f
  for d in $(seq "$2"); do
    mkdir -p "$1/d$d"
    for f in $(seq "$3"); do head -c $((100 + (d * 7919 + f * 104729) % 16285)) /dev/urandom >"$1/d$d/f$f"; done
  done
}
[[ $cases != *small5k* ]] || tree "$root/small5k" 50 100
[[ $cases != *small20k* ]] || tree "$root/small20k" 100 200
[[ $cases != *big* ]] || { mkdir "$root/big" && head -c $((1 << 30)) /dev/urandom >"$root/big/one.bin"; }
sync # the sources on the disk, not being written while the runs go
for source in $cases; do find "$root/$source" -type f -exec cat {} + >/dev/null; done

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); echo "$end - $start" | bc; }
fresh() { local to; to=$(mktemp -d "$root/out.XXXXXX"); sync; echo "$to"; }
run_cp() { local to; to=$(fresh); seconds sh -c 'cp -r "$1" "$2" && sync -f "$2"' sh "$1" "$to"; }
run_qc() { local to; to=$(fresh); seconds "$bench" "$1" "$to"; }
run_qv() { local to; to=$(fresh); seconds "$bench" --verify "$1" "$to"; }
stats() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { printf "%.3f s (%.3f-%.3f)", v[int((NR + 1) / 2)], v[1], v[NR] }'; }

for source in $cases; do
  declare -a C=() Q=() V=()
  for pair in $(seq "$pairs"); do
    verify=$([[ $source == small20k ]] && echo no || echo yes)
    if ((pair % 2)); then
      C+=("$(run_cp "$root/$source")"); Q+=("$(run_qc "$root/$source")")
      [[ $verify == no ]] || V+=("$(run_qv "$root/$source")")
    else
      [[ $verify == no ]] || V+=("$(run_qv "$root/$source")")
      Q+=("$(run_qc "$root/$source")"); C+=("$(run_cp "$root/$source")")
    fi
  done
  printf '%-9s cp -r + sync -f %s  copybench %s' "$source" "$(stats "${C[@]}")" "$(stats "${Q[@]}")"
  ((${#V[@]})) && printf '  copybench --verify %s' "$(stats "${V[@]}")"
  echo
done
