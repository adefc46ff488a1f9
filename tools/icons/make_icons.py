#!/usr/bin/env python3
"""Draws the program icon (100) and the progress page's pictures (101, 102) as 8-bit .ico files."""
import math
import struct
import sys
from pathlib import Path

# A small fixed palette: index 0 is never drawn (transparent pixels carry it).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (40, 80, 170), (120, 170, 230), (200, 225, 250),
    (60, 60, 60), (128, 128, 128), (192, 192, 192), (255, 255, 255), (230, 180, 40),
    (40, 140, 60), (250, 240, 200),
]


def magnifier(x, y, size):
    """A magnifying glass: the product searches the desktop."""
    s = size / 32.0
    cx, cy, r = 13 * s, 13 * s, 9.5 * s
    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    if d <= r - 2.6 * s:
        return 4 if (x + y) * 1.0 / s < 20 else 3
    if d <= r:
        return 1 if d > r - 1.2 * s else 2
    # Handle along the diagonal, below right of the lens.
    u = (x + 0.5 + y + 0.5) / math.sqrt(2) / s
    v = abs(x - y) / math.sqrt(2) / s
    if 17.5 <= u <= 29 * math.sqrt(2) * 0.98 and v <= 2.4:
        return 5 if v > 1.2 else 6
    return None


def document(x, y, size):
    """A page with lines of text and a folded corner: files being created."""
    if not (7 <= x <= 24 and 3 <= y <= 28):
        return None
    if x == 7 or x == 24 or y == 3 or y == 28:
        if x >= 19 and y <= 8 and (x - 19) > (y - 3):
            return None
        return 5
    if x >= 19 and y <= 8:
        if (x - 19) > (y - 3):
            return None
        if (x - 19) == (y - 3) or x == 19 or y == 8:
            return 5
        return 7
    if 10 <= x <= 21 and y in (11, 14, 17, 20, 23):
        return 2
    return 8


def shortcut(x, y, size):
    """A white tile with the shell's curved shortcut arrow: shortcuts being created."""
    if not (4 <= x <= 27 and 4 <= y <= 27):
        return None
    if x in (4, 27) or y in (4, 27):
        return 5
    d = math.hypot(x + 0.5 - 9, y + 0.5 - 23)
    if 9 <= d <= 13 and x >= 9 and y <= 23:
        return 1
    if 18 <= x <= 25 and 6 <= y <= 13 and (x - 18) + (13 - y) >= 7 and (x - 18) <= 7 and (13 - y) <= 7:
        return 1
    return 11


def image(draw, size):
    """Returns the icon image entry: BITMAPINFOHEADER, palette, XOR rows, AND mask, bottom-up."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    palette += b'\0' * (1024 - len(palette))
    pixels = bytearray()
    mask = bytearray()
    mask_row_bytes = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray()
        bits = bytearray(mask_row_bytes)
        for x in range(size):
            colour = draw(x, y, size)
            row.append(colour or 0)
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        pixels += row + b'\0' * ((-len(row)) % 4)
        mask += bits
    return header + palette + bytes(pixels) + bytes(mask)


def icon(draw, sizes):
    images = [image(draw, size) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else 'resources')
    (folder / 'setup.ico').write_bytes(icon(magnifier, [32, 16]))
    (folder / 'files.ico').write_bytes(icon(document, [32]))
    (folder / 'shortcuts.ico').write_bytes(icon(shortcut, [32]))


if __name__ == '__main__':
    main()
