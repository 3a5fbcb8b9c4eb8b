#!/usr/bin/env bash
# Debian's Free Pascal has no Windows units: builds them once from Debian's
# fpc-source, for x86_64 (with Debian's ppcx64) and i686 (with a ppcross386
# cross compiler built from the same sources), into CACHE:
#   CACHE/bin/ppcross386, CACHE/units/x86_64-win64/, CACHE/units/i386-win32/
# A marker holding the compiler's version and this script's checksum says the
# cache is complete; with it in place nothing is built again.
#
# usage: fpc_windows_units.sh CACHE
set -euo pipefail
cache=$1
version=$(ppcx64 -iV)
src=/usr/share/fpcsrc/$version
msg=/usr/lib/x86_64-linux-gnu/fpc/$version/msg/errore.msg
stamp="$version $(sha1sum "${BASH_SOURCE[0]}" | cut -d' ' -f1)"
[ "$(cat "$cache/.qesh-ready" 2>/dev/null)" = "$stamp" ] && exit 0

rm -rf "$cache"
mkdir -p "$cache/bin" "$cache/work/compiler"

# The i686 cross compiler. The message texts it is built with are made from
# the compiler's own message file, as its build does.
(
  cd "$cache/work/compiler"
  ppcx64 -FE. -FU. "$src/compiler/utils/msg2inc.pp" >/dev/null
  ./msg2inc "$msg" msg msg >/dev/null
  ppcx64 -Fi. -Fu"$src/compiler" -Fi"$src/compiler" -Fu"$src/compiler/i386" \
    -Fi"$src/compiler/i386" -Fu"$src/compiler/x86" -Fi"$src/compiler/x86" \
    -Fu"$src/compiler/systems" -Fi"$src/compiler/systems" -di386 -dGDB -dBROWSERLOG -Sg -O2 \
    -FU. -FE"$cache/bin" -oppcross386 "$src/compiler/pp.pas" >/dev/null
)

# The RTL of each target, as rtl/<os>/Makefile.fpc builds it: the system
# unit, objpas, then every other unit through buildrtl.
rtl() {
  local compiler=$1 cpu=$2 os=$3
  local out="$cache/units/$cpu-$os" r="$src/rtl"
  mkdir -p "$out"
  local fpc=("$compiler" -n -T"$os" -O2 -FU"$out" -Fu"$out" -Fi"$r/inc" -Fi"$r/$cpu" -Fu"$r/inc"
    -Fu"$r/$cpu" -Fi"$r/win" -Fu"$r/win")
  cd "$r/$os"
  "${fpc[@]}" -Us -Sg system.pp >/dev/null
  "${fpc[@]}" -I"$r/objpas" "$r/objpas/objpas.pp" >/dev/null
  "${fpc[@]}" -Fi"$r/objpas/sysutils" -Fi"$r/objpas/classes" -I"$r/objpas" -I"$r/win/wininc" \
    -Fu"$r/win/wininc" -Fu"$r/objpas" buildrtl.pp >/dev/null
}
rtl ppcx64 x86_64 win64
rtl "$cache/bin/ppcross386" i386 win32

rm -rf "$cache/work"
echo "$stamp" >"$cache/.qesh-ready"
