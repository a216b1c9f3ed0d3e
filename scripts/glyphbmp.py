#!/usr/bin/env python3
"""Builds the glyph strip bitmap from its rows of palette digits.

usage: glyphbmp.py rows.inc out.bmp

The rows are the quoted strings of rows.inc, top row first, one hexadecimal
digit a pixel. The bitmap is a 4-bit DIB with a 40-byte header, the 16
standard colours and its rows bottom first, each padded to 4 bytes.
"""
import re
import struct
import sys

PALETTE = [  # red, green, blue of the 16 standard colours
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def main(source, target):
    rows = re.findall(r'"([0-9a-fA-F]*)"', open(source).read())
    width = len(rows[0]) if rows else 0
    if not rows or any(len(row) != width for row in rows):
        sys.exit(f"{source}: rows missing or of unequal length")
    stride = (width * 4 + 31) // 32 * 4
    pixels = b"".join(bytes.fromhex(row + "0" * (2 * stride - width))
                      for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, len(rows), 1, 4, 0,
                       len(pixels), 0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(target, "wb") as out:
        out.write(header + info + palette + pixels)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
