#!/usr/bin/env bash
# End to end: the real game under a virtual X server. Picks the tree tool on
# the palette and plants a tree with one instant click (no hold) on a grass
# tile of the map view; the saved game then holds the tree there.
#   tree_click.sh <zolvorn executable> <build folder> [screenshot folder]
set -euo pipefail

source "$(dirname "$0")/harness.sh"

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
PALETTE=$(find_window "Ferramentas") || fail "no palette window"
focus_window "$MAIN"
xdotool key ctrl+0  # time stands still: only the tools change the map
sleep 0.5

# "x y" of every tile whose kind differs between two saves, with both kinds.
changed_tiles() {
  paste -d' ' <("$ZOLMAP" dump "$1" | tr ' ' '\n') <("$ZOLMAP" dump "$2" | tr ' ' '\n') |
    awk '{ split($1, a, ":"); split($2, b, ":"); if (a[1] != b[1]) print (NR - 1) % 98, int((NR - 1) / 98), $1, $2 }'
}

eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MAIN_X=$X MAIN_Y=$Y
eval "$(xdotool getwindowgeometry --shell "$PALETTE")"
PAL_X=$X PAL_Y=$Y

# The trees tool: first column, seventh row of the palette.
xdotool mousemove $((PAL_X + 20)) $((PAL_Y + 224)) click 1
sleep 0.3
save_as before.map

# Points over the map view's surface; a point over anything but grass is
# refused, so the next is tried. A held press tells a refused tile from a
# lost click.
for point in "300 300" "340 300" "380 340" "420 300" "300 380" "460 380" "500 300" "540 340"; do
  read -r DX DY <<<"$point"
  xdotool mousemove $((MAIN_X + DX)) $((MAIN_Y + DY))
  sleep 0.3
  xdotool click 1
  sleep 0.5
  xdotool mousemove 1000 700
  save_as after.map
  CHANGES=$(changed_tiles before.map after.map)
  if [ -n "$CHANGES" ]; then
    echo "e2e: the click changed: $CHANGES"
    [ "$(echo "$CHANGES" | wc -l)" -eq 1 ] || fail "one click changed more than one tile"
    read -r TX TY FROM TO <<<"$CHANGES"
    [ "$FROM" = "0:0" ] || fail "the click planted on $FROM, not on grass"
    [[ "$TO" == 4:* ]] || fail "tile ($TX, $TY) became $TO, not a tree"
    [ "$("$ZOLMAP" dump mapa.map "$TX" "$TY" "$TX" "$TY")" = "$TO" ] || fail "no tree in the saved game"
    FUNDS_BEFORE=$("$ZOLMAP" info before.map | sed -n 's/^funds=//p')
    FUNDS_AFTER=$("$ZOLMAP" info after.map | sed -n 's/^funds=//p')
    [ $((FUNDS_BEFORE - FUNDS_AFTER)) -eq 10 ] || fail "the tree cost $((FUNDS_BEFORE - FUNDS_AFTER)), not 10"
    import -window root "$SHOTS/tree.png" 2>/dev/null || true
    kill -0 "$PID" 2>/dev/null || fail "the game ended"
    echo "e2e: ok"
    exit 0
  fi
  xdotool mousemove $((MAIN_X + DX)) $((MAIN_Y + DY))
  sleep 0.2
  xdotool mousedown 1
  sleep 0.4
  xdotool mouseup 1
  xdotool mousemove 1000 700
  save_as held.map
  [ -z "$(changed_tiles before.map held.map)" ] || fail "the instant click at $point was lost; a held press planted"
done
fail "no grass under any of the points tried"
