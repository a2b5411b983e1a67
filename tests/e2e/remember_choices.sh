#!/usr/bin/env bash
# End to end: choices remembered only when asked. English and "Mapa grande"
# chosen with "Lembrar escolhas" checked; the game quit and started again
# starts in Portuguese as always; Ctrl+Shift+R brings both back. Also shows
# the open dialog while the game is Portuguese, for a look at its buttons.
#   remember_choices.sh <zolvorn executable> <build folder> [screenshot folder]
set -euo pipefail

prepare_game() { export XDG_CONFIG_HOME=$WORK/config; }
source "$(dirname "$0")/harness.sh"

CHOICES=$WORK/config/zolvorn/choices.ini
palette_caption() { sed -n 19p "data/lang/$1" | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8; }
PORTUGUESE=$(palette_caption portugues.dat)
ENGLISH=$(palette_caption english.dat)
# The value of one key of the choices file, once it is there.
choice() { sed -n "s/^$1=//p" "$CHOICES" | tr -d '\r'; }
wait_for_choice() {
  for _ in $(seq 50); do [ -f "$CHOICES" ] && [ "$(choice "$1")" = "$2" ] && return 0; sleep 0.1; done
  fail "choices.ini: $1 is '$(choice "$1" 2>/dev/null)', not '$2'"
}
choose_english() {
  local position
  position=$(ls -U data/lang/ | grep '\.dat$' | grep -n -x 'english.dat' | cut -d: -f1)
  xdotool key alt+l
  sleep 0.3
  for _ in $(seq 2 "$position"); do xdotool key Down; sleep 0.1; done
  xdotool key Return
}

MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window"
focus_window "$MAIN"
xdotool key ctrl+0
[ ! -e "$CHOICES" ] || fail "a choices file before anything was asked"
xdotool key ctrl+shift+r
sleep 0.3
choose_english
find_window "$ENGLISH" >/dev/null || fail "no English palette"
focus_window "$MAIN"
xdotool key ctrl+g
wait_for_choice language english.dat
wait_for_choice largeMap 1
xdotool key ctrl+x
for _ in $(seq 50); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$PID" 2>/dev/null || fail "Sair did not end the game"

# The second run: the start of every run, whatever the file says.
"$GAME" >>"$WORK/game.log" 2>&1 &
PID=$!
MAIN=$(find_window "Zol Vorn v0.1") || fail "no main window in the second run"
find_window "$PORTUGUESE" >/dev/null || fail "the second run did not start in Portuguese"
focus_window "$MAIN"
xdotool key ctrl+0
# The toolkit's own dialog in the game's language.
xdotool key ctrl+shift+o
DIALOG=$(find_window "Abrir jogo") || fail "no open dialog"
sleep 0.5
import -window root "$SHOTS/remember_choices_open_dialog.png" 2>/dev/null || true
xdotool key Escape
sleep 0.3
focus_window "$MAIN"
xdotool key ctrl+shift+r
find_window "$ENGLISH" >/dev/null || fail "Ctrl+Shift+R did not bring English back"
sleep 0.5
import -window root "$SHOTS/remember_choices_restored.png" 2>/dev/null || true
# "Mapa grande" came back checked: Ctrl+G now takes it off.
focus_window "$MAIN"
xdotool key ctrl+g
wait_for_choice largeMap 0
echo "e2e: ok"
