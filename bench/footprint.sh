#!/usr/bin/env bash
# Footprint of the running game under Xvfb: time from process start to the
# first drawn map, processor share at speed Normal with the mouse still over
# 10 s, and peak resident memory; with `soundtrack`, while the game's own
# tune plays ("Trilha sonora" checked, its making left to finish first).
#   footprint.sh <build folder> [soundtrack]
set -euo pipefail
BUILD=$(cd "${1:-build}" && pwd)
MODE=${2:-}
if [ -z "${ZV_FOOTPRINT_INSIDE_XVFB:-}" ]; then
  export ZV_FOOTPRINT_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$BUILD" "$MODE"
fi
unset QT_QPA_PLATFORM
export SDL_AUDIODRIVER=dummy
cd "$BUILD"
WORK=$(mktemp -d)
trap 'kill $PID 2>/dev/null; rm -rf "$WORK"' EXIT

# Focus must be given as soon as the window exists, or no frame runs.
xdotool mousemove 1000 700
START=$(date +%s%N)
./zolvorn >"$WORK/log" 2>&1 &
PID=$!
MAIN=""
TRIES=0
until [ -n "$MAIN" ]; do
  MAIN=$(xdotool search --onlyvisible --name '^Zol Vorn v0.1$' 2>/dev/null | head -1 || true)
  TRIES=$((TRIES + 1))
  # A game that could not start (no display, say) never shows its window.
  [ "$TRIES" -lt 600 ] || { echo "footprint: the game window never appeared:" >&2; cat "$WORK/log" >&2; exit 1; }
  [ -n "$MAIN" ] || sleep 0.05
done
xdotool windowfocus "$MAIN" 2>/dev/null || true
FIRST=""
POLLS=0
while [ -z "$FIRST" ]; do
  import -window root -crop 300x200+250+250 "$WORK/s.png" 2>/dev/null
  COLOURS=$(convert "$WORK/s.png" -format %k info:)
  [ "$COLOURS" -gt 20 ] && FIRST=$(date +%s%N)
  POLLS=$((POLLS + 1))
  # Without a window manager a focus request sent too early can be lost:
  # ask again now and then, and give up rather than hang.
  [ $((POLLS % 5)) -eq 0 ] && { xdotool windowfocus "$MAIN" 2>/dev/null || true; }
  [ "$POLLS" -lt 300 ] || { echo "footprint: the game never drew its map" >&2; exit 1; }
done
echo "first map on screen after $(( (FIRST - START) / 1000000 )) ms (upper bound; polled by screenshots)"

if [ "$MODE" = soundtrack ]; then
  xdotool windowfocus "$MAIN" 2>/dev/null || true
  xdotool key ctrl+shift+m
  sleep 6  # the tune is made on a worker thread, then starts
  echo "with the soundtrack playing"
fi
sleep 2
HZ=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "/proc/$PID/stat"; }
T0=$(ticks)
sleep 10
T1=$(ticks)
echo "processor over 10 s at Normal: $(awk -v d=$((T1 - T0)) -v hz="$HZ" 'BEGIN{printf "%.2f", 100 * d / hz / 10}') % of one core"
echo "peak resident memory: $(awk '/VmHWM/{print $2, $3}' "/proc/$PID/status")"
