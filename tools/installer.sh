#!/usr/bin/env bash
# Builds the installer a user downloads, Varnook-Setup-<version>.exe for 32-bit Windows, and prints its path.
#   bash tools/installer.sh        (build folder: build/i686, or $VARNOOK_BUILD/i686)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/tools/deps.sh" >&2
build=$("$root/tools/configure.sh" i686)
cmake --build "$build" -j "$(nproc)" --target installer >&2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
echo "$build/Varnook-Setup-$version.exe"
