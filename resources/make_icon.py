#!/usr/bin/env python3
"""Draws the Moxavel icon and writes it as a .ico file.

Usage: make_icon.py OUTPUT.ico

The picture is a spectator's eye in a gold-rimmed navy disc, drawn at 48, 32, 24 and 16
pixels, each at 4, 8 and 32 bits per pixel: twelve BMP images with AND masks, and with
palettes for the 4 and 8 bit ones. Standard library only, so any build machine can run it.
"""
import struct
import sys

SIZES = (48, 32, 24, 16)
DEPTHS = (4, 8, 32)
SUPERSAMPLE = 6

NAVY = (27, 42, 74)
GOLD = (232, 176, 48)
WHITE = (244, 244, 244)
TEAL = (42, 157, 143)
PUPIL = (16, 16, 16)

# Hand-picked for the design: its colours and the blends its edges need at small sizes.
PALETTE_16 = [
    (0, 0, 0), NAVY, (60, 75, 105), GOLD, (150, 110, 40), WHITE, (180, 180, 185), TEAL,
    (25, 90, 85), PUPIL, (100, 100, 110), (140, 200, 190), (130, 110, 60), (135, 143, 160),
    (245, 215, 140), (128, 128, 128),
]


def palette_256(rows):
    """The design's colours, then the image's most frequent other colours."""
    counts = {}
    for row in rows:
        for r, g, b, a in row:
            if a >= 128:
                counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    palette = [(0, 0, 0), NAVY, GOLD, WHITE, TEAL, PUPIL]
    for colour, _ in sorted(counts.items(), key=lambda item: (-item[1], item[0])):
        if len(palette) == 256:
            break
        if colour not in palette:
            palette.append(colour)
    return palette


def colour_at(x, y, outer):
    """Colour (r, g, b) of the unit-square point (x, y), or None outside the picture."""
    dx, dy = x - 0.5, y - 0.5
    r2 = dx * dx + dy * dy
    if r2 > outer ** 2:
        return None
    if r2 > (outer - 0.08) ** 2:
        return GOLD
    # The eye: the lens where two circles overlap, 0.68 wide and 0.34 high.
    big, offset = 0.425, 0.255
    in_eye = (dx * dx + (dy - offset) ** 2 <= big * big and
              dx * dx + (dy + offset) ** 2 <= big * big)
    if not in_eye:
        return NAVY
    hx, hy = x - 0.555, y - 0.445
    if hx * hx + hy * hy <= 0.032 ** 2:
        return WHITE
    if r2 <= 0.07 ** 2:
        return PUPIL
    if r2 <= 0.155 ** 2:
        return TEAL
    return WHITE


def render(size):
    """Rows top to bottom of (r, g, b, a) pixels, colours not premultiplied."""
    rows = []
    n = SUPERSAMPLE
    # A little inside the edge, so that no lone half-covered pixel sticks out of the rim.
    outer = 0.5 - 0.75 / size
    for py in range(size):
        row = []
        for px in range(size):
            sr = sg = sb = covered = 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + 0.5) / n) / size,
                                  (py + (sy + 0.5) / n) / size, outer)
                    if c is not None:
                        sr += c[0]
                        sg += c[1]
                        sb += c[2]
                        covered += 1
            if covered:
                row.append((round(sr / covered), round(sg / covered), round(sb / covered),
                            round(255 * covered / (n * n))))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def nearest(palette, colour):
    r, g, b = colour[:3]
    return min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 * 3 + (palette[i][1] - g) ** 2 * 4 +
               (palette[i][2] - b) ** 2 * 2)


def pack_bits(values, bits):
    """One bitmap row of values at the given bits per value, padded to 4 bytes."""
    out = bytearray()
    per_byte = 8 // bits
    for i in range(0, len(values), per_byte):
        byte = 0
        for k, v in enumerate(values[i:i + per_byte]):
            byte |= v << (8 - bits * (k + 1))
        out.append(byte)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def dib(rows, depth):
    size = len(rows)
    opaque = [[p[3] >= 128 for p in row] for row in rows]
    palette = {4: PALETTE_16, 8: palette_256(rows)}.get(depth, [])
    pixels = bytearray()
    for y in reversed(range(size)):  # bottom-up
        row = rows[y]
        if depth == 32:
            line = bytearray()
            for r, g, b, a in row:
                line += bytes((b, g, r, a))
            pixels += line
        else:
            indices = [nearest(palette, p) if opaque[y][x] else 0 for x, p in enumerate(row)]
            pixels += pack_bits(indices, depth)
    mask = bytearray()
    for y in reversed(range(size)):
        if depth == 32:
            bits = [0 if rows[y][x][3] else 1 for x in range(size)]
        else:
            bits = [0 if opaque[y][x] else 1 for x in range(size)]
        mask += pack_bits(bits, 1)
    # A full palette with biClrUsed 0 is what every icon reader expects.
    if palette:
        palette = palette + [(0, 0, 0)] * ((1 << depth) - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, depth, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + bytes(pixels) + bytes(mask)


def make_icon():
    images = []
    for size in SIZES:
        rows = render(size)
        for depth in DEPTHS:
            images.append((size, depth, dib(rows, depth)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, depth, data in images:
        colour_count = 16 if depth == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, depth, len(data),
                               offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, _, data in images)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_icon.py OUTPUT.ico\n")
        return 2
    with open(argv[1], "wb") as f:
        f.write(make_icon())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
