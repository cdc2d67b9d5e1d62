# Sourced by the scripts: chooses the Wine loader this machine can run.
# Varnook is a 32-bit program; where the kernel cannot run 32-bit Linux binaries (so no 32-bit Wine), the
# same sources are built for 64-bit Windows and tested in a win64 prefix instead.
if [ -z "${VARNOOK_ARCH:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        VARNOOK_ARCH=i686
    else
        VARNOOK_ARCH=x86_64
    fi
fi
if [ "$VARNOOK_ARCH" = i686 ]; then
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
fi
export VARNOOK_ARCH WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver32
# No menu entries in the real home for the shortcuts that installers make in a prefix.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
