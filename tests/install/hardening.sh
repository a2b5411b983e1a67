#!/usr/bin/env bash
# The programs that read other people's files, installed stripped as the
# package ships them: position-independent, with a stack protector, a
# relocation table made read-only and every symbol bound at start, fortified
# copies and prints where the build is optimised, and no compiler notes left.
#   hardening.sh <cmake> <build folder> <1 if the build is fortified, else 0>
set -euo pipefail
CMAKE=$1
BUILD=$2
FORTIFIED=$3
source "$(dirname "$0")/install_support.sh"

ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
FAILED=0
fail() {
  echo "hardening: $*" >&2
  FAILED=1
}

install_into "$ROOT" --strip
for program in games/zolvorn games/zolmap games/zolpack lib/games/zolvorn/zolvorn; do
  file=$ROOT/usr/$program
  # The launcher is a script; every other program must be hardened.
  [ "$(head -c 4 "$file")" = $'\x7fELF' ] || continue
  dynamic=$(readelf -d -W "$file")
  grep -Eq '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*\bNOW\b' <<<"$dynamic" || fail "$program binds its symbols lazily"
  grep -Eq '\(FLAGS_1\).*\bPIE\b' <<<"$dynamic" || fail "$program is not position-independent"
  readelf -l -W "$file" | grep -q GNU_RELRO || fail "$program has no read-only relocation segment"
  symbols=$(readelf --dyn-syms -W "$file")
  grep -Eq ' __stack_chk_fail(@|$)' <<<"$symbols" || fail "$program has no stack protector"
  if [ "$FORTIFIED" = 1 ] && ! grep -E ' __[a-z0-9_]+_chk(@|$)' <<<"$symbols" | grep -vq ' __stack_chk_fail'; then
    fail "$program calls no fortified function"
  fi
  sections=$(readelf -S -W "$file")
  grep -Eq '\] \.comment ' <<<"$sections" && fail "$program keeps its .comment section"
  grep -Eq '\] \.note ' <<<"$sections" && fail "$program keeps a bare .note section"
done
[ "$FAILED" = 0 ] || exit 1
echo "hardening: the installed programs are hardened and stripped"
