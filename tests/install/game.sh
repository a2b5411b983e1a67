#!/usr/bin/env bash
# The installed game under a virtual X server, started by its launcher from a
# temporary /usr install with a temporary HOME, as a player starts it from the
# desktop. Stops time with Ctrl+0 and saves with Ctrl+S: the saved game must
# land in the player's folder. A language file the player put into that
# folder must show in the "Língua" menu: picking it by keyboard re-labels the
# palette.
#   game.sh <cmake> <build folder>
set -euo pipefail
CMAKE=$1
BUILD=$2
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/install_support.sh"

# The player's own language: English with a palette caption of its own.
OWN_CAPTION="Caixa de teste"
prepare_game() {
  install_into "$WORK/root"
  export HOME=$WORK/home
  unset XDG_DATA_HOME
  PLAYER=$HOME/.local/share/zolvorn
  mkdir -p "$PLAYER/data/lang"
  sed "19s/^[^\r]*/$OWN_CAPTION/" "$BUILD/data/lang/english.dat" >"$PLAYER/data/lang/teste.dat"
  # The harness took its first argument (cmake here) for the game.
  GAME=$WORK/root/usr/games/zolvorn
}
source "$HERE/../e2e/harness.sh"

# Line 19 of a language file: the palette's caption.
palette_caption() { sed -n 19p "$1" | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8; }

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
find_window "$(palette_caption "$PLAYER/data/lang/portugues.dat")" >/dev/null || fail "no palette window"
# Xvfb has no window manager: focus makes the application active.
xdotool windowfocus --sync "$MAIN"
xdotool key ctrl+0
sleep 0.5
xdotool key ctrl+s
for _ in $(seq 50); do [ -f "$PLAYER/mapa.map" ] && break; sleep 0.1; done
[ -f "$PLAYER/mapa.map" ] || fail "Ctrl+S saved no mapa.map in the player's folder"
SIZE=$(stat -c %s "$PLAYER/mapa.map")
[ "$SIZE" -eq 28836 ] || fail "mapa.map has $SIZE bytes"
[ ! -e "$WORK/mapa.map" ] || fail "the game saved into the folder it was started from"
echo "install: mapa.map saved in the player's folder"

# The language menu lists the folder in its listing order and opens with its
# first item selected.
POSITION=$(ls -U "$PLAYER/data/lang" | grep '\.dat$' | grep -n -x 'teste.dat' | cut -d: -f1)
[ -n "$POSITION" ] || fail "the launcher took away the player's teste.dat"
xdotool key alt+l
sleep 0.3
for _ in $(seq 2 "$POSITION"); do xdotool key Down; sleep 0.1; done
xdotool key Return
find_window "$OWN_CAPTION" >/dev/null || fail "the player's language is not in the menu: no palette captioned \"$OWN_CAPTION\""
kill -0 "$PID" 2>/dev/null || fail "the game ended"
echo "install: ok"
