#!/usr/bin/env bash
# End to end: the living ranch as a player runs it. Loads a known ranch with
# Ctrl+L, checks "Fazenda viva", fences a pasture against the river with the
# palette's fence tool (one drag of the mouse) and puts a gate in it, buys
# calves in the Buy window, lets a game month pass at "Ultra", sells part of
# the herd in the Sell window and saves; the saved companion file, read by
# `zolmap eco`, must show the purchase, the sale and the smaller herd.
#   living_ranch.sh <zolvorn executable> <build folder> [screenshot folder]
set -euo pipefail

# The ranch of seed 141 has a river across rows 12..14 near the top-left
# corner. A fence up column 4 from the river, along row 3 and down column 9
# to the river again closes 32 tiles of grass with water; the gate goes in
# the middle of row 3.
SEED=141
FENCE_PATH=(4 11 4 3 9 3 9 13)
GATE=(6 3)
PASTURE=5,4
CALVES=6
SOLD=4
prepare_game() {
  "$ZOLMAP" new --seed "$SEED" mapa.map >/dev/null
  # The same pasture made by the command-line tool: what the mouse must build.
  cp mapa.map expected.map
  local path=() i
  for ((i = 0; i + 3 < ${#FENCE_PATH[@]}; i += 2)); do
    path+=($(tile_line "${FENCE_PATH[@]:i:4}"))
  done
  path+=("${FENCE_PATH[@]: -2}")
  "$ZOLMAP" tool expected.map tlCerca "${path[@]}" >/dev/null
  "$ZOLMAP" tool expected.map tlPorteira "${GATE[@]}" >/dev/null
}
# The tiles from (x0, y0) up to, not including, (x1, y1) on a row or a column.
tile_line() {
  local x=$1 y=$2 dx=$(($3 > $1 ? 1 : $3 < $1 ? -1 : 0)) dy=$(($4 > $2 ? 1 : $4 < $2 ? -1 : 0))
  while [ "$x" != "$3" ] || [ "$y" != "$4" ]; do
    echo "$x $y"
    x=$((x + dx)) y=$((y + dy))
  done
}
source "$(dirname "$0")/harness.sh"

shot() { import -window root "$1"; }
# Whether two pictures have the same pixels (the files differ by their dates).
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
PALETTE=$(find_window "Ferramentas") || fail "no palette window"
focus_window "$MAIN"
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MAIN_X=$X MAIN_Y=$Y
eval "$(xdotool getwindowgeometry --shell "$PALETTE")"
PAL_X=$X PAL_Y=$Y
# The map view's drawing surface: its top-left corner on the screen, and
# the pixels a tile at the start zoom.
VIEW_X=$((MAIN_X + 90)) VIEW_Y=$((MAIN_Y + 82))
TILE=24
# The toolbar's buttons, 33 pixels apart: Buy first, Sell second.
toolbar_button() { echo $((MAIN_X + 24 + 33 * $1)) $((MAIN_Y + 37)); }
# The screen point in the middle of tile (x, y), with the view scrolled to
# the map's top-left corner.
tile_point() { echo $((VIEW_X + ($1 - 1) * TILE + TILE / 2)) $((VIEW_Y + ($2 - 1) * TILE + TILE / 2)); }
park_mouse() { xdotool mousemove $((MAIN_X + 1000)) $((MAIN_Y + 700)); }

# Time stands still while the ranch is built and the windows are used: the
# screen then changes only by what the script does.
xdotool key ctrl+0
xdotool key ctrl+l
park_mouse
sleep 0.3

# Scrolls to the top-left corner with the arrow keys, a tile a frame, until
# the top of the view stops changing (the corner is reached).
view_top() { shot "$WORK/view.png"; convert "$WORK/view.png" -crop 400x150+$((VIEW_X + 30))+$((VIEW_Y + 30)) +repage "$1"; }
view_top "$WORK/top0.png"
for attempt in $(seq 15); do
  focus_window "$MAIN"
  xdotool keydown Left keydown Up
  sleep 1.5
  xdotool keyup Left keyup Up
  sleep 0.3
  view_top "$WORK/top1.png"
  [ "$attempt" -gt 1 ] && same_picture "$WORK/top0.png" "$WORK/top1.png" && break
  mv "$WORK/top1.png" "$WORK/top0.png"
  [ "$attempt" -lt 15 ] || fail "the view never stopped scrolling"
done

# "Fazenda viva"; the palette's two bottom buttons get their glyphs.
xdotool key ctrl+e
sleep 0.3

# The fence tool (first column, fourth row of the palette), then one drag
# along the fence's path, a few pixels a step so that every tile is hovered.
xdotool mousemove $((PAL_X + 20)) $((PAL_Y + 122)) click 1
focus_window "$MAIN"
sleep 0.3
read -r PX PY < <(tile_point "${FENCE_PATH[0]}" "${FENCE_PATH[1]}")
xdotool mousemove "$PX" "$PY"
sleep 0.2
xdotool mousedown 1
for ((i = 2; i < ${#FENCE_PATH[@]}; i += 2)); do
  read -r TX TY < <(tile_point "${FENCE_PATH[i]}" "${FENCE_PATH[i + 1]}")
  while [ "$PX" != "$TX" ] || [ "$PY" != "$TY" ]; do
    PX=$((PX < TX ? (PX + 6 < TX ? PX + 6 : TX) : (PX - 6 > TX ? PX - 6 : TX)))
    PY=$((PY < TY ? (PY + 6 < TY ? PY + 6 : TY) : (PY - 6 > TY ? PY - 6 : TY)))
    xdotool mousemove "$PX" "$PY"
    sleep 0.04
  done
done
sleep 0.2
xdotool mouseup 1
# The gate tool, beside the fence tool; one click on the fence.
xdotool mousemove $((PAL_X + 54)) $((PAL_Y + 122)) click 1
focus_window "$MAIN"
sleep 0.3
xdotool mousemove $(tile_point "${GATE[@]}") click 1
sleep 0.3
park_mouse

# The saved ranch has the fence and the gate where the command-line tool
# put them; a view scrolled elsewhere would have put them elsewhere.
save_as fenced.map
kinds() { "$ZOLMAP" dump "$1" 1 1 20 20 | sed 's/:[0-9]*//g'; }
if ! diff <(kinds expected.map) <(kinds fenced.map) >fence.diff; then
  cat fence.diff >&2
  fail "the fence and gate are not where the drag should have put them"
fi
[ -f mapa.eco ] || fail "\"Fazenda viva\" is not running: Ctrl+S wrote no mapa.eco"
ECO=$("$ZOLMAP" eco mapa.map) || fail "zolmap eco: $ECO"
echo "$ECO" | grep -q "^pasture $PASTURE .*water=yes.*head=0" || fail "no watered pasture $PASTURE: $ECO"
FUNDS_BEFORE=$(echo "$ECO" | sed -n 's/^funds //p')

# The first and last of the columns (rows) of a one-row (one-column)
# picture whose level reaches 60 % of the highest.
span() {
  awk -F'[,:( ]+' 'NR > 1 { v[NR - 2] = $3; if ($3 > max) max = $3 }
    END { first = -1; for (k = 0; k < NR - 1; k++) if (v[k] > max * 0.6) { if (first < 0) first = k; last = k }
          print first, last }'
}
# The box (WIDTH HEIGHT LEFT TOP) of the one rectangle where a picture of
# changes is nearly all white: the columns that changed most, then the rows
# that changed most within them, then the columns again within those rows.
# Water that shimmered when the view redrew around the window changed much
# less of each column and row than the window did.
box_of() {
  local w h x0 x1 y0 y1
  read -r w h < <(convert "$1" -format '%w %h' info:)
  read -r x0 x1 < <(convert "$1" -colorspace gray -scale "${w}x1!" -depth 16 txt:- | span)
  read -r y0 y1 < <(convert "$1" -crop $((x1 - x0 + 1))x"$h"+"$x0"+0 +repage -colorspace gray \
    -scale "1x${h}!" -depth 16 txt:- | span)
  read -r x0 x1 < <(convert "$1" -crop "$w"x$((y1 - y0 + 1))+0+"$y0" +repage -colorspace gray \
    -scale "${w}x1!" -depth 16 txt:- | span)
  echo $((x1 - x0 + 1)) $((y1 - y0 + 1)) "$x0" "$y0"
}

# The window a toolbar button opens, as WIDTH HEIGHT LEFT TOP on the screen:
# what changed below the toolbar once the screen settles.
DOCUMENT_TOP=$((MAIN_Y + 60))
document() { shot "$WORK/screen.png"; convert "$WORK/screen.png" -crop 1024x680+0+"$DOCUMENT_TOP" +repage "$1"; }
open_office() {
  local before=$WORK/office0.png after=$WORK/office1.png last=$WORK/office2.png
  park_mouse
  sleep 0.2
  document "$before"
  xdotool mousemove $(toolbar_button "$1") click 1
  park_mouse
  for _ in $(seq 50); do
    sleep 0.2
    document "$after"
    if ! same_picture "$before" "$after" && [ -f "$last" ] && same_picture "$after" "$last"; then break; fi
    cp "$after" "$last"
  done
  rm -f "$last"
  compare "$before" "$after" -compose src -highlight-color white -lowlight-color black "$WORK/office.png" 2>/dev/null || true
  set -- $(box_of "$WORK/office.png")
  [ "$1" -gt 200 ] && [ "$2" -gt 150 ] || fail "the toolbar button opened no window ($*)"
  echo "$1 $2 $3 $(($4 + DOCUMENT_TOP))"
}

# An order in the window whose top-left is (L, T): the table's first row
# chosen, the number typed into the box at ($1, $2), a look ($4), and the
# button at ($5, $6) pressed.
place_order() {
  xdotool mousemove $((L + 30)) $((T + 63)) click 1
  sleep 0.2
  xdotool mousemove "$1" "$2" click --repeat 3 --delay 80 1
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 100 "$3"
  sleep 0.3
  shot "$4"
  xdotool mousemove "$5" "$6" click 1
}

# Buy: the first row of the pasture table, the number of calves typed into
# its box, then the button at the bottom left.
BOX=$(open_office 0) || fail "no Buy window"
read -r W H L T <<<"$BOX"
echo "e2e: Buy window ${W}x${H} at $L,$T"
sleep 0.3
shot "$SHOTS/living_ranch_buy.png"
place_order $((L + 166)) $((T + H - 50)) "$CALVES" "$SHOTS/living_ranch_buy_typed.png" $((L + 120)) $((T + H - 22))
sleep 0.3
xdotool mousemove $(toolbar_button 0) click 1  # closes it again
park_mouse
sleep 0.3
save_as bought.map
ECO=$("$ZOLMAP" eco mapa.map) || fail "zolmap eco: $ECO"
echo "$ECO" | grep -q "^pasture $PASTURE .*head=$CALVES " || fail "the purchase did not go through: $ECO"
FUNDS_BOUGHT=$(echo "$ECO" | sed -n 's/^funds //p')
echo "e2e: funds $FUNDS_BEFORE before buying $CALVES calves, $FUNDS_BOUGHT after"
[ "$FUNDS_BOUGHT" -lt "$FUNDS_BEFORE" ] || fail "buying cost nothing"

# The game's day as a count since the start of its calendar, from a save.
game_day() {
  "$ZOLMAP" info "$1" | awk -F= '{ v[$1] = $2 } END { print ((v["year"] * 12 + v["month"] - 1) * 4 + v["week"] - 1) * 6 + v["day"] - 1 }'
}
START_DAY=$(game_day bought.map)
# "Ultra" (two days every three frames) until a month (24 days) has passed.
focus_window "$MAIN"
xdotool key ctrl+5
for attempt in $(seq 60); do
  sleep 1
  save_as running.map
  DAY=$(game_day running.map)
  [ $((DAY - START_DAY)) -ge 24 ] && break
  [ "$attempt" -lt 60 ] || fail "a month did not pass at Ultra in a minute ($((DAY - START_DAY)) days)"
done
focus_window "$MAIN"
xdotool key ctrl+0
echo "e2e: $((DAY - START_DAY)) days passed at Ultra"
park_mouse
sleep 0.5
shot "$SHOTS/living_ranch_month.png"
# The herd came through the month whole (it had water and grass enough).
ECO=$("$ZOLMAP" eco mapa.map) || fail "zolmap eco: $ECO"
echo "$ECO" | grep -q "^pasture $PASTURE .*head=$CALVES " || fail "the herd did not last the month: $ECO"

# Sell: the first herd, the head typed in, the button at the bottom left.
BOX=$(open_office 1) || fail "no Sell window"
read -r W H L T <<<"$BOX"
echo "e2e: Sell window ${W}x${H} at $L,$T"
place_order $((L + 150)) $((T + H - 78)) "$SOLD" "$SHOTS/living_ranch_sell.png" $((L + 100)) $((T + H - 22))
sleep 0.3
park_mouse

rm -f mapa.map mapa.eco
focus_window "$MAIN"
xdotool key ctrl+s
wait_for_save
for _ in $(seq 50); do [ -f mapa.eco ] && break; sleep 0.1; done
sleep 0.3
SIZE=$(stat -c %s mapa.map)
[ "$SIZE" = 28836 ] || fail "the saved game has $SIZE bytes, not 28836"
ECO=$("$ZOLMAP" eco mapa.map) || fail "zolmap eco: $ECO"
echo "$ECO"
echo "$ECO" | grep -q "^pasture $PASTURE .*head=$((CALVES - SOLD)) " || fail "the sale left the herd as it was"
# The month of the sale is the last line (the running month); the month of
# the purchase a closed one before it.
echo "$ECO" | tail -1 | grep -q ' sales=[1-9]' || fail "the running month shows no sale"
echo "$ECO" | grep '^month' | grep -q ' purchases=[1-9]' || fail "no month shows the purchase"
kill -0 "$PID" 2>/dev/null || fail "the game ended"
echo "e2e: ok"
