#!/usr/bin/env bash
# quintaro-copy copies, says and exits as its documentation says: each case is a
# command line, the exit code it must give, and what must then hold (nothing on
# stderr on success, one line per item left out, nothing made by a request that
# cannot be carried out or a wrong command line). Then SIGINT mid-copy (exit 5, no
# temporary left) and the windowed form, offscreen: a clean copy, and SIGTERM
# while it waits for an answer.
# Usage: quintaro_copy.sh PATH/TO/quintaro-copy
set -euo pipefail
command=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The trash and the history of copies stay in the scratch folder.
export XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state
mkdir -p src/sub dst-made
printf a > src/a
printf b > src/sub/b
printf c > c.txt
printf d > -dash
mkdir devsrc
printf kept > devsrc/kept
# A device node cannot be copied; only root may make one. Its name holds a newline,
# an 8-bit terminal control as UTF-8 (U+009B) and as a bare byte, which the report
# must not pass on.
mknod devsrc/$'de\n\xc2\x9b\x9bv' c 1 3 2>/dev/null || exit 77

failed=0
fail() {
  echo "quintaro_copy: $*" >&2
  sed 's/^/  stderr: /' err >&2
  failed=$((failed + 1))
}

# What must hold after each case.
copied_both() { cmp src/a dst1/src/a && cmp src/sub/b dst1/src/sub/b && cmp c.txt dst1/c.txt && [[ ! -s err && ! -s out ]]; }
device_left_out() {
  [[ $(wc -l <err) -eq 1 ]] && grep -q '^quintaro-copy: left out: .*devsrc/de???v: .' err && cmp devsrc/kept dst2/devsrc/kept
}
verified() { cmp src/sub/b dst8/src/sub/b && cmp c.txt dst8/c.txt && [[ ! -s err ]]; }
nothing_trashed() { copied_both && [[ -z $(ls -A data/Trash/files 2>/dev/null) ]]; }
nothing_inside() { [[ ! -e src/sub/in ]] && grep -q '^quintaro-copy: Cannot copy .*inside it' err; }
usage_said() { grep -q '^usage: quintaro-copy' err && [[ ! -e dst4 ]]; }
# A name is taken as it is: one that names nothing is an error, never a pattern.
taken_as_named() { [[ ! -e dst9 ]] && grep -q '^quintaro-copy: Cannot copy .*?\.txt.*cannot be found' err; }
cancel_said() { grep -q '^quintaro-copy: cancelled at .*devsrc/de???v: ' err; }

# expected code | check | arguments
cases=(
  "0|copied_both|src c.txt dst1"
  "0|nothing_trashed|--answers same=skip src c.txt dst1"
  "0|verified|--verify src c.txt dst8"
  "4|device_left_out|devsrc dst2"
  "1|nothing_inside|src src/sub/in"
  "1|taken_as_named|?.txt dst9"
  "2|usage_said|src"
  "2|usage_said|--bogus src dst4"
  "2|usage_said|--answers replace=maybe src dst4"
  "2|usage_said|--answers"
  "2|usage_said|--choose-destination"
  "5|cancel_said|--answers error=cancel devsrc dst5"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r expected check arguments <<<"$entry"
  read -ra args <<<"$arguments"
  set +e
  "$command" "${args[@]}" >out 2>err
  code=$?
  set -e
  if [[ $code -ne $expected ]]; then
    fail "quintaro-copy $arguments: exit code $code, expected $expected"
  elif ! $check; then
    fail "quintaro-copy $arguments: $check does not hold"
  fi
done

# --undo-last puts back what the last copy replaced and trashes what it made; a
# second undo is refused.
mkdir dst7
printf old >dst7/c.txt
undo_checks=0
set +e
"$command" c.txt src dst7 >out 2>err
"$command" --undo-last >out 2>err
first=$?
"$command" --undo-last >out 2>err2
second=$?
set -e
if [[ $first -ne 0 || $(cat dst7/c.txt) != old || -e dst7/src ]]; then
  fail "--undo-last: exit code $first, or the old c.txt is not back, or the copied folder is still there"
elif [[ $second -ne 1 ]] || ! grep -q 'already undone' err2; then
  fail "--undo-last twice: exit code $second, expected 1 with 'already undone'"
fi
undo_checks=1

# SIGINT while a large file is written: cancelled, and nothing half-written left.
mkdir big dst6
head -c 512M /dev/zero | tr '\0' 'q' >big/data
set +e
"$command" big dst6 >out 2>err &
pid=$!
# The copy has begun once its folder is there; the file's data takes far longer.
for _ in $(seq 500); do [[ -d dst6/big ]] && break; sleep 0.01; done
kill -INT "$pid"
wait "$pid"
code=$?
set -e
leftover=$(find dst6 -name '.quintaro-partial-*' | head -1)
if [[ $code -ne 5 ]]; then
  fail "SIGINT: exit code $code, expected 5"
elif [[ -n $leftover ]]; then
  fail "SIGINT: a temporary file was left: $leftover"
elif [[ -e dst6/big/data ]] && ! cmp -s big/data dst6/big/data; then
  fail "SIGINT: a half-written file has the final name"
fi
rm -rf big dst6

# The windowed form, started by --progress, into a folder that exists (a missing
# one is asked about, and nobody answers offscreen); a name after "--" that looks
# like an option reaches it as a name.
set +e
QT_QPA_PLATFORM=offscreen timeout 60 "$command" --progress -- src -dash dst-made >out 2>err
code=$?
set -e
if [[ $code -ne 0 ]]; then
  fail "--progress: exit code $code, expected 0"
elif ! cmp src/sub/b dst-made/src/sub/b || ! cmp -- -dash dst-made/-dash; then
  fail "--progress: the copy is not there"
fi

# A signal while the windowed form waits for a person (the folder window of
# --choose-destination, the question whether to make a missing folder) cancels it.
waiting=("--choose-destination src" "--progress src not-there")
for arguments in "${waiting[@]}"; do
  read -ra args <<<"$arguments"
  QT_QPA_PLATFORM=offscreen timeout 60 "$command" "${args[@]}" >out 2>err &
  pid=$!
  sleep 1
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    fail "$arguments: ended before anyone answered"
    continue
  fi
  kill -TERM "$pid"
  set +e
  wait "$pid"
  code=$?
  set -e
  if [[ $code -ne 5 ]]; then
    fail "$arguments: exit code $code after SIGTERM, expected 5"
  elif [[ -e not-there ]]; then
    fail "$arguments: the folder was made after all"
  fi
done

total=$((${#cases[@]} + 2 + ${#waiting[@]} + undo_checks))
echo "quintaro_copy: $((total - failed)) passed, $failed failed"
((failed == 0))
