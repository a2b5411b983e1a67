#!/usr/bin/env bash
# Installs the game into a temporary root with the /usr prefix and checks what
# landed where: exactly the expected files, the data equal to the build's, the
# icon at each size, and a desktop entry and AppStream metadata that pass
# their validators and point at files the install holds.
#   file_list.sh <cmake> <build folder>
set -euo pipefail
CMAKE=$1
BUILD=$2
source "$(dirname "$0")/install_support.sh"

ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
fail() {
  echo "install: $*" >&2
  exit 1
}

install_into "$ROOT"
USR=$ROOT/usr
SHARE=$USR/share
APP_DIR=$SHARE/applications
META_DIR=$SHARE/metainfo
DESKTOP=$(ls "$APP_DIR"/*.desktop 2>/dev/null) || fail "no desktop entry"
[ "$(echo "$DESKTOP" | wc -l)" -eq 1 ] || fail "more than one desktop entry: $DESKTOP"
APP_ID=$(basename "$DESKTOP" .desktop)

# Every file, and nothing else: a missing one breaks the game or the desktop,
# a stray one would end up in the package.
expected() {
  echo usr/games/zolvorn
  echo usr/games/zolmap
  echo usr/games/zolpack
  echo usr/lib/games/zolvorn/zolvorn
  echo usr/share/games/zolvorn/data/data.dpf
  for file in "$BUILD"/data/lang/*; do echo "usr/share/games/zolvorn/data/lang/${file##*/}"; done
  echo "usr/share/applications/$APP_ID.desktop"
  echo "usr/share/metainfo/$APP_ID.metainfo.xml"
  for size in "${ICON_SIZES[@]}"; do echo "usr/share/icons/hicolor/${size}x${size}/apps/zolvorn.png"; done
  echo usr/share/man/man6/zolvorn.6.gz
  echo usr/share/man/man1/zolmap.1.gz
  echo usr/share/man/man1/zolpack.1.gz
  echo usr/share/doc/zolvorn/copyright
  echo usr/share/doc/zolvorn/changelog.gz
}
DIFF=$(diff <(expected | sort) <(cd "$ROOT" && find . -type f -o -type l | sed 's#^\./##' | sort)) ||
  fail "installed files differ from the expected list (< missing, > unexpected):
$DIFF"
[ -n "$(ls "$BUILD"/data/lang/*.dat 2>/dev/null)" ] || fail "the build has no language files"

for program in games/zolvorn games/zolmap games/zolpack lib/games/zolvorn/zolvorn; do
  [ -x "$USR/$program" ] || fail "$program is not executable"
done
sh -n "$USR/games/zolvorn" || fail "the launcher is not a valid shell script"
"$USR/games/zolpack" list "$SHARE/games/zolvorn/data/data.dpf" >/dev/null || fail "zolpack cannot read the installed package"
cmp -s "$BUILD/data/data.dpf" "$SHARE/games/zolvorn/data/data.dpf" || fail "the installed package differs from the build's"
for file in "$BUILD"/data/lang/*; do
  cmp -s "$file" "$SHARE/games/zolvorn/data/lang/${file##*/}" || fail "the installed ${file##*/} differs from the build's"
done
for file in man/man6/zolvorn.6.gz man/man1/zolmap.1.gz man/man1/zolpack.1.gz doc/zolvorn/changelog.gz; do
  gzip -t "$SHARE/$file" || fail "$file is not a sound gzip file"
done

for size in "${ICON_SIZES[@]}"; do
  icon=$SHARE/icons/hicolor/${size}x${size}/apps/zolvorn.png
  [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] || fail "the ${size} pixel icon is not a ${size}x${size} PNG"
done

desktop-file-validate "$DESKTOP" || fail "desktop-file-validate refuses $APP_ID.desktop"
entry() { sed -n "s/^$1=//p" "$DESKTOP"; }
[ "$(entry Exec)" = zolvorn ] || fail "the desktop entry runs '$(entry Exec)', not the launcher"
[ "$(entry Icon)" = zolvorn ] || fail "the desktop entry shows the icon '$(entry Icon)'"
[[ ";$(entry Categories)" == *";Game;"* ]] || fail "the desktop entry is not in the Game category"

appstreamcli validate --no-net "$META_DIR/$APP_ID.metainfo.xml" || fail "appstreamcli refuses the metadata"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$META_DIR/$APP_ID.metainfo.xml" ||
  fail "the metadata does not launch $APP_ID.desktop"
echo "install: $(cd "$ROOT" && find . -type f | wc -l) files in place and valid"
