#!/bin/sh
# Prints the size of setup.exe and of its stub: every section but the resources.
exe=$1
total=$(stat -c %s "$exe")
rsrc=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 == ".rsrc" { print $3 }')
rsrc=$(printf '%d' "0x${rsrc:-0}")
# Sections are stored in 512-byte file-alignment units.
rsrc_raw=$(( (rsrc + 511) / 512 * 512 ))
echo "setup.exe: $total bytes; stub (all but .rsrc): $((total - rsrc_raw)) bytes"
