#!/usr/bin/env bash
# Makes one shortcut with setup's own shell-link code under Wine and reads it back with
# lnkinfo, a reader that shares no code with Windows or Wine.
# Usage: lnkinfo_check.sh <path of shell_make_link.exe>
set -u
helper=$1
. "$(dirname "$0")/../wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "lnkinfo_check: no Wine prefix at $WINEPREFIX" >&2
    exit 2
fi
command -v lnkinfo >/dev/null || { echo "lnkinfo_check: lnkinfo (liblnk-utils) is missing" >&2; exit 2; }

# A folder name with spaces, on drive C: of the prefix, so both path forms are known.
name="lnkinfo check $$"
unix_folder="$WINEPREFIX/drive_c/$name"
windows_folder="C:\\$name"
trap 'rm -rf "$unix_folder"' EXIT
mkdir -p "$unix_folder"

# Wine's helper processes inherit stdout; keep them off any pipe the caller waits on.
"$WINELOADER" "$helper" "$windows_folder" </dev/null >/dev/null 2>&1
status=$?
if [ $status -ne 0 ]; then
    echo "shell_make_link exited with $status"
    exit 1
fi

link="$unix_folder/Velmondo.lnk"
info=$(lnkinfo "$link") || { echo "lnkinfo cannot read $link"; exit 1; }
field() { printf '%s\n' "$info" | sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" | head -n 1; }

fail=0
expect() {  # field name, expected text
    local found
    found=$(field "$1")
    if [ "$found" = "$2" ]; then
        echo "$1: $found"
    else
        echo "$1: expected '$2', found '$found'"
        fail=1
    fi
}
expect "Local path" "$windows_folder\\Program Files\\Velmondo\\Velmondo.exe"
expect "Working directory" "$windows_folder\\Program Files\\Velmondo"
expect "Description" "Velmondo"
[ $fail -eq 0 ] && echo "lnkinfo reads the shortcut as written"
exit $fail
