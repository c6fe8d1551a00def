#!/usr/bin/env python3
"""Draws the Tarvik icon and writes it as a Windows .ico file.

The icon holds the two images the usage window's title bar and Explorer use: 32 x 32 in 16 colours
(4 bits per pixel) and 48 x 48 in 256 colours (8 bits per pixel). The picture is a text page with
a slice of one line pulled out of it into a highlighted box. The file is written byte by byte here,
so the bit depths are exactly what Windows expects.

Usage: tools/make_icon.py [OUTPUT]   (default tool/win32/resources/tarvik.ico)
"""
import pathlib
import struct
import sys

# The standard 16-colour palette; the 256-colour palette starts with it too.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
OUTLINE, FOLD, INK, PAGE, SLICE_FILL, SLICE_EDGE = 8, 7, 4, 15, 11, 9
# 256 colours: 16 shades from white to light grey give the page some depth.
SHADES = [(255 - 2 * i, 255 - 2 * i, 255 - i) for i in range(16)]
PALETTE_256 = VGA + SHADES + [(0, 0, 0)] * (256 - len(VGA) - len(SHADES))
SHADE_BASE = len(VGA)

TRANSPARENT = None


def draw(size, shaded):
    """Rows of palette indices (None = transparent), top row first."""
    px = [[TRANSPARENT] * size for _ in range(size)]

    def at(fraction):
        return round(fraction * size)

    left, right, top, bottom = at(0.12), at(0.74), at(0.04), at(0.96)
    fold = at(0.2)
    for y in range(top, bottom):
        for x in range(left, right):
            corner = x - (right - fold) - (y - top)
            if corner > 0:
                continue
            edge = x in (left, right - 1) or y in (top, bottom - 1) or corner == 0
            if edge:
                px[y][x] = OUTLINE
            elif shaded:
                px[y][x] = SHADE_BASE + (y - top) * 15 // (bottom - top)
            else:
                px[y][x] = PAGE
    # The folded corner.
    for y in range(top, top + fold):
        for x in range(right - fold, right - fold + (y - top) + 1):
            px[y][x] = OUTLINE if x == right - fold or y == top + fold - 1 or x == right - fold + (y - top) else FOLD

    thickness = max(2, size // 16)
    lines = [(0.34, 0.44), (0.44, 0.60), (0.54, 0.54), (0.64, 0.58), (0.74, 0.40), (0.84, 0.50)]
    for row, length in lines:
        y0 = at(row)
        for y in range(y0, y0 + thickness):
            for x in range(left + at(0.08), left + at(0.08) + at(length) - at(0.08)):
                px[y][x] = INK

    # The slice, pulled out of the third line to the right of the page.
    box_left, box_right = at(0.40), size - 1
    box_top, box_bottom = at(0.46), at(0.46) + thickness + at(0.16)
    for y in range(box_top, box_bottom + 1):
        for x in range(box_left, box_right + 1):
            border = x in (box_left, box_right) or y in (box_top, box_bottom)
            px[y][x] = SLICE_EDGE if border else SLICE_FILL
    ink_top = (box_top + box_bottom + 1 - thickness) // 2
    for y in range(ink_top, ink_top + thickness):
        for x in range(box_left + at(0.08), box_right - at(0.08) + 1):
            px[y][x] = INK
    return px


def dib(pixels, bits, palette):
    """A BITMAPINFOHEADER, palette, colour bits and AND mask, both bottom-up."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)

    def padded(row_bytes):
        return row_bytes + b"\0" * (-len(row_bytes) % 4)

    xor, mask = b"", b""
    for row in reversed(pixels):
        indices = [0 if p is TRANSPARENT else p for p in row]
        if bits == 4:
            packed = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        else:
            packed = bytes(indices)
        xor += padded(packed)
        mask_bits = 0
        for p in row:
            mask_bits = (mask_bits << 1) | (p is TRANSPARENT)
        mask += padded(mask_bits.to_bytes(size // 8, "big"))
    return header + colours + xor + mask


def main():
    output = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "tool/win32/resources/tarvik.ico")
    images = [
        (32, 16, dib(draw(32, shaded=False), 4, VGA)),
        (48, 0, dib(draw(48, shaded=True), 8, PALETTE_256)),
    ]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    bits_of = {16: 4, 0: 8}
    for size, colours, image in images:
        data += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits_of[colours], len(image), offset)
        offset += len(image)
    data += b"".join(image for _, _, image in images)
    output.write_bytes(data)


if __name__ == "__main__":
    main()
