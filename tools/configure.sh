#!/usr/bin/env bash
# configure.sh ARCH: configures (once) and prints the build folder for ARCH (i686 or x86_64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1
build=${VARNOOK_BUILD:-$root/build}/$arch
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
echo "$build"
