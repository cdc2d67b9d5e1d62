#!/usr/bin/env bash
# setup-demo.sh DEMO_DIR: turns the current Wine prefix into the demo machine. Installs the demo's programs
# silently in the order of DEMO_DIR/manifest.txt (NSIS installers with /S, the MSI with msiexec /qn), then
# runs demo-setup.exe for the rest (usage records, patches, run keys, screen savers) and checks that every
# uninstall entry is there. Stops at the first failure. Run it inside tools/with-wine.sh, which sets
# WINEPREFIX and WINELOADER and keeps the wineserver alive:
#   tools/with-wine.sh PREFIX tools/demo/setup-demo.sh BUILD/demo
# DEMO_DIR is what `cmake --build BUILD --target demo` made (${VARNOOK_DEMO_DIR} in CMake).
set -euo pipefail
demo=$(realpath "${1:?usage: setup-demo.sh DEMO_DIR}")
: "${WINEPREFIX:?run inside tools/with-wine.sh}" "${WINELOADER:?run inside tools/with-wine.sh}"
manifest="$demo/manifest.txt"
[ -f "$manifest" ] || { echo "setup-demo: $manifest missing: build the target demo" >&2; exit 1; }

# Wine empties the current directory when a folder delete goes wrong: stay out of any source tree.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

windows_path() { printf 'Z:%s\n' "${1//\//\\}"; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
started=$SECONDS

keys=()
while IFS=$'\t' read -r kind file key; do
    [ -n "$kind" ] || continue
    installer="$demo/$file"
    if [ ! -f "$installer" ]; then
        echo "setup-demo: $installer missing (was makensis or wixl found when the build was configured?)" >&2
        exit 1
    fi
    case "$kind" in
    nsis) "$WINELOADER" "$(windows_path "$installer")" /S </dev/null ;;
    msi) "$WINELOADER" msiexec /i "$(windows_path "$installer")" /qn </dev/null ;;
    *) echo "setup-demo: unknown kind '$kind' in $manifest" >&2; exit 1 ;;
    esac || { echo "setup-demo: installing $file failed" >&2; exit 1; }
    keys+=("$key")
done <"$manifest"

"$WINELOADER" "$(windows_path "$demo/demo-setup.exe")" "$(windows_path "$demo")" </dev/null

# Every installer's entry, and the patches that demo-setup wrote, must be in the uninstall key now.
listing=$("$WINELOADER" reg query "$uninstall_key" </dev/null | tr -d '\r')
missing=0
for key in "${keys[@]}" KB4471102 KB5012170; do
    if ! grep -qxF "HKEY_LOCAL_MACHINE${uninstall_key#HKLM}\\$key" <<<"$listing"; then
        echo "setup-demo: uninstall entry '$key' missing" >&2
        missing=1
    fi
done
[ "$missing" = 0 ] || exit 1
echo "setup-demo: ${#keys[@]} programs installed and the machine furnished in $((SECONDS - started)) s"
