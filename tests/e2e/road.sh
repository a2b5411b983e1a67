#!/usr/bin/env bash
# End to end: the real game under a virtual X server. Picks the earth tool on
# the palette, lays a road by dragging the mouse over the map view and checks
# the screen: the map must be there and the dragged strip must have changed;
# then saves and counts the road tiles in the saved game.
#   road.sh <zolvorn executable> <build folder> [screenshot folder]
set -euo pipefail

source "$(dirname "$0")/harness.sh"

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
PALETTE=$(find_window "Ferramentas") || fail "no palette window"
focus_window "$MAIN"
sleep 1

eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MAIN_X=$X MAIN_Y=$Y
eval "$(xdotool getwindowgeometry --shell "$PALETTE")"
PAL_X=$X PAL_Y=$Y

# The map view lives inside the main window, right of the palette. Its
# drawing surface covers the middle of the screen.
shot() { import -window root "$1"; }
region() { convert "$1" -crop "$2" +repage "$3"; }
shot "$SHOTS/start.png"
COLOURS=$(convert "$SHOTS/start.png" -crop 500x300+200+200 +repage -format %k info:)
[ "$COLOURS" -gt 20 ] || fail "the map view shows no map ($COLOURS colours)"

# The earth tool: second column, third row of the palette.
xdotool mousemove $((PAL_X + 54)) $((PAL_Y + 88)) click 1
focus_window "$MAIN"
sleep 0.3

ROW=$((MAIN_Y + 330))
FROM=$((MAIN_X + 220))
TO=$((MAIN_X + 560))
STRIP=$((TO - FROM + 48))x48+$((FROM - 24))+$((ROW - 24))
xdotool mousemove 1000 700
sleep 0.3
shot "$WORK/before.png"

drag_along_row "$ROW" "$FROM" "$TO"
xdotool mousemove 1000 700
sleep 0.5
shot "$SHOTS/road.png"

region "$WORK/before.png" "$STRIP" "$WORK/a.png"
region "$SHOTS/road.png" "$STRIP" "$WORK/b.png"
CHANGED=$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true)
CHANGED=${CHANGED%% *}
echo "e2e: $CHANGED pixels changed along the road"
[ "${CHANGED%.*}" -gt 2000 ] || fail "dragging laid no road ($CHANGED pixels changed)"
COLOURS=$(convert "$SHOTS/road.png" -format %k info:)
[ "$COLOURS" -gt 20 ] || fail "blank screenshot ($COLOURS colours)"

focus_window "$MAIN"
xdotool key ctrl+s
wait_for_save
# Tile (x, y) is 3 bytes at 22 + 294x + 3y, its kind the third; 1 is dirt road.
ROADS=$(od -An -tu1 -v -w3 -j22 -N28812 mapa.map | awk '$3 == 1' | wc -l)
echo "e2e: $ROADS dirt road tiles in the saved game"
[ "$ROADS" -ge 5 ] || fail "only $ROADS road tiles were laid"
kill -0 "$PID" 2>/dev/null || fail "the game ended"
echo "e2e: ok"
