#!/usr/bin/env bash
# Runs a Windows program under Wine on the project's prefix (the CMake cross-compiling emulator).
. "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run: no Wine prefix at $WINEPREFIX; run ./build.sh prefix first" >&2
    exit 2
fi
exec "$WINELOADER" "$@"
