#!/usr/bin/env bash
# End to end: the real game under a virtual X server. Opens the overview
# window with BotMapa, checks "Minimapa" (Ctrl+I) and finds the saved game's
# water and bare ground in the overview's colours; clicks on the minimap and
# finds the view's outline moved there and the view scrolled; checks "Mapa
# grande" (Ctrl+G) and finds the map view reaching past its old 657 pixels in
# the maximised main window.
#   minimap.sh <zolvorn executable> <build folder> [screenshot folder]
set -euo pipefail

source "$(dirname "$0")/harness.sh"

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
xdotool windowfocus --sync "$MAIN"
# Stop the clock, so the weather of the save is the weather on screen.
xdotool key ctrl+0
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MAIN_X=$X MAIN_Y=$Y MAIN_W=$WIDTH MAIN_H=$HEIGHT
[ "$MAIN_W" -ge 1000 ] || fail "the main window is not maximised (${MAIN_W}x$MAIN_H)"

shot() { import -window root "$1"; }
# The pixels of a screenshot region as "x y RRGGBB" lines, in screen coordinates.
pixels() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -depth 8 txt:- |
    awk -v ox="$4" -v oy="$5" 'NR > 1 { split($1, p, /[,:]/); sub(/^#/, "", $3); print p[1] + ox, p[2] + oy, substr($3, 1, 6) }'
}

# BotMapa: the fourth toolbar button, 32 pixels square at 107, 3 of the
# toolbar just below the menu bar.
xdotool mousemove $((MAIN_X + 123)) $((MAIN_Y + 45)) click 1
sleep 0.5
xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+i
sleep 0.5
xdotool key ctrl+s
wait_for_save
xdotool mousemove $((MAIN_X + MAIN_W - 5)) $((MAIN_Y + MAIN_H - 5))
sleep 0.5
shot "$SHOTS/minimap.png"

# The minimap's colours of water, water with a bank, and bare ground in sun,
# on the first rainy day and soaked.
WATER=2B66A3 BANK=3A78B4
eval "$("$BUILD/zolmap" info mapa.map | grep -E '^weather(Yesterday)?=')"
rainy() { [ "$1" -eq 3 ] || [ "$1" -eq 4 ]; }
GROUND=6E9439
if rainy "$weather"; then
  if rainy "$weatherYesterday"; then GROUND=44662C; else GROUND=587E30; fi
fi

# The overview opens centred on the main window; the minimap is the square
# whose rows and columns are mostly water and ground.
SX=$((MAIN_X + MAIN_W / 2 - 200)) SY=$((MAIN_Y + MAIN_H / 2 - 200))
pixels "$SHOTS/minimap.png" 400 400 "$SX" "$SY" >"$WORK/pixels.txt"
read -r LEFT TOP < <(awk -v g="$GROUND" -v w="$WATER" -v b="$BANK" '
  $3 == g || $3 == w || $3 == b { row[$2]++; col[$1]++ }
  END {
    top = 1e9; left = 1e9
    for (y in row) if (row[y] >= 100 && y + 0 < top) top = y + 0
    for (x in col) if (col[x] >= 100 && x + 0 < left) left = x + 0
    print left, top
  }' "$WORK/pixels.txt")
[ "$LEFT" != 1000000000 ] && [ "$TOP" != 1000000000 ] || fail "no minimap on the overview window"
echo "e2e: minimap at $LEFT,$TOP"

# Every water and bare tile of the save against its cell on screen (2 pixels
# a tile; the view's outline covers a few).
"$BUILD/zolmap" dump mapa.map 1 1 96 96 >"$WORK/dump.txt"
RESULT=$(awk -v left="$LEFT" -v top="$TOP" -v g="$GROUND" -v w="$WATER" -v b="$BANK" '
  FNR == NR { colour[$1 " " $2] = $3; next }
  {
    for (i = 1; i <= NF; ++i) {
      split($i, t, ":")
      if (t[1] == 9) expected = (t[2] == 23 || t[2] == 24) ? w : b
      else if (t[1] == 0) expected = g
      else continue
      x = left + 2 * (i - 1) + 1; y = top + 2 * (FNR - 1) + 1
      if (t[1] == 9) water++; else ground++
      if (colour[x " " y] == expected) same++
    }
  }
  END { print water + 0, ground + 0, same + 0 }' "$WORK/pixels.txt" "$WORK/dump.txt")
read -r WATER_TILES GROUND_TILES SAME <<<"$RESULT"
echo "e2e: $SAME of $WATER_TILES water and $GROUND_TILES bare tiles shown in their colours"
[ "$WATER_TILES" -gt 50 ] && [ "$GROUND_TILES" -gt 1000 ] || fail "the save has too little water or ground to check"
[ $((SAME * 100)) -ge $(((WATER_TILES + GROUND_TILES) * 95)) ] || fail "the minimap does not show the saved map"

# The view's outline: the white pixels on the minimap; prints its middle.
outline_middle() {
  pixels "$1" 192 192 "$LEFT" "$TOP" | awk '
    $3 == "FFFFFF" { if (n++ == 0) { l = r = $1; t = b = $2 } if ($1 < l) l = $1; if ($1 > r) r = $1; if ($2 < t) t = $2; if ($2 > b) b = $2 }
    END { if (n) print int((l + r) / 2), int((t + b) / 2); else print -1000, -1000 }'
}
read -r BEFORE_X BEFORE_Y < <(outline_middle "$SHOTS/minimap.png")
[ "$BEFORE_X" -ge 0 ] || fail "no outline of the view on the minimap"

# A click on tile (80, 80) centres the view there, and the map view left of
# the overview shows other tiles from its next frames on.
CLICK_X=$((LEFT + 2 * 79 + 1)) CLICK_Y=$((TOP + 2 * 79 + 1))
xdotool mousemove "$CLICK_X" "$CLICK_Y" click 1
xdotool mousemove $((MAIN_X + MAIN_W - 5)) $((MAIN_Y + MAIN_H - 5))
VIEW_STRIP=120x400+$((MAIN_X + 100))+$((MAIN_Y + 120))
convert "$SHOTS/minimap.png" -crop "$VIEW_STRIP" +repage "$WORK/a.png"
for _ in $(seq 20); do
  sleep 0.3
  shot "$SHOTS/clicked.png"
  convert "$SHOTS/clicked.png" -crop "$VIEW_STRIP" +repage "$WORK/b.png"
  CHANGED=$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true)
  CHANGED=${CHANGED%% *}
  [ "${CHANGED%.*}" -gt 1000 ] && break
done
echo "e2e: $CHANGED pixels of the map view changed"
[ "${CHANGED%.*}" -gt 1000 ] || fail "the map view did not scroll"
read -r AFTER_X AFTER_Y < <(outline_middle "$SHOTS/clicked.png")
echo "e2e: outline middle $BEFORE_X,$BEFORE_Y before the click, $AFTER_X,$AFTER_Y after it at $CLICK_X,$CLICK_Y"
DX=$((AFTER_X - CLICK_X)) DY=$((AFTER_Y - CLICK_Y))
[ "${DX#-}" -le 4 ] && [ "${DY#-}" -le 4 ] || fail "the view was not centred on the click"

# Right of where the view used to end there is only the grey document area,
# until "Mapa grande" fills it with the map.
RIGHT_STRIP=$((MAIN_W - 86 - 657 - 40))x200+$((MAIN_X + 86 + 657 + 30))+$((MAIN_Y + MAIN_H / 2))
grey_percent() {
  convert "$1" -crop "$RIGHT_STRIP" +repage -fill black +opaque "#808080" -fill white -opaque "#808080" \
    -format "%[fx:int(100 * mean)]" info:
}
[ "$(grey_percent "$SHOTS/clicked.png")" -ge 95 ] || fail "the map view was already wider than 657 pixels"
xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+g
for _ in $(seq 20); do
  sleep 0.3
  shot "$SHOTS/large.png"
  GREY=$(grey_percent "$SHOTS/large.png")
  [ "$GREY" -le 5 ] && break
done
echo "e2e: $GREY% grey right of the old view's edge"
[ "$GREY" -le 5 ] || fail "\"Mapa grande\" did not widen the map view"
kill -0 "$PID" 2>/dev/null || fail "the game ended"
echo "e2e: ok"
