# Shared by the end-to-end scripts: runs the script again inside a virtual X
# server, starts the real game in a folder of its own (with the build's data
# beside it, since the game saves into its working folder) and offers the
# helpers the scripts need. Every script takes the same arguments,
#   <script> <zolvorn executable> <build folder> [screenshot folder]
# read here into GAME, BUILD, SHOTS (the game's folder when not given) and
# ZOLMAP. A script that defines prepare_game before sourcing this has it run
# in that folder just before the start, to change GAME or the environment.

if [ -z "${ZV_E2E_INSIDE_XVFB:-}" ]; then
  export ZV_E2E_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
fi

GAME=$1
BUILD=$2
ZOLMAP=$BUILD/zolmap
unset QT_QPA_PLATFORM
export SDL_AUDIODRIVER=dummy
WORK=$(mktemp -d)
SHOTS=${3:-$WORK}
ln -s "$BUILD/data" "$WORK/data"
cd "$WORK"
if declare -F prepare_game >/dev/null; then prepare_game; fi
"$GAME" >"$WORK/game.log" 2>&1 &
PID=$!
cleanup() {
  kill "$PID" 2>/dev/null || true
  wait "$PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "e2e: $*" >&2
  cat "$WORK/game.log" >&2 || true
  exit 1
}

# The id of the visible window with exactly this caption, waiting up to 10 s.
find_window() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits for Ctrl+S to have written mapa.map.
wait_for_save() {
  for _ in $(seq 50); do [ -f mapa.map ] && return 0; sleep 0.1; done
  fail "Ctrl+S saved no mapa.map"
}

# Saves with Ctrl+S into $1 (a fresh mapa.map each time); MAIN is the main
# window.
save_as() {
  rm -f mapa.map
  focus_window "$MAIN"
  xdotool key ctrl+s
  wait_for_save
  sleep 0.2
  cp mapa.map "$1"
}

# Gives the window the focus; without a window manager this is what makes the
# application active, and only an active application runs frames.
focus_window() {
  for _ in $(seq 20); do
    xdotool windowfocus "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "cannot focus window $1"
}

# Drags with the left button held along one screen row, a few pixels a step.
drag_along_row() {
  local row=$1 from=$2 to=$3
  xdotool mousemove "$from" "$row"
  sleep 0.2
  xdotool mousedown 1
  for x in $(seq "$from" 8 "$to"); do
    xdotool mousemove "$x" "$row"
    sleep 0.05
  done
  sleep 0.2
  xdotool mouseup 1
}
