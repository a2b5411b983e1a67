#!/usr/bin/env bash
# Footprint of the running game under Xvfb on a 1920 x 1080 screen:
#  - start-up: the time from starting the process to the first drawn map,
#    beside the same time for a bare Qt window showing a picture, medians
#    of STARTS starts of each, taken in turns in the same run; and the
#    processor time each had used by then, with the display server's over
#    the same span, which tells work from waiting;
#  - the share of one processor core taken by the game and by the display
#    server at speed Normal with the mouse still, over 10 s, with water in
#    view (a river or canal in any view), with none, and flooded (nearly all
#    of the view water, the most a frame animates), in the map view as it
#    opens and with "Mapa grande" (Ctrl+G) on the maximised window;
#  - the game's peak resident memory;
# with `soundtrack`, the idle scenes are measured while the game's own tune
# plays ("Trilha sonora" checked, its making left to finish first); with
# `ranch`, only the idle ranch is measured: pastures with herds in every
# view, "Fazenda viva" (Ctrl+E) checked before the load, so the economy comes
# with it, and one of its windows open (the toolbar's first button), beside
# the same scene with the option unchecked.
#   footprint.sh [build folder] [soundtrack|ranch]
# ZV_FOOTPRINT_STARTS sets the number of starts (10); ZV_FOOTPRINT_SHOTS a
# folder for screenshots of the ranch's scenes.
# Start-up is timed by zolvorn_firstpaint, which gives the focus to each new
# window as a window manager would (the game runs frames only while it is
# active) and watches the screen for the picture. The idle scenes are saved
# games loaded with Ctrl+L; "Mapa grande" has an effect once the game has it.
set -euo pipefail
BUILD=$(cd "${1:-build}" && pwd)
MODE=${2:-}
STARTS=${ZV_FOOTPRINT_STARTS:-10}
if [ -z "${ZV_FOOTPRINT_INSIDE_XVFB:-}" ]; then
  export ZV_FOOTPRINT_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" bash "$0" "$BUILD" "$MODE"
fi
unset QT_QPA_PLATFORM
export SDL_AUDIODRIVER=dummy
for tool in zolvorn zolvorn_bare zolvorn_firstpaint zolvorn_scene; do
  [ -x "$BUILD/$tool" ] || { echo "footprint: $BUILD/$tool is missing; build it first" >&2; exit 1; }
done

# The game reads data/ and mapa.map from its working folder: give it one of
# its own, so no saved game of the player's is touched.
WORK=$(mktemp -d)
PID=""
stop() {
  if [ -n "$PID" ]; then
    kill "$PID" 2>/dev/null || true
    while kill -0 "$PID" 2>/dev/null; do sleep 0.05; done
  fi
  PID=""
}
trap 'stop; rm -rf "$WORK"' EXIT
ln -s "$BUILD/data" "$WORK/data"
cd "$WORK"

# Where the picture is looked for: inside the bare window's picture and
# inside the map view, clear of the tool palette.
REGION="250 250 300 200"
# Processor time of a process in nanoseconds, summed over its threads.
cputime() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{t += $1} END {printf "%.0f", t}'; }
XVFB=$(pgrep -n -f "^Xvfb ${DISPLAY} " || pgrep -n -f "Xvfb ${DISPLAY}")
# Starts a program, waits for its picture; sets PID, SHOWN (ms), CPU (the
# program's processor time until then, ms) and SERVER (the display server's
# over the same span, ms, answering the timer's screen reads included, which
# cost the same for every program).
start() {
  local line x0
  x0=$(cputime "$XVFB")
  line=$("$BUILD/zolvorn_firstpaint" $REGION -- "$@") || { echo "footprint: $1 never showed its picture" >&2; exit 1; }
  SERVER=$(awk -v a="$x0" -v b="$(cputime "$XVFB")" 'BEGIN{printf "%.1f", (b - a) / 1e6}')
  PID=$(awk '{print $6}' <<<"$line")
  SHOWN=$(awk '{print $4}' <<<"$line")
  CPU=$(awk '{print $8}' <<<"$line")
}
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
share() { awk -v d="$1" 'BEGIN{printf "%.2f", 100 * d / 1e9 / 10}'; }
# Median over three runs of 10 s: one run can catch a neighbour's burst.
idle() {
  sleep 2
  local run g0 x0 g1 x1 games=() servers=() totals=()
  for run in 1 2 3; do
    g0=$(cputime "$PID"); x0=$(cputime "$XVFB")
    sleep 10
    g1=$(cputime "$PID"); x1=$(cputime "$XVFB")
    games+=("$(share $((g1 - g0)))"); servers+=("$(share $((x1 - x0)))"); totals+=("$(share $((g1 - g0 + x1 - x0)))")
  done
  echo "  $1: game $(printf '%s\n' "${games[@]}" | median) %, display server $(printf '%s\n' "${servers[@]}" | median) %," \
    "together $(printf '%s\n' "${totals[@]}" | median) % of one core (runs: ${totals[*]})"
}

if [ "$MODE" = ranch ]; then
  echo "processor at Normal, mouse still over the map, over 10 s, the ranch's scene:"
  xdotool mousemove 400 300
  "$BUILD/zolvorn_scene" ranch mapa.map
  for living in off on; do
    start "$BUILD/zolvorn"
    if [ "$living" = on ]; then
      xdotool key --clearmodifiers ctrl+e
      xdotool key --clearmodifiers ctrl+l
      # The toolbar's first button, "Compra", below the menu bar.
      xdotool mousemove 24 37 click 1 mousemove 400 300
    else
      xdotool key --clearmodifiers ctrl+l
    fi
    idle "Fazenda viva $living, map view as it opens"
    # ZV_FOOTPRINT_SHOTS names a folder for a look at what was measured.
    [ -n "${ZV_FOOTPRINT_SHOTS:-}" ] && import -window root "$ZV_FOOTPRINT_SHOTS/ranch-$living.png"
    xdotool key --clearmodifiers ctrl+g
    idle "Fazenda viva $living, Mapa grande"
    echo "peak resident memory: $(awk '/VmHWM/{print $2, $3}' "/proc/$PID/status")"
    stop
  done
  echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
  exit 0
fi

BARE=() GAME=() BARE_CPU=() GAME_CPU=() BARE_SERVER=() GAME_SERVER=()
for ((i = 0; i < STARTS; i++)); do
  start "$BUILD/zolvorn_bare"; BARE+=("$SHOWN"); BARE_CPU+=("$CPU"); BARE_SERVER+=("$SERVER"); stop
  start "$BUILD/zolvorn"; GAME+=("$SHOWN"); GAME_CPU+=("$CPU"); GAME_SERVER+=("$SERVER"); stop
done
BARE_MEDIAN=$(printf '%s\n' "${BARE[@]}" | median)
GAME_MEDIAN=$(printf '%s\n' "${GAME[@]}" | median)
echo "start-up, bare window's picture: ${BARE[*]} ms; median $BARE_MEDIAN ms"
echo "start-up, game's first map:      ${GAME[*]} ms; median $GAME_MEDIAN ms"
echo "start-up ratio game / bare: $(awk -v g="$GAME_MEDIAN" -v b="$BARE_MEDIAN" 'BEGIN{printf "%.2f", g / b}')"
echo "start-up, processor time until the picture (medians): bare $(printf '%s\n' "${BARE_CPU[@]}" | median) ms," \
  "game $(printf '%s\n' "${GAME_CPU[@]}" | median) ms; display server meanwhile" \
  "$(printf '%s\n' "${BARE_SERVER[@]}" | median) and $(printf '%s\n' "${GAME_SERVER[@]}" | median) ms"

echo "processor at Normal, mouse still over the map, over 10 s$([ "$MODE" = soundtrack ] && echo ", with the soundtrack playing"):"
xdotool mousemove 400 300
for scene in dry water flooded; do
  "$BUILD/zolvorn_scene" "$scene" mapa.map
  start "$BUILD/zolvorn"
  xdotool key --clearmodifiers ctrl+l
  if [ "$MODE" = soundtrack ]; then
    xdotool key --clearmodifiers ctrl+shift+m
    sleep 6  # the tune is made on a worker thread, then starts
  fi
  idle "$scene, map view as it opens"
  xdotool key --clearmodifiers ctrl+g
  idle "$scene, Mapa grande"
  [ "$scene" = flooded ] && echo "peak resident memory: $(awk '/VmHWM/{print $2, $3}' "/proc/$PID/status")"
  stop
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
