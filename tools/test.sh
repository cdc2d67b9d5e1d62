#!/usr/bin/env bash
# Builds Varnook and runs every test under Wine (and Xvfb for windows). Exit status: 0 when all pass.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/tools/deps.sh"
source "$root/tools/wine-env.sh"

# The shipped deliverables are always built for 32-bit Windows.
target=$("$root/tools/configure.sh" i686)
cmake --build "$target" -j "$(nproc)" --target deliverables

build=$("$root/tools/configure.sh" "$VARNOOK_ARCH")
if [ "$VARNOOK_ARCH" != i686 ]; then
    echo "note: this kernel runs no 32-bit Linux programs, so the tests run as 64-bit Windows programs"
fi
cmake --build "$build" -j "$(nproc)"

# Everything that may delete runs from the scratch folder, never from the source tree.
mkdir -p "$build/scratch"
cd "$build/scratch"
xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/tools/with-wine.sh" "$build/wineprefix" \
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600
