#!/usr/bin/env bash
# End to end: the real game under a virtual X server. Saves with time
# stopped, overwrites "mapa.map" with random bytes, loads it (refused: the
# game goes on as it was) and saves again: the new save equals the first one
# except for the pictures that animate while time stands still (open water
# 23 and 24, the clearing after the bulldozer).
#   damaged_load.sh <zolvorn executable> <build folder>
set -euo pipefail

source "$(dirname "$0")/harness.sh"

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+0
sleep 0.5
xdotool key ctrl+s
wait_for_save
sleep 0.2
cp mapa.map first.map
"$ZOLMAP" check first.map >/dev/null || fail "the game saved a record it would refuse"

head -c 28836 /dev/urandom >mapa.map
cp mapa.map noise.map
if "$ZOLMAP" check noise.map >/dev/null; then fail "random bytes pass the check"; fi
xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+l
sleep 0.5
xdotool key ctrl+s
for _ in $(seq 50); do cmp -s mapa.map noise.map || break; sleep 0.1; done
cmp -s mapa.map noise.map && fail "Ctrl+S after the refused load saved nothing"
sleep 0.2

[ "$("$ZOLMAP" info mapa.map)" = "$("$ZOLMAP" info first.map)" ] || fail "calendar, weather or funds changed"
"$ZOLMAP" check mapa.map >/dev/null || fail "the game went on with a damaged record"
# Tile by tile: equal, or both open water (23/24), or both bare ground at some
# frame of the clearing.
DIFFERENT=$(paste -d' ' <("$ZOLMAP" dump first.map | tr ' ' '\n') <("$ZOLMAP" dump mapa.map | tr ' ' '\n') |
  awk '$1 != $2 {
         split($1, a, ":"); split($2, b, ":")
         water = a[1] == 9 && b[1] == 9 && (a[2] == 23 || a[2] == 24) && (b[2] == 23 || b[2] == 24)
         clearing = a[1] == 0 && b[1] == 0 && (a[2] == 0 || a[2] >= 120) && (b[2] == 0 || b[2] >= 120)
         if (!water && !clearing) print (NR - 1) % 98, int((NR - 1) / 98), $1, $2
       }')
[ -z "$DIFFERENT" ] || fail "tiles changed by the refused load: $DIFFERENT"
# The header and padding bytes as well.
cmp -s <(head -c 22 first.map) <(head -c 22 mapa.map) || fail "the first 22 bytes differ"
cmp -s <(tail -c 2 first.map) <(tail -c 2 mapa.map) || fail "the last 2 bytes differ"
kill -0 "$PID" 2>/dev/null || fail "the game ended"
echo "e2e: ok"
