#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's icon: a 32x32, 16-colour picture of a small LED cube
seen at an angle like the window's cube, written as a 4-bit palette PNG (the
desktop's icon) and as C++ data (the window's icon, which needs no image
decoder). Usage: draw-icon.py [PNG] [HEADER]"""
import struct
import sys
import zlib

SIZE = 32
# Index 0 is transparent; the rest is the classic 16-colour palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRANSPARENT, MAROON, GREY, RED, WHITE, SILVER = 0, 1, 8, 9, 15, 7

pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]


def cell_centre(layer, row, column):
    """Layer 0 is the bottom; rows go from back (0) to front (2)."""
    return 9 + 8 * column - 3 * row, 21 - 9 * layer + 3 * row


def line(a, b, colour):
    (x0, y0), (x1, y1) = a, b
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        pixels[y][x] = colour


def lamp(x, y, lit):
    body = RED if lit else MAROON
    for dx, dy in [(0, -1), (-1, 0), (0, 0), (1, 0), (0, 1)]:
        pixels[y + dy][x + dx] = body
    if lit:
        pixels[y][x] = WHITE


# The cube's edges behind the lamps.
corners = {(l, r, c): cell_centre(l, r, c) for l in (0, 2) for r in (0, 2) for c in (0, 2)}
for (l, r, c), point in corners.items():
    for other in [(2 - l, r, c), (l, 2 - r, c), (l, r, 2 - c)]:
        line(point, corners[other], SILVER if r == 2 or other[1] == 2 else GREY)

lit_cells = {(0, 2, 0), (1, 1, 1), (2, 0, 2), (0, 0, 2), (2, 2, 0), (1, 2, 2), (0, 2, 2)}
for layer in range(3):
    for row in range(3):
        for column in range(3):
            lamp(*cell_centre(layer, row, column), (layer, row, column) in lit_cells)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


raw = b"".join(
    b"\0" + bytes((row[i] << 4) | row[i + 1] for i in range(0, SIZE, 2)) for row in pixels)
png = b"\x89PNG\r\n\x1a\n"
png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 4, 3, 0, 0, 0))
png += chunk(b"PLTE", b"".join(bytes(c) for c in PALETTE))
png += chunk(b"tRNS", b"\0")
png += chunk(b"IDAT", zlib.compress(raw, 9))
png += chunk(b"IEND", b"")
with open(sys.argv[1] if len(sys.argv) > 1 else "resources/ledcube.png", "wb") as out:
    out.write(png)

argb = ["0x00000000"] + ["0xFF%02X%02X%02X" % colour for colour in PALETTE[1:]]
rows = ",\n".join("    " + ", ".join(str(index) for index in row) for row in pixels)
header = f"""// SPDX-License-Identifier: GPL-3.0-or-later
// Written by scripts/draw-icon.py from the same drawing as resources/ledcube.png.
#pragma once
// clang-format off

namespace ledcube::icon {{

inline constexpr int kSize = {SIZE};
// ARGB colours of the palette; 0 is transparent.
inline constexpr unsigned kPalette[16] = {{{", ".join(argb)}}};
// Palette indices, row by row from the top.
inline constexpr unsigned char kPixels[kSize * kSize] = {{
{rows}}};

}}  // namespace ledcube::icon
"""
with open(sys.argv[2] if len(sys.argv) > 2 else "ui/IconData.h", "w") as out:
    out.write(header)
