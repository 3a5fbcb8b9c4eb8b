# Wine settings shared by the scripts and the ctest emulator: a project-private
# 64-bit prefix under build/ (unless QESH_WINEPREFIX names another), quiet, no
# Mono/Gecko. Source it; it defines QESH_ROOT, WINE and the helper functions
# below.
#
# Tools are Debian's unless the environment says otherwise:
#   QESH_WINE_DIR    folder of Wine's loaders and wineserver64 (/usr/lib/wine)
#   QESH_PYTHON      the Python with python3-dbf and python3-dbfread (/usr/bin/python3)
#   QESH_XVFB        the X server started when there is no display (Xvfb)
#   QESH_WINEPREFIX  a prefix of the user's to use for the 96 dpi tests; it is
#                    set up in place and never thrown away

QESH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
QESH_WINE_DIR="${QESH_WINE_DIR:-/usr/lib/wine}"
QESH_PYTHON="${QESH_PYTHON:-/usr/bin/python3}"
QESH_XVFB="${QESH_XVFB:-Xvfb}"

# QESH_DPI=120 selects a second prefix whose screen has 120 dots per inch;
# QESH_PREFIX_KIND=demo selects the demo's prefix (captions in a Chinese font).
QESH_DPI="${QESH_DPI:-96}"
QESH_PREFIX_KIND="${QESH_PREFIX_KIND:-test}"

# ctest can run the 96 dpi tests in lanes (scripts/test does): lane N > 0 has
# a copy of the prefix, an X server and a Wine server of its own, so tests in
# different lanes see none of each other's windows, named objects or debug
# output. ctest names a test's lane in CTEST_RESOURCE_GROUP_0_LANES
# ("id:N,slots:1"); lane 0 is the ordinary prefix and display.
QESH_LANE=0
if [[ "${CTEST_RESOURCE_GROUP_0_LANES:-}" =~ ^id:([0-9]+), ]]; then
  QESH_LANE=${BASH_REMATCH[1]}
fi
qesh_lane_prefix() { echo "$QESH_ROOT/build/wineprefix-lane$1"; }

if [ "$QESH_PREFIX_KIND" = demo ]; then
  export WINEPREFIX="$QESH_ROOT/build/wineprefix-demo"
elif [ "$QESH_DPI" != 96 ]; then
  export WINEPREFIX="$QESH_ROOT/build/wineprefix-${QESH_DPI}dpi"
elif [ "$QESH_LANE" != 0 ]; then
  export WINEPREFIX
  WINEPREFIX=$(qesh_lane_prefix "$QESH_LANE")
  [ -r "$WINEPREFIX/.qesh-display" ] && export DISPLAY="$(cat "$WINEPREFIX/.qesh-display")"
else
  export WINEPREFIX="${QESH_WINEPREFIX:-$QESH_ROOT/build/wineprefix}"
fi
export WINEARCH=win64
export WINEDEBUG=-all
# QESH_WINEDLLOVERRIDES adds overrides of a test's own (Wine reads them from
# the Unix environment the program starts with, not from the Windows one).
export WINEDLLOVERRIDES="mscoree,mshtml=${QESH_WINEDLLOVERRIDES:+;$QESH_WINEDLLOVERRIDES}"
export WINESERVER="$QESH_WINE_DIR/wineserver64"

# Some kernels cannot execute 32-bit Linux programs, and Debian's Wine needs its
# 32-bit loader for 32-bit Windows programs. Without it, the 64-bit loader is
# called directly for 64-bit programs.
wine32_runs() {
  "$QESH_WINE_DIR/wine" --version >/dev/null 2>&1
}
if wine32_runs; then
  WINE="$QESH_WINE_DIR/wine"
else
  WINE="$QESH_WINE_DIR/wine64"
  export WINELOADER="$QESH_WINE_DIR/wine64"
fi

# Starts an X server of our own when there is no display. The server picks a
# free display number itself and reports it when it accepts connections
# (-displayfd), so two scripts starting at once cannot take the same one. The
# Wine server must be started after DISPLAY is set: windows of a server
# started without it hang.
qesh_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local fifo number=
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/qesh-xvfb.XXXXXX")
  mkfifo "$fifo" || return 1
  "$QESH_XVFB" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" </dev/null \
    >/dev/null 2>&1 &
  QESH_XVFB_PID=$!
  # End of file (the server exited) or the timeout leaves the number empty.
  read -r -t 30 number <"$fifo" || true
  rm -f "$fifo"
  if ! [[ "$number" =~ ^[0-9]+$ ]] || ! kill -0 "$QESH_XVFB_PID" 2>/dev/null; then
    echo "wine-env: $QESH_XVFB did not start" >&2
    qesh_stop_display
    return 1
  fi
  export DISPLAY=":$number"
}

qesh_stop_display() {
  if [ -n "${QESH_XVFB_PID:-}" ]; then
    kill "$QESH_XVFB_PID" 2>/dev/null || true
    wait "$QESH_XVFB_PID" 2>/dev/null || true
    QESH_XVFB_PID=
  fi
}

# The prefix is made once. Two marker files: .qesh-prefix says the project
# made the folder (written first), .qesh-ready holds the checksum of the
# finished setup (written last), so changed settings or an interrupted setup
# make it again. Only a folder of the project's own (under build/, with one of
# the markers) is ever thrown away; a prefix the user named is set up in
# place.
qesh_prefix_version() {
  {
    cat "$QESH_ROOT/scripts/lib/test-prefix.reg"
    [ "$QESH_PREFIX_KIND" = demo ] && cat "$QESH_ROOT/scripts/lib/demo-prefix.reg"
    echo "$QESH_DPI"
  } | sha1sum | cut -d' ' -f1
}

# The registry settings of the prefix, with its screen's dpi.
qesh_prefix_registry() {
  local logpixels
  logpixels=$(printf '%08x' "$QESH_DPI")
  sed "s/\"LogPixels\"=dword:[0-9a-f]*/\"LogPixels\"=dword:$logpixels/" \
    "$QESH_ROOT/scripts/lib/test-prefix.reg"
  if [ "$QESH_PREFIX_KIND" = demo ]; then
    tail -n +2 "$QESH_ROOT/scripts/lib/demo-prefix.reg"
  fi
}

qesh_prefix_is_ours() {
  [ -n "${QESH_WINEPREFIX:-}" ] && [ "$WINEPREFIX" = "$QESH_WINEPREFIX" ] && return 1
  case "$WINEPREFIX" in
    "$QESH_ROOT"/build/*) [ -e "$WINEPREFIX/.qesh-prefix" ] || [ -e "$WINEPREFIX/.qesh-ready" ] ;;
    *) return 1 ;;
  esac
}

# The 96 dpi test prefix: another prefix of ours starts as a copy of it once
# it is made (a new prefix takes Wine many seconds of work).
qesh_base_prefix() { echo "${QESH_WINEPREFIX:-$QESH_ROOT/build/wineprefix}"; }
qesh_can_copy_base() {
  local base
  base=$(qesh_base_prefix)
  [ "$WINEPREFIX" != "$base" ] || return 1
  case "$WINEPREFIX" in
    "$QESH_ROOT"/build/*) ;;
    *) return 1 ;;
  esac
  [ "$(cat "$base/.qesh-ready" 2>/dev/null)" = "$(QESH_DPI=96 QESH_PREFIX_KIND=test qesh_prefix_version)" ]
}

# Copies prefix SRC (its server stopped) to DST. The system's program files,
# which Wine only reads once a prefix is made, are hard links to SRC's; every
# other file (registry, settings) is DST's own.
qesh_copy_prefix() {
  local src=$1 dst=$2
  cp -al "$src" "$dst" || return 1
  find "$dst" -type f -links +1 ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' \
    ! -iname '*.sys' ! -iname '*.ocx' ! -iname '*.cpl' ! -iname '*.acm' ! -iname '*.tlb' \
    ! -iname '*.ax' ! -iname '*.ds' ! -iname '*.msstyles' -print0 |
    while IFS= read -r -d '' file; do
      cp -p "$file" "$file.qesh-copy" && mv -f "$file.qesh-copy" "$file" || exit 1
    done
}

qesh_ensure_prefix() {
  if [ "$(cat "$WINEPREFIX/.qesh-ready" 2>/dev/null)" = "$(qesh_prefix_version)" ]; then
    qesh_link_fonts
    return 0
  fi
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if qesh_prefix_is_ours; then
    rm -rf "$WINEPREFIX"
  elif [ "$WINEPREFIX" != "${QESH_WINEPREFIX:-}" ] && [ -n "$(ls -A "$WINEPREFIX" 2>/dev/null)" ]; then
    echo "wine-env: $WINEPREFIX is not a prefix this project made; move it away" >&2
    return 1
  fi
  # The settings below make a copy of the test prefix what this one is.
  if qesh_can_copy_base; then
    rmdir "$WINEPREFIX" 2>/dev/null
    qesh_copy_prefix "$(qesh_base_prefix)" "$WINEPREFIX" || return 1
    rm -f "$WINEPREFIX/.qesh-ready" "$WINEPREFIX/.qesh-display" "$WINEPREFIX/.qesh-xvfb"
    : >"$WINEPREFIX/.qesh-prefix"
  else
    mkdir -p "$WINEPREFIX"
    case "$WINEPREFIX" in
      "$QESH_ROOT"/build/*) : >"$WINEPREFIX/.qesh-prefix" ;;
    esac
    "$WINE" wineboot --init </dev/null >/dev/null 2>&1 || true
  fi
  qesh_prefix_registry | iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/test-prefix.reg"
  "$WINE" regedit /S "$WINEPREFIX/test-prefix.reg" </dev/null >/dev/null 2>&1
  qesh_link_fonts
  "$WINESERVER" -w
  qesh_prefix_version >"$WINEPREFIX/.qesh-ready"
}

# Debian's Wine does not load its own fonts (Tahoma, Marlett for the close
# button...) unless they are in the prefix's font folder.
qesh_link_fonts() {
  local font
  for font in /usr/share/wine/fonts/*; do
    [ -e "$font" ] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  return 0
}

# One persistent, warmed-up server for a whole run: a cold Wine start costs
# seconds per program, a warm one a few hundredths.
qesh_start_server() {
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Makes test lane N (N > 0) ready: a copy of the lane 0 prefix (made anew
# when that one changed), an X server and a Wine server of its own. The lane's
# display and its X server's pid are kept in its prefix, for the tests and for
# qesh_stop_lane. Call it while the lane 0 server is stopped.
qesh_start_lane() {
  local prefix
  prefix=$(qesh_lane_prefix "$1")
  if [ "$(cat "$prefix/.qesh-ready" 2>/dev/null)" != "$(cat "$WINEPREFIX/.qesh-ready")" ]; then
    qesh_stop_lane "$1"
    rm -rf "$prefix"
    qesh_copy_prefix "$WINEPREFIX" "$prefix" || return 1
    rm -f "$prefix/.qesh-display" "$prefix/.qesh-xvfb"
    : >"$prefix/.qesh-prefix"
  fi
  (
    export WINEPREFIX=$prefix
    unset DISPLAY
    qesh_ensure_display || exit 1
    echo "$DISPLAY" >"$prefix/.qesh-display"
    echo "$QESH_XVFB_PID" >"$prefix/.qesh-xvfb"
    qesh_start_server
  )
}

# Ends test lane N's Wine server and X server.
qesh_stop_lane() {
  local prefix pid
  prefix=$(qesh_lane_prefix "$1")
  [ -d "$prefix" ] || return 0
  WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix "$WINESERVER" -w >/dev/null 2>&1 || true
  pid=$(cat "$prefix/.qesh-xvfb" 2>/dev/null) || true
  # Only an X server of ours: the pid may have been reused since.
  if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$(basename "$QESH_XVFB")" ]; then
    kill "$pid" 2>/dev/null || true
  fi
  rm -f "$prefix/.qesh-display" "$prefix/.qesh-xvfb"
}

# Ends the server of the prefix and every Wine process in it, and waits until
# it is gone.
qesh_stop_server() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
}
