#!/usr/bin/env bash
# The copy service's rooms depend only downward: the shell's face on the windows
# and the engine, the windows on the engine, the engine on its file-system seam,
# and the seam on nothing of ours. The copy command's terminal units stand on the
# engine alone, its windowed form (copy-command/window) on the windows too. The
# engine and the command's terminal units use no Qt, and a program built on them
# alone loads no Qt library.
# Usage: rooms.sh SOURCE_ROOT [ENGINE_ONLY_PROGRAM...]
set -euo pipefail
root=$1
shift
status=0
# Sub-folders that are rooms of their own, with rules of their own.
apart=(copy-command/window)

# check ROOM ALLOWED_PREFIX... : every project include in ROOM starts with an allowed prefix.
check() {
  local room=$1
  shift
  local line target ok p a
  local skip=()
  for a in "${apart[@]}"; do [[ $a == "$room"/* ]] && skip+=(--exclude-dir="${a##*/}"); done
  while IFS= read -r line; do
    target=${line#*\"}
    target=${target%%\"*}
    ok=0
    for p in "$@"; do [[ $target == "$p"* ]] && ok=1; done
    if ((!ok)); then
      echo "rooms: ${line%%:*} includes $target, which $room may not" >&2
      status=1
    fi
  done < <(grep -rHn "${skip[@]}" --include='*.h' --include='*.cpp' '^#include "platform/' "$root/$room" | sed "s#^$root/##")
}

check platform/copy/fs platform/copy/fs/
check platform/copy platform/copy/
check platform/copy-ui platform/copy/ platform/copy-ui/
check platform/shell platform/copy/ platform/copy-ui/ platform/shell/
check copy-command platform/copy/
check copy-command/window platform/copy/ platform/copy-ui/

if grep -rHn --include='*.h' --include='*.cpp' '^#include <Q' "$root/platform/copy"; then
  echo "rooms: the engine includes Qt" >&2
  status=1
fi
if grep -rHn --exclude-dir=window --include='*.h' --include='*.cpp' '^#include <Q' "$root/copy-command"; then
  echo "rooms: the copy command's terminal units include Qt" >&2
  status=1
fi

for program in "$@"; do
  if ldd "$program" | grep -i 'libQt'; then
    echo "rooms: $program loads Qt" >&2
    status=1
  fi
done
exit $status
