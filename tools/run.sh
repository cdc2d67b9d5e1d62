#!/usr/bin/env bash
# Builds Varnook and its installer, installs it with that installer into its own Wine prefix
# (build/<arch>/runprefix, which becomes the demo machine of tools/demo on first use) and starts it: on your
# display when there is one, otherwise under Xvfb, where it waits for the main window, saves a screenshot
# (build/<arch>/screenshots/run.png) and ends the program.
#   bash tools/run.sh           the program
#   bash tools/run.sh --dump    the inventory as a console listing instead
#   (--bench N and --list-bench N: the benchmarks that tools/bench.sh runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/tools/deps.sh"
source "$root/tools/wine-env.sh"
build=$("$root/tools/configure.sh" "$VARNOOK_ARCH")
cmake --build "$build" -j "$(nproc)" --target deliverables demo

mkdir -p "$build/scratch"
cd "$build/scratch"
prefix="$build/runprefix"
# The demo machine is laid on a fresh prefix only: a prefix without the marker (a failed set-up, or one
# from before the demo) is made anew.
if [ ! -f "$prefix/.varnook-demo" ]; then
    rm -rf "$prefix"
    "$root/tools/with-wine.sh" "$prefix" "$root/tools/demo/setup-demo.sh" "$build/demo"
    touch "$prefix/.varnook-demo"
fi

if [ "${1:-}" = --dump ] || [ "${1:-}" = --bench ]; then
    exec "$root/tools/with-wine.sh" "$prefix" "$WINELOADER" "$build/tools/inventory-dump/inventory-dump.exe" "$@"
fi
if [ "${1:-}" = --list-bench ]; then
    cmake --build "$build" -j "$(nproc)" --target list-bench
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$root/tools/with-wine.sh" "$prefix" "$WINELOADER" \
        "$build/tools/inventory-dump/list-bench.exe" "${2:-1000}"
fi

# Installed as a user installs it, by its installer (silently, and on every run, so the prefix has this build).
setup=$(ls "$build"/Varnook-Setup-*.exe)
"$root/tools/with-wine.sh" "$prefix" "$WINELOADER" "$setup" /S
program='C:\Program Files\Varnook\Varnook.exe'

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$root/tools/with-wine.sh" "$prefix" "$WINELOADER" "$program"
fi

shots="$build/screenshots"
mkdir -p "$shots"
cat > "$build/scratch/run-headless.sh" <<SCRIPT
#!/usr/bin/env bash
"\$WINELOADER" '$program' &
for i in \$(seq 1 120); do
    xwininfo -name Varnook 2>/dev/null | grep -q IsViewable && break
    sleep 0.5
done
sleep 2
import -window root "$shots/run.png"
"\$WINESERVER" -k
SCRIPT
chmod +x "$build/scratch/run-headless.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$root/tools/with-wine.sh" "$prefix" "$build/scratch/run-headless.sh"
echo "No display: Varnook ran under Xvfb; its window is in $shots/run.png"
