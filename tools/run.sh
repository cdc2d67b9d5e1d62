#!/usr/bin/env bash
# Builds Varnook and runs it under Wine in its own prefix (build/<arch>/runprefix), which gets a few sample
# programs on first use. Until the window program lands this is the inventory listing: every program and
# screen saver the inventory server sees.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/tools/deps.sh"
source "$root/tools/wine-env.sh"
build=$("$root/tools/configure.sh" "$VARNOOK_ARCH")
cmake --build "$build" -j "$(nproc)" --target deliverables

mkdir -p "$build/scratch"
cd "$build/scratch"
prefix="$build/runprefix"
if [ ! -f "$prefix/.varnook-samples" ]; then
    samples="Z:$(echo "$root/tools/demo/sample-programs.reg" | tr / '\\')"
    "$root/tools/with-wine.sh" "$prefix" "$WINELOADER" reg import "$samples" >/dev/null 2>&1
    mkdir -p "$prefix/drive_c/Program Files/Northwind Notes"
    head -c 180000 /dev/zero > "$prefix/drive_c/Program Files/Northwind Notes/notes.exe"
    touch "$prefix/.varnook-samples"
fi
"$root/tools/with-wine.sh" "$prefix" "$WINELOADER" "$build/tools/inventory-dump/inventory-dump.exe" "$@"
