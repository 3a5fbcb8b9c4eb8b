#!/usr/bin/env bash
# Builds pascal_host.dpr with Free Pascal for ARCH (i686 or x86_64) against
# RELEASE/pascal/ and the Windows units of CACHE (fpc_windows_units.sh).
#
# usage: build_pascal_host.sh ARCH RELEASE OUT_DIR CACHE   (writes OUT_DIR/pascal_host.exe)
set -euo pipefail
arch=$1 release=$2 out=$3 cache=$4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
case "$arch" in
  i686) compiler=$cache/bin/ppcross386 units=$cache/units/i386-win32 os=win32 ;;
  x86_64) compiler=ppcx64 units=$cache/units/x86_64-win64 os=win64 ;;
  *) echo "build_pascal_host: unknown architecture $arch" >&2; exit 2 ;;
esac
mkdir -p "$out"
# Warnings are errors (-Sew): the unit must compile cleanly in a host.
"$compiler" -n -T"$os" -Sew -vw -Fu"$units" -Fu"$release/pascal" -FU"$out" -FE"$out" \
  "$here/pascal_host.dpr"
