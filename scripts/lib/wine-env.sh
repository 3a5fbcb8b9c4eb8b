# Wine settings shared by the scripts and the ctest emulator: a project-private
# 64-bit prefix under build/ (never the user's own), quiet, no Mono/Gecko.
# Source it; it defines QESH_ROOT, WINE and the helper functions below.

QESH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# QESH_DPI=120 selects a second prefix whose screen has 120 dots per inch.
QESH_DPI="${QESH_DPI:-96}"
if [ "$QESH_DPI" = 96 ]; then
  export WINEPREFIX="${QESH_WINEPREFIX:-$QESH_ROOT/build/wineprefix}"
else
  export WINEPREFIX="${QESH_WINEPREFIX:-$QESH_ROOT/build/wineprefix-${QESH_DPI}dpi}"
fi
export WINEARCH=win64
export WINEDEBUG=-all
# QESH_WINEDLLOVERRIDES adds overrides of a test's own (Wine reads them from
# the Unix environment the program starts with, not from the Windows one).
export WINEDLLOVERRIDES="mscoree,mshtml=${QESH_WINEDLLOVERRIDES:+;$QESH_WINEDLLOVERRIDES}"
export WINESERVER=/usr/lib/wine/wineserver64

# Some kernels cannot execute 32-bit Linux programs, and Debian's Wine needs its
# 32-bit loader for 32-bit Windows programs. Without it, the 64-bit loader is
# called directly for 64-bit programs.
wine32_runs() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}
if wine32_runs; then
  WINE=/usr/lib/wine/wine
else
  WINE=/usr/lib/wine/wine64
  export WINELOADER=/usr/lib/wine/wine64
fi

# Starts an Xvfb of our own when there is no display. The Wine server must be
# started after DISPLAY is set: windows of a server started without it hang.
qesh_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QESH_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  export DISPLAY=":$n"
}

qesh_stop_display() {
  if [ -n "${QESH_XVFB_PID:-}" ]; then
    kill "$QESH_XVFB_PID" 2>/dev/null || true
    wait "$QESH_XVFB_PID" 2>/dev/null || true
    QESH_XVFB_PID=
  fi
}

# Creates the prefix once; a marker file tells a finished setup from an
# interrupted one, which is thrown away and made again. The marker holds the
# checksum of the registry settings, so changed settings make a new prefix.
qesh_prefix_version() {
  { cat "$QESH_ROOT/scripts/lib/test-prefix.reg"; echo "$QESH_DPI"; } | sha1sum | cut -d' ' -f1
}

# The registry settings of the prefix, with its screen's dpi.
qesh_prefix_registry() {
  local logpixels
  logpixels=$(printf '%08x' "$QESH_DPI")
  sed "s/\"LogPixels\"=dword:[0-9a-f]*/\"LogPixels\"=dword:$logpixels/" \
    "$QESH_ROOT/scripts/lib/test-prefix.reg"
}

qesh_ensure_prefix() {
  if [ "$(cat "$WINEPREFIX/.qesh-ready" 2>/dev/null)" = "$(qesh_prefix_version)" ]; then
    qesh_link_fonts
    return 0
  fi
  "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot --init </dev/null >/dev/null 2>&1 || true
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
  rm -f "$WINEPREFIX/drive_c/windows/Fonts/*"
}

# One persistent, warmed-up server for a whole run: a cold Wine start costs
# seconds per program, a warm one a few hundredths.
qesh_start_server() {
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

qesh_stop_server() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
}
