#!/usr/bin/env bash
# copybench tells the truth about a copy: bytes count the data written (a sparse
# file's holes are not copied data), an item left out is listed and gives exit
# code 4, and "--" lets a source name start with a dash.
# Usage: copybench_reports.sh PATH/TO/copybench
set -euo pipefail
copybench=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -- -src dst
printf hello > -src/a
truncate -s 8M -- -src/sparse
printf x | dd of=-src/sparse bs=1 seek=4194304 conv=notrunc status=none
# A device node cannot be copied; only root may make one.
mknod -- -src/dev c 1 3 2>/dev/null || exit 77

set +e
"$copybench" -- -src dst >out 2>err
code=$?
set -e
fail() { echo "copybench_reports: $*" >&2; cat out err >&2; exit 1; }

[[ $code -eq 4 ]] || fail "exit code $code, expected 4 (finished with items left out)"
grep -q '^left out: .*-src/dev: ' err || fail "the device node is not listed as left out"
bytes=$(sed -n 's/.*bytes \([0-9]*\) .*/\1/p' out)
# 5 bytes of a plus the one block around the sparse file's only byte, never its 8 MiB.
((bytes >= 6 && bytes <= 5 + 65536)) || fail "bytes $bytes counts more than the data written"
cmp -- -src/a dst/-src/a || fail "a differs"
cmp -- -src/sparse dst/-src/sparse || fail "sparse differs"
[[ ! -e dst/-src/dev ]] || fail "the device node was copied"
echo "copybench_reports: 1 passed, 0 failed"
