#!/usr/bin/env bash
# End to end: the real game under a virtual X server. Picks the earth tool
# and drags it across a row of the map far faster than a tile a frame; the
# saved game then has no bare tile left between the first and the last road
# tile of that row (trees, the house or water may stand between, bare ground
# may not).
#   fast_road.sh <zolvorn executable> <build folder> [screenshot folder]
set -euo pipefail

source "$(dirname "$0")/harness.sh"

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
PALETTE=$(find_window "Ferramentas") || fail "no palette window"
focus_window "$MAIN"
xdotool key ctrl+0  # time stands still: only the tool changes the map
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MAIN_X=$X MAIN_Y=$Y
eval "$(xdotool getwindowgeometry --shell "$PALETTE")"
PAL_X=$X PAL_Y=$Y

# The earth tool: second column, third row of the palette.
xdotool mousemove $((PAL_X + 54)) $((PAL_Y + 88)) click 1
focus_window "$MAIN"
sleep 0.3
save_as before.map

# 40 pixels (more than a tile and a half) every 10 ms: a frame of 66 ms
# sees the pointer jump several tiles.
ROW=$((MAIN_Y + 330))
FROM=$((MAIN_X + 220))
TO=$((MAIN_X + 620))
xdotool mousemove "$FROM" "$ROW"
sleep 0.3
xdotool mousedown 1
sleep 0.15
for x in $(seq "$FROM" 40 "$TO"); do
  xdotool mousemove "$x" "$ROW"
  sleep 0.01
done
sleep 0.3
xdotool mouseup 1
xdotool mousemove 1000 700
sleep 0.3
save_as after.map

# Every tile whose kind changed, as "y x kind-after"; the dragged row is the
# one with most of them.
CHANGES=$(paste -d' ' <("$ZOLMAP" dump before.map | tr ' ' '\n') <("$ZOLMAP" dump after.map | tr ' ' '\n') |
  awk '{ split($1, a, ":"); split($2, b, ":"); if (a[1] != b[1]) print int((NR - 1) / 98), (NR - 1) % 98, b[1] }')
[ -n "$CHANGES" ] || fail "the drag built nothing"
Y=$(echo "$CHANGES" | awk '{ n[$1]++ } END { for (y in n) if (n[y] > best) { best = n[y]; row = y }; print row }')
FIRST=$(echo "$CHANGES" | awk -v y="$Y" '$1 == y { print $2 }' | sort -n | head -1)
LAST=$(echo "$CHANGES" | awk -v y="$Y" '$1 == y { print $2 }' | sort -n | tail -1)
echo "e2e: road from column $FIRST to $LAST on row $Y"
[ $((LAST - FIRST)) -ge 10 ] || fail "the drag built only columns $FIRST..$LAST"
ROWTILES=$("$ZOLMAP" dump after.map "$FIRST" "$Y" "$LAST" "$Y")
echo "e2e: $ROWTILES"
for tile in $ROWTILES; do
  [ "${tile%%:*}" != 0 ] || fail "a bare tile was left in the road: $ROWTILES"
done
kill -0 "$PID" 2>/dev/null || fail "the game ended"
echo "e2e: ok"
