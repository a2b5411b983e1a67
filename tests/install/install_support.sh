# Shared by the install checks: installs the build into a root folder with the
# /usr prefix, as the Debian package does. Source it after setting CMAKE and
# BUILD.

# install_into ROOT [more cmake --install options, e.g. --strip]
install_into() {
  local log
  if ! log=$(DESTDIR=$1 "$CMAKE" --install "$BUILD" --prefix /usr "${@:2}" 2>&1); then
    echo "$log" >&2
    echo "install: cmake --install into $1 failed" >&2
    return 1
  fi
}

# The icon theme sizes the game ships its icon in.
ICON_SIZES=(16 24 32 48 64 128 256)
