#!/usr/bin/env bash
# Builds Varnook and runs it under Wine in its own prefix (build/<arch>/runprefix). Until the window
# program lands this is the inventory listing: every program and screen saver the inventory server sees.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/tools/deps.sh"
source "$root/tools/wine-env.sh"
build=$("$root/tools/configure.sh" "$VARNOOK_ARCH")
cmake --build "$build" -j "$(nproc)" --target deliverables

mkdir -p "$build/scratch"
cd "$build/scratch"
"$root/tools/with-wine.sh" "$build/runprefix" "$WINELOADER" "$build/tools/inventory-dump/inventory-dump.exe" "$@"
