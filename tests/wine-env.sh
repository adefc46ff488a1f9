# Environment of every Wine run: the project's own prefix, never the user's ~/.wine.
# Sourced by build.sh and wine-run.sh.
VELMONDO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]:-$0}")/.." && pwd)
# Wine runs 32-bit programs only where the kernel runs 32-bit x86 code; some sandboxed
# kernels (gVisor) refuse it with "Exec format error". There the Windows tests run the
# x86_64 build of the same sources under 64-bit Wine.
if [ -z "${VELMONDO_WINE_BITS:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        VELMONDO_WINE_BITS=32
    else
        VELMONDO_WINE_BITS=64
    fi
fi
export VELMONDO_WINE_BITS
if [ "$VELMONDO_WINE_BITS" = 32 ]; then
    export WINELOADER=/usr/lib/wine/wine WINEARCH=win32
    VELMONDO_WIN_BUILD=win32
else
    export WINELOADER=/usr/lib/wine/wine64 WINEARCH=win64
    VELMONDO_WIN_BUILD=win64
fi
export WINEPREFIX="${VELMONDO_WINEPREFIX:-$VELMONDO_ROOT/build/wineprefix$VELMONDO_WINE_BITS}"
export WINEDEBUG="${WINEDEBUG:--all}"
# winemenubuilder would turn the shortcuts setup makes into Linux menu entries;
# mscoree and mshtml would ask to download Mono and Gecko when the prefix is made.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# A zone other than UTC, so a missing local-to-UTC conversion of file times shows.
export TZ=Etc/GMT-3
