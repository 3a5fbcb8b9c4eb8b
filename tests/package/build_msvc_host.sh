#!/usr/bin/env bash
# Builds msvc_host.c the way Visual C++ builds a host, for ARCH (i686 or
# x86_64): clang for the *-pc-windows-msvc target, lld-link with no default
# libraries, linked against RELEASE/lib/qesh_deleteIndex_dbf.lib and system
# import libraries made by llvm-dlltool from msvc_host_system.def.
#
# usage: build_msvc_host.sh ARCH RELEASE OUT_DIR   (writes OUT_DIR/msvc_host.exe)
set -euo pipefail
arch=$1 release=$2 out=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
case "$arch" in
  i686) machine=x86 dlltool_machine=i386 ;;
  x86_64) machine=x64 dlltool_machine=i386:x86-64 ;;
  *) echo "build_msvc_host: unknown architecture $arch" >&2; exit 2 ;;
esac
mkdir -p "$out"
cd "$out"

# One import library per LIBRARY block; x86_64 names carry no decoration.
awk -v out="$PWD" '/^LIBRARY / { file = out "/" $2 ".def" } file { print > file }' \
  "$here/msvc_host_system.def"
libs=()
for def in kernel32.dll.def oleaut32.dll.def; do
  [ "$arch" = x86_64 ] && sed -i -E 's/@[0-9]+$//' "$def"
  llvm-dlltool -m "$dlltool_machine" -k -d "$def" -l "${def%.dll.def}.lib"
  libs+=("${def%.dll.def}.lib")
done

clang --target="$arch-pc-windows-msvc" -std=c99 -Wall -Wextra -Werror -ffreestanding -fno-builtin \
  -c "$here/msvc_host.c" -o msvc_host.obj
lld-link /nologo /nodefaultlib /subsystem:console /entry:HostMain /machine:"$machine" \
  /out:msvc_host.exe msvc_host.obj "$release/lib/qesh_deleteIndex_dbf.lib" "${libs[@]}"
