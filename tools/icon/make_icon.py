#!/usr/bin/env python3
"""Draws the program's icon, three interlocking pieces in the game's own cell colours and
bevel, into a Windows .ico file of 16, 32 and 48 pixels (32-bit pixels with a mask), or into
one square PNG of SIDE pixels for the Linux desktop's icon theme.

usage: make_icon.py OUT.ico
       make_icon.py --png SIDE OUT.png
"""
import struct
import sys
import zlib

# The cell colours of the game's tiles (tools/assetgen/block_art.cpp).
PURPLE, YELLOW, CYAN = 0x8C48E8, 0xF8DC3C, 0x2CC8E0
# A T piece on top, an L and an I piece locked under it.
LAYOUT = [[PURPLE, PURPLE, PURPLE],
          [YELLOW, PURPLE, CYAN],
          [YELLOW, YELLOW, CYAN]]


def rgb(hex_colour):
    return [(hex_colour >> 16) & 255, (hex_colour >> 8) & 255, hex_colour & 255]


def mix(a, b, t):
    return [x + (y - x) * t for x, y in zip(a, b)]


def scale(a, f):
    return [x * f for x in a]


def block_pixel(i, j, size, base):
    """The bevelled block of the game's tiles: lit from the top left."""
    white = [255, 255, 255]
    small = size < 6
    light = mix(base, white, 0.32 if small else 0.55)
    dark = scale(base, 0.62 if small else 0.42)
    t = (i + j) / (2.0 * (size - 1))
    c = mix(mix(base, white, 0.18), scale(base, 0.82), t)
    top, left, bottom, right = j == 0, i == 0, j == size - 1, i == size - 1
    if (top and right) or (bottom and left):
        c = mix(light, dark, 0.5)
    elif top or left:
        c = light
    elif bottom or right:
        c = dark
    return [min(255, max(0, int(round(x)))) for x in c]


def image(side):
    """Rows top first of (r, g, b, a)."""
    cell = side // 3
    margin = (side - 3 * cell) // 2
    rows = [[(0, 0, 0, 0)] * side for _ in range(side)]
    for row, colours in enumerate(LAYOUT):
        for col, colour in enumerate(colours):
            for j in range(cell):
                for i in range(cell):
                    r, g, b = block_pixel(i, j, cell, rgb(colour))
                    rows[margin + row * cell + j][margin + col * cell + i] = (r, g, b, 255)
    return rows


def icon_entry(side):
    rows = image(side)
    header = struct.pack('<IiiHHIIiiII', 40, side, 2 * side, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((side + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png(side):
    """An 8-bit RGBA PNG, written the same byte for byte on every run."""
    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in image(side))
    header = struct.pack('>IIBBBBB', side, side, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    if len(sys.argv) == 4 and sys.argv[1] == '--png':
        with open(sys.argv[3], 'wb') as f:
            f.write(png(int(sys.argv[2])))
        return
    sides = [16, 32, 48]
    images = [icon_entry(s) for s in sides]
    out = struct.pack('<HHH', 0, 1, len(sides))
    offset = 6 + 16 * len(sides)
    for side, data in zip(sides, images):
        out += struct.pack('<BBBBHHII', side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main()
