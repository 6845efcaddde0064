#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the program's icon: a square of side a + b cut into a^2, two a*b rectangles and b^2,
the picture behind (a + b)^2 = a^2 + 2ab + b^2. Writes zantrel.ico (48x48, 32x32 and 16x16, 16
colours each), the window's own images as XPM (C source the window compiles in: 16 and 32 and the
larger ones a taskbar shows at scale 1 and 2), PNG renditions for the hicolor theme and a home
screen (with a maskable one, the picture on the window's colour) and a scalable SVG. Uses the
standard library only."""
import struct
import sys
import zlib
from pathlib import Path

# The 16-colour palette of the classic desktop.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, AQUA, RED, WHITE = 0, 4, 14, 9, 15
SPLIT = 0.62  # where a ends and b begins, as a share of the side
WINDOW_SIZES = (16, 32, 48, 64, 128)
# A maskable icon: the picture on the window's colour, small enough that its corners stay inside
# the circle of 80 % of the side that every home screen's mask leaves whole.
WINDOW_COLOUR = (192, 192, 255)
MASKABLE_SHARE = 0.55


def picture(size):
    """Rows of palette indices."""
    line = max(1, size // 32)
    cut = round(size * SPLIT)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if x < line or y < line or x >= size - line or y >= size - line:
                row.append(BLACK)
            elif cut - line // 2 <= x < cut - line // 2 + line or cut - line // 2 <= y < cut - line // 2 + line:
                row.append(BLACK)
            elif x < cut and y < cut:
                row.append(NAVY)
            elif x >= cut and y >= cut:
                row.append(RED)
            else:
                row.append(AQUA)
        rows.append(row)
    return rows


def bmp_entry(size):
    """A 4-bit DIB as an ICO entry: header, palette, XOR bitmap bottom-up, AND mask."""
    rows = picture(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    stride = ((size * 4 + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(rows):
        packed = bytearray((row[i] << 4) | (row[i + 1] if i + 1 < size else 0) for i in range(0, size, 2))
        xor += packed + bytes(stride - len(packed))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # every pixel opaque
    return header + palette + bytes(xor) + mask


def write_ico(path, sizes):
    entries = [bmp_entry(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, data in zip(sizes, entries):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    path.write_bytes(out + b''.join(entries))


def maskable(size):
    """Rows of colours: the picture in the middle of a square of the window's colour."""
    side = round(size * MASKABLE_SHARE)
    margin = (size - side) // 2
    inner = [[PALETTE[i] for i in row] for row in picture(side)]
    rows = []
    for y in range(size):
        row = [WINDOW_COLOUR] * size
        if margin <= y < margin + side:
            row[margin:margin + side] = inner[y - margin]
        rows.append(row)
    return rows


def write_png(path, size, rows=None):
    """The picture, or the given rows of colours, as a PNG of the colours it uses (8-bit indexed)."""
    rows = rows or [[PALETTE[i] for i in row] for row in picture(size)]
    colours = sorted({colour for row in rows for colour in row})
    index = {colour: i for i, colour in enumerate(colours)}
    raw = b''.join(b'\x00' + bytes(index[colour] for colour in row) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 3, 0, 0, 0))
    png += chunk(b'PLTE', bytes(c for colour in colours for c in colour))
    png += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    path.write_bytes(png)


def write_xpm(path, size):
    rows = picture(size)
    used = sorted({i for row in rows for i in row})
    lines = [f'{size} {size} {len(used)} 1'] + [f'{i:x} c #%02x%02x%02x' % PALETTE[i] for i in used]
    lines += [''.join(f'{i:x}' for i in row) for row in rows]
    body = ',\n'.join(f'"{line}"' for line in lines)
    path.write_text(f'/* XPM */\nstatic const char *const zantrel_{size}_xpm[] = {{\n{body}}};\n')


def write_svg(path):
    side, line = 256, 8
    cut = side * SPLIT
    hexa = ['#%02x%02x%02x' % PALETTE[i] for i in (NAVY, AQUA, RED, BLACK)]
    path.write_text(f'''<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{side}" height="{side}" viewBox="0 0 {side} {side}">
  <rect x="0" y="0" width="{cut}" height="{cut}" fill="{hexa[0]}"/>
  <rect x="{cut}" y="0" width="{side - cut}" height="{cut}" fill="{hexa[1]}"/>
  <rect x="0" y="{cut}" width="{cut}" height="{side - cut}" fill="{hexa[1]}"/>
  <rect x="{cut}" y="{cut}" width="{side - cut}" height="{side - cut}" fill="{hexa[2]}"/>
  <path d="M{cut} 0V{side}M0 {cut}H{side}" stroke="{hexa[3]}" stroke-width="{line}"/>
  <rect x="{line / 2}" y="{line / 2}" width="{side - line}" height="{side - line}" fill="none" stroke="{hexa[3]}" stroke-width="{line}"/>
</svg>
''')


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    write_ico(out / 'zantrel.ico', [48, 32, 16])
    for size in WINDOW_SIZES:
        write_xpm(out / f'zantrel-{size}.xpm', size)
    for size in (16, 22, 24, 32, 48, 64, 128, 192, 256, 512):
        write_png(out / f'zantrel-{size}.png', size)
    write_png(out / 'zantrel-maskable-512.png', 512, maskable(512))
    write_svg(out / 'zantrel.svg')


if __name__ == '__main__':
    main()
