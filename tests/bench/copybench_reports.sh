#!/usr/bin/env bash
# copybench tells the truth about a copy: bytes count the data written (a sparse
# file's holes are not copied data), an item left out is listed and gives exit
# code 4, and "--" lets a source name start with a dash. --answers error=cancel
# ends the request at the first error (exit code 1), and SIGINT cancels a copy
# under way like the window's Cancel: exit code 5, no temporary file left.
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

set +e
"$copybench" --answers error=cancel -- -src dst2 >out 2>err
code=$?
set -e
[[ $code -eq 1 ]] || fail "exit code $code with error=cancel, expected 1 (cancelled by an answer)"
set +e
"$copybench" --threads many -- -src dst4 >out 2>err
code=$?
set -e
[[ $code -eq 2 && ! -e dst4 ]] || fail "exit code $code with --threads many, expected 2 (bad usage) and nothing made"

# Enough data that the signal lands while it is being copied.
mkdir big dst3
head -c 256M /dev/zero | tr '\0' 'q' > big/data
set +e
"$copybench" --threads 1 --fsync-each -- big dst3 >out 2>err &
pid=$!
# The copy has begun once its folder is there; the file's data takes far longer.
for _ in $(seq 500); do [[ -d dst3/big ]] && break; sleep 0.01; done
kill -INT "$pid"
wait "$pid"
code=$?
set -e
[[ $code -eq 5 ]] || fail "exit code $code after SIGINT, expected 5 (cancelled)"
leftover=$(find dst3 -name '*quintaro-partial*' | head -1)
[[ -z $leftover ]] || fail "a temporary file was left: $leftover"
if [[ -e dst3/big/data ]]; then cmp big/data dst3/big/data || fail "a half-written file has the final name"; fi
echo "copybench_reports: 4 passed, 0 failed"
