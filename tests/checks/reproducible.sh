#!/bin/sh
# Builds setup.exe a second time in a fresh folder and compares it byte for byte.
source_dir=$1
first=$2
host_tools=$3
second_dir=$(dirname "$(dirname "$first")")/../repro
rm -rf "$second_dir"
cmake -S "$source_dir" -B "$second_dir" -G Ninja -DVELMONDO_BUILD=win32 \
      -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw.cmake" -DVELMONDO_WIN_ARCH=i686 -DHOST_TOOLS_DIR="$host_tools" >/dev/null || exit 2
cmake --build "$second_dir" --target setup >/dev/null || exit 2
if cmp "$first" "$second_dir/bin/setup.exe"; then
    echo "setup.exe is byte-identical across two builds ($(stat -c %s "$first") bytes)"
    rm -rf "$second_dir"
else
    echo "setup.exe differs between two builds of the same sources"
    exit 1
fi
