#!/usr/bin/env bash
# End to end: the real game under a virtual X server. Stops time with Ctrl+0,
# saves with Ctrl+S and checks the saved file; then picks "english" from the
# language menu by keyboard and finds the palette under its English caption.
#   save_language.sh <zolvorn executable> <build folder>
set -euo pipefail

source "$(dirname "$0")/harness.sh"

# Line 19 of a language file: the palette's caption.
palette_caption() { sed -n 19p "data/lang/$1" | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8; }

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
find_window "$(palette_caption portugues.dat)" >/dev/null || fail "no palette window"
# Xvfb has no window manager: focus makes the application active, and only
# an active application runs frames. Stop the clock at once, well before the
# first day passes.
xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+0
sleep 0.5
xdotool key ctrl+s
wait_for_save

SIZE=$(stat -c %s mapa.map)
[ "$SIZE" -eq 28836 ] || fail "mapa.map has $SIZE bytes"
CALENDAR=$(od -An -tx1 -j10 -N10 mapa.map | tr -s ' ' | sed 's/^ //;s/ $//')
[ "$CALENDAR" = "02 01 01 00 d4 07 40 9c 00 00" ] || fail "bytes 10..19 are $CALENDAR"
# Tile (x, y) is 3 bytes at 22 + 294x + 3y, its kind the third; 9 is water.
mapfile -t BYTES < <(od -An -tu1 -v -w1 mapa.map | tr -d ' ')
kind() { echo "${BYTES[$((22 + 294 * $1 + 3 * $2 + 2))]}"; }
for i in $(seq 0 97); do
  for tile in "0 $i" "97 $i" "$i 0" "$i 97"; do
    # shellcheck disable=SC2086
    [ "$(kind $tile)" -eq 9 ] || fail "ring tile ($tile) is not water"
  done
done
echo "e2e: mapa.map saved with the opening calendar and a water ring"

# The language menu's items follow the folder's listing order; the menu opens
# with its first item selected.
ENGLISH=$(palette_caption english.dat)
[ -n "$ENGLISH" ] && [ "$ENGLISH" != "$(palette_caption portugues.dat)" ] || fail "no English palette caption"
POSITION=$(ls -U data/lang/ | grep '\.dat$' | grep -n -x 'english.dat' | cut -d: -f1)
[ -n "$POSITION" ] || fail "no english.dat"
xdotool key alt+l
sleep 0.3
for _ in $(seq 2 "$POSITION"); do xdotool key Down; sleep 0.1; done
xdotool key Return
find_window "$ENGLISH" >/dev/null || fail "no palette captioned \"$ENGLISH\""
kill -0 "$PID" 2>/dev/null || fail "the game ended"
echo "e2e: ok"
