#!/usr/bin/env bash
# with-wine.sh PREFIX COMMAND...: runs COMMAND with a ready Wine prefix and one wineserver kept alive for
# the whole command, and stops that server afterwards. The prefix is created on first use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
prefix=$(realpath -m "$1")
shift
export WINEPREFIX="$prefix"

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix/home"
    # With its home inside the prefix the profile's shell folders are real, empty folders rather than
    # links to the real home, which a delete that follows links could reach.
    HOME="$prefix/home" "$WINELOADER" wineboot -i >/dev/null 2>&1 </dev/null || true
    "$WINESERVER" -w
fi
find "$prefix/drive_c/users" -maxdepth 3 -type l 2>/dev/null | while read -r link; do
    rm -f "$link" && mkdir -p "$link"
done

"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true
"$WINESERVER" -p </dev/null >/dev/null 2>&1
trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT
"$WINELOADER" wineboot </dev/null >/dev/null 2>&1 || true

"$@"
