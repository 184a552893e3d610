#!/usr/bin/env bash
# Runs Qt Test programs under a real Wayland compositor with a seat: weston's X11
# backend (pixman renderer, kiosk shell, one 640 x 480 output) inside its own Xvfb.
# Weston's headless backend has no seat at all, so no pointer could enter or leave
# there. Each program gets QT_QPA_PLATFORM=wayland and, in QUINTARO_SEAT_DISPLAY,
# QUINTARO_SEAT_WINDOW, QUINTARO_SEAT_WIDTH and QUINTARO_SEAT_HEIGHT, the X display
# and weston's X window through which xdotool moves the seat's pointer.
# Usage: tests/wayland/run.sh TEST_PROGRAM...   Exit 77 when a tool is missing.
set -euo pipefail
for tool in Xvfb weston xdotool; do
  command -v "$tool" >/dev/null || { echo "wayland: $tool is missing" >&2; exit 77; }
done
width=640 height=480

work=$(mktemp -d "${TMPDIR:-/tmp}/wayland-seat.XXXXXX")
chmod 700 "$work"
pids=()
# Weston first, then its X server.
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 10 -u "$fd" display
export DISPLAY=:$display XDG_RUNTIME_DIR=$work
weston --backend=x11-backend.so --use-pixman --width=$width --height=$height --shell=kiosk-shell.so \
  --socket=wayland-seat --no-config --idle-time=0 --log="$work/weston.log" &
pids+=($!)
for _ in $(seq 100); do
  [[ -S $work/wayland-seat ]] && seat_window=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -1) &&
    [[ -n $seat_window ]] && break
  sleep 0.1
done
[[ -n ${seat_window:-} ]] || { echo "wayland: weston did not start" >&2; cat "$work/weston.log" >&2; exit 1; }

# One test program, its output passed through. QtWayland 6.4 can hang at exit, in
# its display's teardown (~QWaylandDisplay waits for its event thread, which waits
# in wl_display_read_events for a read the main thread prepared and never makes):
# about one run in six on a fully loaded machine, none in twenty on a quiet one. By
# then the program has printed its verdict, so a program still running 5 s after it
# did is ended and judged by its totals line.
run_one() {
  local log=$work/output
  env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-seat \
    QUINTARO_SEAT_DISPLAY=":$display" QUINTARO_SEAT_WINDOW="$seat_window" \
    QUINTARO_SEAT_WIDTH=$width QUINTARO_SEAT_HEIGHT=$height "$1" >"$log" 2>&1 &
  local pid=$! left=50 rc=0
  while kill -0 "$pid" 2>/dev/null; do
    if grep -q '^\*\*\*\*\*\*\*\*\* Finished testing' "$log" && ((--left == 0)); then
      kill -9 "$pid"
      break
    fi
    sleep 0.1
  done
  { wait "$pid"; } 2>/dev/null || rc=$?
  cat "$log"
  if ((left == 0)); then
    echo "wayland: $(basename "$1") did not exit after its verdict (QtWayland's teardown); ended"
    grep -q '^Totals: [0-9]* passed, 0 failed' "$log"
    return
  fi
  return $rc
}

status=0
for program in "$@"; do
  run_one "$program" || status=1
done
exit $status
