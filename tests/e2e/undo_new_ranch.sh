#!/usr/bin/env bash
# End to end: the real game under a virtual X server. Stops time, saves, lays
# a road by dragging the mouse, takes it back with Ctrl+Z and saves again: the
# two saves must be equal but for the pictures that animate by themselves
# (open water and clearings). Then Ctrl+Shift+N, with nothing changed since
# that save, makes a new ranch at once; its save passes `zolmap check` and
# differs from the old ranch.
#   undo_new_ranch.sh <zolvorn executable> <build folder>
set -euo pipefail

source "$(dirname "$0")/harness.sh"

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
PALETTE=$(find_window "Ferramentas") || fail "no palette window"
# Xvfb has no window manager: focus makes the application active, and only
# an active application runs frames.
xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+0
sleep 0.5

# Saves with Ctrl+S into the named file.
save_as() {
  rm -f mapa.map
  xdotool windowfocus --sync "$MAIN"
  xdotool key ctrl+s
  wait_for_save
  mv mapa.map "$1"
}

# The record with the animating pictures settled: open water (kind 9) shows
# frame 23, a clearing (kind 0, images 120..128) bare ground. One line of
# header bytes, then one line per tile, then the padding.
settled() {
  od -An -tu1 -v -w22 -N22 "$1"
  od -An -tu1 -v -w3 -j22 -N28812 "$1" | awk '{
    if ($3 == 9 && ($2 == 23 || $2 == 24)) $2 = 23
    if ($3 == 0 && $2 >= 120 && $2 <= 128) $2 = 0
    print $1, $2, $3 }'
  od -An -tu1 -v -j28834 "$1"
}

# Tile (x, y) is 3 bytes at 22 + 294x + 3y, its kind the third; 1 is dirt road.
roads() { od -An -tu1 -v -w3 -j22 -N28812 "$1" | awk '$3 == 1' | wc -l; }

save_as before.map

eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MAIN_X=$X MAIN_Y=$Y
eval "$(xdotool getwindowgeometry --shell "$PALETTE")"
PAL_X=$X PAL_Y=$Y

# The earth tool: second column, third row of the palette. Then one stroke
# across the map view, from press to release.
xdotool mousemove $((PAL_X + 54)) $((PAL_Y + 88)) click 1
xdotool windowfocus --sync "$MAIN"
sleep 0.3
ROW=$((MAIN_Y + 330))
FROM=$((MAIN_X + 220))
TO=$((MAIN_X + 560))
drag_along_row "$ROW" "$FROM" "$TO"
xdotool mousemove 1000 700
sleep 0.3

save_as road.map
LAID=$(( $(roads road.map) - $(roads before.map) ))
echo "e2e: the stroke laid $LAID road tiles"
[ "$LAID" -ge 5 ] || fail "the stroke laid only $LAID road tiles"

xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+z
sleep 0.3
save_as undone.map
if ! diff <(settled before.map) <(settled undone.map) >diff.txt; then
  head -20 diff.txt >&2
  fail "the save after Ctrl+Z differs from the save before the stroke"
fi
echo "e2e: Ctrl+Z gave the ranch back as it was saved"

# Nothing changed since the last save: no question, a new ranch at once.
xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+shift+n
sleep 0.5
save_as new.map
CHECK=$("$ZOLMAP" check new.map) || fail "the new ranch fails the check: $CHECK"
[ "$CHECK" = "ok" ] || fail "zolmap check says: $CHECK"
cmp -s undone.map new.map && fail "Ctrl+Shift+N left the old ranch"
kill -0 "$PID" 2>/dev/null || fail "the game ended"
echo "e2e: ok"
