#!/bin/sh
# Converts the UI driver's screenshots (BMP) into PNG files for docs/ and review.
#   tests/e2e/screenshots_to_png.sh build/win64/screenshots docs/screenshots
set -eu
from=${1:?folder of the .bmp screenshots}
to=${2:?folder for the .png files}
command -v convert >/dev/null || { echo "screenshots_to_png: ImageMagick's convert is missing" >&2; exit 1; }
mkdir -p "$to"
for picture in "$from"/*.bmp; do
    [ -e "$picture" ] || { echo "screenshots_to_png: no screenshots in $from" >&2; exit 1; }
    name=$(basename "$picture" .bmp)
    convert "$picture" "$to/$name.png"
    echo "$to/$name.png"
done
