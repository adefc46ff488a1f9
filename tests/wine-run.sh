#!/usr/bin/env bash
# Runs a Windows program under Wine on the project's prefix (the CMake cross-compiling emulator).
. "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run: no Wine prefix at $WINEPREFIX; run ./build.sh prefix first" >&2
    exit 2
fi
# Wine starts its system processes (services, explorer) from the first program that needs
# them, and they inherit that program's output. Were it CTest's pipe, CTest would wait for
# them to end, which is never: so the program writes to a file that is shown afterwards.
output=$(mktemp)
"$WINELOADER" "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit $status
