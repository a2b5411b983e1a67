#!/usr/bin/env bash
# The installed launcher, with the game program swapped for a stand-in that
# reports where it was started: it makes the player's folder where the XDG
# rules put it, links the shipped data in afresh at every start, keeps what
# the player added, finds the install through links and in a moved folder,
# and refuses clearly when it cannot work.
#   launcher.sh <cmake> <build folder>
set -euo pipefail
CMAKE=$1
BUILD=$2
source "$(dirname "$0")/install_support.sh"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
fail() {
  echo "launcher: $*" >&2
  exit 1
}

ROOT=$WORK/root
install_into "$ROOT"
LAUNCHER=$ROOT/usr/games/zolvorn
SHIPPED=$ROOT/usr/share/games/zolvorn/data
# The stand-in writes its working folder and exits with a status of its own.
cat >"$ROOT/usr/lib/games/zolvorn/zolvorn" <<'STANDIN'
#!/bin/sh
pwd -P >"$REPORT"
exit 7
STANDIN
export REPORT=$WORK/report

# launch [VAR=VALUE ...]: runs the launcher with a clean environment plus the
# given variables; its exit status is in STATUS, its errors in ERRORS.
launch() {
  rm -f "$REPORT"
  STATUS=0
  ERRORS=$(env -i PATH="$PATH" REPORT="$REPORT" "$@" "$LAUNCHER" 2>&1 >/dev/null) || STATUS=$?
}
expect_started_in() {
  [ "$STATUS" -eq 7 ] || fail "$1: exit status $STATUS, not the game's ($ERRORS)"
  [ "$(cat "$REPORT")" = "$(readlink -f "$2")" ] || fail "$1: the game ran in $(cat "$REPORT"), not in $2"
}
expect_linked() {  # FOLDER: data.dpf and every shipped language file link to the install
  [ "$(readlink -f "$1/data/data.dpf")" = "$(readlink -f "$SHIPPED/data.dpf")" ] || fail "$1/data/data.dpf is not the shipped one"
  for file in "$SHIPPED"/lang/*; do
    [ "$(readlink -f "$1/data/lang/${file##*/}")" = "$(readlink -f "$file")" ] || fail "$1/data/lang/${file##*/} is not the shipped one"
  done
}

# The player's folder: ~/.local/share/zolvorn, or below an absolute XDG_DATA_HOME.
HOME_A=$WORK/a
mkdir "$HOME_A"
launch HOME="$HOME_A"
PLAYER=$HOME_A/.local/share/zolvorn
expect_started_in "default folder" "$PLAYER"
expect_linked "$PLAYER"
launch HOME="$HOME_A" XDG_DATA_HOME="$WORK/xdg"
expect_started_in "XDG_DATA_HOME" "$WORK/xdg/zolvorn"
expect_linked "$WORK/xdg/zolvorn"
launch HOME="$HOME_A" XDG_DATA_HOME=relative/path
expect_started_in "relative XDG_DATA_HOME" "$PLAYER"
[ ! -e "$WORK/relative" ] || fail "a relative XDG_DATA_HOME was used"

# The player's own files stay; a shipped name is the shipped file again at the
# next start; a file the install no longer ships loses its link.
echo "mine" >"$PLAYER/data/lang/minha.dat"
echo "mine" >"$PLAYER/data/lang/minha.extra"
head -c 28836 /dev/zero >"$PLAYER/mapa.map"
rm "$PLAYER/data/lang/english.dat"
echo "edited" >"$PLAYER/data/lang/english.dat"
ln -s "$SHIPPED/lang/gone.dat" "$PLAYER/data/lang/gone.dat"
ln -s "$WORK/elsewhere/unplugged.dat" "$PLAYER/data/lang/unplugged.dat"
launch HOME="$HOME_A"
expect_started_in "second start" "$PLAYER"
expect_linked "$PLAYER"
[ "$(cat "$PLAYER/data/lang/minha.dat")" = mine ] && [ ! -L "$PLAYER/data/lang/minha.dat" ] || fail "the player's language file was not kept"
[ "$(cat "$PLAYER/data/lang/minha.extra")" = mine ] || fail "the player's companion file was not kept"
[ "$(stat -c %s "$PLAYER/mapa.map")" -eq 28836 ] || fail "the saved game was touched"
[ ! -L "$PLAYER/data/lang/gone.dat" ] || fail "a link to a file no longer shipped was left behind"
[ -L "$PLAYER/data/lang/unplugged.dat" ] || fail "a link of the player's own was taken away"
[ -z "$(ls "$PLAYER/data" "$PLAYER/data/lang" | grep '\.new\.')" ] || fail "temporary links were left behind"

# An upgrade's data is what runs: the links follow the installed files.
echo "upgraded" >>"$SHIPPED/lang/portugues.dat"
launch HOME="$HOME_A"
[ "$(tail -n 1 "$PLAYER/data/lang/portugues.dat")" = upgraded ] || fail "the player's folder does not show the upgraded data"

# Reached through a link on the PATH, or in a moved folder, it still finds the install.
mkdir "$WORK/bin"
ln -s "$LAUNCHER" "$WORK/bin/zolvorn"
LAUNCHER=$WORK/bin/zolvorn
launch HOME="$HOME_A"
expect_started_in "through a link" "$PLAYER"
mv "$ROOT" "$WORK/moved"
ROOT=$WORK/moved
SHIPPED=$ROOT/usr/share/games/zolvorn/data
LAUNCHER=$ROOT/usr/games/zolvorn
launch HOME="$HOME_A"
expect_started_in "moved install" "$PLAYER"
expect_linked "$PLAYER"

# Refusals: no folder to use, a folder that cannot be made, a broken install.
launch
[ "$STATUS" -eq 1 ] && [[ $ERRORS == *"neither XDG_DATA_HOME nor HOME"* ]] && [ ! -e "$REPORT" ] ||
  fail "without HOME: status $STATUS, '$ERRORS'"
echo "a file" >"$WORK/blocked"
launch HOME="$HOME_A" XDG_DATA_HOME="$WORK/blocked"
[ "$STATUS" -eq 1 ] && [[ $ERRORS == *"cannot make the game's folder"* ]] && [ ! -e "$REPORT" ] ||
  fail "with a file in the way: status $STATUS, '$ERRORS'"
rm -r "$PLAYER/data/lang/english.dat"
mkdir "$PLAYER/data/lang/english.dat"
launch HOME="$HOME_A"
[ "$STATUS" -eq 1 ] && [[ $ERRORS == *"cannot link"*english.dat* ]] && [ ! -e "$REPORT" ] ||
  fail "with a folder in place of a shipped file: status $STATUS, '$ERRORS'"
rmdir "$PLAYER/data/lang/english.dat"
mv "$SHIPPED/data.dpf" "$WORK/data.dpf"
launch HOME="$HOME_A"
[ "$STATUS" -eq 1 ] && [[ $ERRORS == *"no game data"* ]] && [ ! -e "$REPORT" ] ||
  fail "without the package: status $STATUS, '$ERRORS'"
mv "$WORK/data.dpf" "$SHIPPED/data.dpf"
rm "$ROOT/usr/lib/games/zolvorn/zolvorn"
launch HOME="$HOME_A"
[ "$STATUS" -eq 1 ] && [[ $ERRORS == *"no game program"* ]] || fail "without the program: status $STATUS, '$ERRORS'"
echo "launcher: ok"
