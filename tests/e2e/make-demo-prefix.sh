#!/usr/bin/env bash
# make-demo-prefix.sh PREFIX DEMO_DIR: makes PREFIX a fresh demo machine for the end-to-end tests. Stops its
# wineserver, removes the prefix folder with everything in it, creates it again and installs the demo
# (DEMO_DIR, built by the target demo) with tools/demo/setup-demo.sh. PREFIX must be a folder named e2eprefix.
set -euo pipefail
prefix=$(realpath -m "${1:?usage: make-demo-prefix.sh PREFIX DEMO_DIR}")
demo=${2:?usage: make-demo-prefix.sh PREFIX DEMO_DIR}
root=$(cd "$(dirname "$0")/../.." && pwd)
# A wrong argument must never become an rm -rf of something else.
[ "$(basename "$prefix")" = e2eprefix ] || { echo "make-demo-prefix: $prefix is not an e2eprefix" >&2; exit 1; }

source "$root/tools/wine-env.sh"
if [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" "$WINESERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX="$prefix" "$WINESERVER" -w >/dev/null 2>&1 || true
fi
rm -rf "$prefix"
"$root/tools/with-wine.sh" "$prefix" "$root/tools/demo/setup-demo.sh" "$demo"
