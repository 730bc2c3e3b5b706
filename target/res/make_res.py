#!/usr/bin/env python3
"""Draws KestrelTarget's bitmaps, icon and cursors and writes them beside
this script. Run it again after changing a picture; the outputs are
committed so the build needs no Python."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def canvas(w, h, colour):
    return [[colour for _ in range(w)] for _ in range(h)]


def rect(img, x0, y0, x1, y1, colour):
    """Fills the rectangle x0..x1-1, y0..y1-1."""
    for y in range(max(0, y0), min(len(img), y1)):
        for x in range(max(0, x0), min(len(img[0]), x1)):
            img[y][x] = colour


def frame(img, x0, y0, x1, y1, colour):
    rect(img, x0, y0, x1, y0 + 1, colour)
    rect(img, x0, y1 - 1, x1, y1, colour)
    rect(img, x0, y0, x0 + 1, y1, colour)
    rect(img, x1 - 1, y0, x1, y1, colour)


def disc(img, cx, cy, r, colour):
    for y in range(len(img)):
        for x in range(len(img[0])):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                img[y][x] = colour


# 3x5 digits and letters, enough for the labels drawn on the bitmaps.
GLYPHS = {
    'A': ["010", "101", "111", "101", "101"],
    'C': ["011", "100", "100", "100", "011"],
    'G': ["011", "100", "101", "101", "011"],
    'K': ["101", "110", "100", "110", "101"],
    'U': ["101", "101", "101", "101", "111"],
    'D': ["110", "101", "101", "101", "110"],
    '1': ["010", "110", "010", "010", "111"],
}


def text(img, x, y, s, colour, scale=1):
    for ch in s:
        for gy, row in enumerate(GLYPHS[ch]):
            for gx, bit in enumerate(row):
                if bit == '1':
                    rect(img, x + gx * scale, y + gy * scale,
                         x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
        x += 4 * scale


def write_bmp(name, img):
    """24-bit bottom-up BMP."""
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(img):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(header + info + pixels)


def write_icon(name, img):
    """One 32-bit image with an all-opaque AND mask."""
    h, w = len(img), len(img[0])
    xor = bytearray()
    for row in reversed(img):
        for (r, g, b) in row:
            xor += bytes((b, g, r, 255))
    mask_stride = ((w + 31) // 32) * 4
    andmask = b'\0' * (mask_stride * h)
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    data = info + xor + andmask
    head = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', w, h, 0, 0, 1, 32, len(data), 6 + 16)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(head + entry + data)


def write_cursor(name, rows, hotspot):
    """Monochrome 32x32 cursor from rows of '#' (black), 'o' (white) and
    anything else (transparent)."""
    w = h = 32
    rows = [r.ljust(w) for r in rows] + [' ' * w] * (h - len(rows))

    def plane(bit_of):
        out = bytearray()
        for row in reversed(rows):
            bits = 0
            for x, ch in enumerate(row):
                if bit_of(ch):
                    bits |= 1 << (31 - x)
            out += struct.pack('>I', bits)
        return out

    xor = plane(lambda c: c == 'o')          # white where 'o'
    andm = plane(lambda c: c not in '#o')     # transparent elsewhere
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    data = info + palette + xor + andm
    head = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', w, h, 2, 0, hotspot[0], hotspot[1], len(data), 6 + 16)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(head + entry + data)


GREY = (192, 192, 192)
DARK = (128, 128, 128)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
BLUE = (0, 64, 160)
RED = (200, 32, 32)
GREEN = (32, 140, 48)


def toolbar():
    # Two 16x15 images, one per tool-bar button: A and C.
    img = canvas(32, 15, GREY)
    text(img, 2, 2, 'A', BLUE, 2)
    text(img, 18, 2, 'C', RED, 2)
    write_bmp('toolbar.bmp', img)


def graphic_menu():
    img = canvas(40, 16, WHITE)
    frame(img, 0, 0, 40, 16, BLUE)
    text(img, 4, 3, 'G1', BLUE, 2)
    disc(img, 32, 8, 4, RED)
    write_bmp('graphic1.bmp', img)


def graphic_button(name, pressed):
    w, h = 80, 32
    img = canvas(w, h, GREY)
    light, shade = (DARK, WHITE) if pressed else (WHITE, DARK)
    rect(img, 0, 0, w, 2, light)
    rect(img, 0, 0, 2, h, light)
    rect(img, 0, h - 2, w, h, shade)
    rect(img, w - 2, 0, w, h, shade)
    frame(img, 0, 0, w, h, BLACK)
    off = 1 if pressed else 0
    disc(img, 16 + off, 16 + off, 8, GREEN if pressed else BLUE)
    text(img, 32 + off, 11 + off, 'GU' if not pressed else 'GD', BLACK, 2)
    write_bmp(name, img)


def icon():
    img = canvas(32, 32, BLUE)
    frame(img, 0, 0, 32, 32, BLACK)
    text(img, 7, 6, 'K', WHITE, 4)
    write_icon('kestrel.ico', img)


PAW = [
    "     ##       ##",
    "    #oo#     #oo#",
    "    #oo#     #oo#",
    " ##  ##  ##   ##  ##",
    "#oo#    #oo#     #oo#",
    "#oo#    #oo#     #oo#",
    " ##      ##       ##",
    "      #######",
    "     #ooooooo#",
    "    #ooooooooo#",
    "    #ooooooooo#",
    "     #ooooooo#",
    "      #######",
]

EYE = [
    "",
    "",
    "      ##########",
    "   ###oooooooooo###",
    "  #ooooo######ooooo#",
    " #oooo##########oooo#",
    "#oooo#####oo#####oooo#",
    " #oooo##########oooo#",
    "  #ooooo######ooooo#",
    "   ###oooooooooo###",
    "      ##########",
]

NOSE = [
    "      ##",
    "     #oo#",
    "     #oo#",
    "    #oooo#",
    "    #oooo#",
    "   #oooooo#",
    "   #oooooo#",
    "  #oooooooo#",
    " #oooooooooo#",
    "#oo##oooo##oo#",
    "#o####oo####o#",
    " ############",
]


def cursors():
    write_cursor('paw.cur', PAW, (10, 9))
    write_cursor('eye.cur', EYE, (10, 6))
    write_cursor('nose.cur', NOSE, (6, 0))


if __name__ == '__main__':
    toolbar()
    graphic_menu()
    graphic_button('gbuttonu.bmp', False)
    graphic_button('gbuttond.bmp', True)
    icon()
    cursors()
