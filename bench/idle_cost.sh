#!/usr/bin/env bash
# What the main window costs while nobody touches it: the program runs under its own
# Xvfb, the pointer rests (a) on the "Copy File..." button, (b) on the window away from
# any button, (c) outside the window; for each, after a settling pause (the first one
# past the 10 s after which the focused box's caret rests), the program's
# processor time (user + system, all threads) and its wake-ups are counted over
# SECONDS, and the X server's processor time beside them. A wake-up is a voluntary
# context switch (a thread that slept, was woken and went back to sleep), summed over
# the program's threads; preemptions by other work on the machine do not count.
# Needs xvfb-run's Xvfb and xdotool. Usage: bench/idle_cost.sh PATH/TO/quintaro [SECONDS]
set -euo pipefail
program=$(realpath "$1")
seconds=${2:-30}
settle=3
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "idle_cost: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/idle-cost.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own: Xvfb picks a free number and writes it to the pipe.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
xvfb=$!
read -r -t 10 -u "$fd" display
export DISPLAY=:$display
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb XDG_STATE_HOME=$work/state XDG_CONFIG_HOME=$work/config
"$program" >"$work/program.log" 2>&1 &
pids+=($!)
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Quintaro 2\.0$' | head -1)
sleep 1

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'
}

# measure LABEL [PAUSE]: the averages over SECONDS with the pointer where it was put.
measure() {
  sleep "${2:-$settle}"
  local c0 s0 x0 c1 s1 x1
  c0=$(cpu "$app"); s0=$(switches "$app"); x0=$(cpu "$xvfb")
  sleep "$seconds"
  c1=$(cpu "$app"); s1=$(switches "$app"); x1=$(cpu "$xvfb")
  awk -v l="$1" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v t="$ticks" -v d="$seconds" \
    'BEGIN { printf "%-28s program %6.2f %% of a core, %7.1f wake-ups/s; X server %6.2f %%\n", l, 100 * c / t / d, s / d, 100 * x / t / d }'
}

# The button's centre in window pixels, from the form (twips, 15 to a pixel):
# left 5760 top 2160 width 1815 height 375.
xdotool mousemove --window "$window" 445 156
measure "pointer on Copy File..." 12
# On the form's empty middle, over no control.
xdotool mousemove --window "$window" 100 150
measure "pointer on the form"
xdotool mousemove 1020 760
measure "pointer outside the window"
