#!/usr/bin/env python3
"""Draws the tool strip's pictures and writes them as one bitmap: resources/toolbar.bmp.

The four 16 x 16 pictures stand side by side in the order of their image indexes: find next (0),
replace and find (1), save (2), open a file (3). Each is drawn pixel by pixel below, one character
per pixel, so that the pictures stay crisp at their size. The bitmap is a 32-bit BMP whose fourth
byte is the pixel's opacity, which the image list reads from the main form's resource.

    tools/toolbar-images.py                       rewrites resources/toolbar.bmp
    tools/toolbar-images.py --preview out.png     also writes the pictures enlarged, for looking at
"""
import argparse
import os
import struct
import sys
import zlib

SIZE = 16

# One colour per character: red, green, blue, opacity. "." is transparent.
PALETTE = {
    ".": (0, 0, 0, 0),
    # the magnifying glass
    "r": (0x3A, 0x42, 0x4E, 255),  # rim
    "R": (0x6A, 0x74, 0x82, 255),  # rim, lit side
    "c": (0xBC, 0xDC, 0xF6, 255),  # glass
    "C": (0xFF, 0xFF, 0xFF, 255),  # glint
    "h": (0x6E, 0x44, 0x1C, 255),  # handle
    "H": (0xA8, 0x70, 0x34, 255),  # handle, lit side
    "k": (0x44, 0x28, 0x0E, 255),  # handle, shaded side
    # the replace picture
    "n": (0x6C, 0x7C, 0x94, 255),  # box edge
    "p": (0xEE, 0xF2, 0xF8, 255),  # box of the text found
    "e": (0xFF, 0xF0, 0xB8, 255),  # box of the replacement
    "q": (0x1E, 0x3C, 0x8C, 255),  # letter found
    "m": (0xB8, 0x28, 0x1C, 255),  # replacing letter
    "G": (0x2C, 0x9C, 0x3A, 255),  # arrow
    "D": (0x17, 0x62, 0x22, 255),  # arrow, shaded edge
    # the floppy disk
    "B": (0x18, 0x34, 0x70, 255),  # outline
    "b": (0x30, 0x68, 0xC4, 255),  # body
    "w": (0xFF, 0xFF, 0xFF, 255),  # label
    "g": (0x9C, 0xAE, 0xCA, 255),  # writing on the label
    "s": (0xD2, 0xD8, 0xE0, 255),  # shutter
    "S": (0x74, 0x7E, 0x8C, 255),  # shutter edge
    # the open folder
    "o": (0x86, 0x58, 0x0C, 255),  # outline
    "Y": (0xDC, 0xA2, 0x2C, 255),  # back of the folder
    "y": (0xF8, 0xCE, 0x56, 255),  # front flap
    "l": (0xFF, 0xEA, 0x9E, 255),  # front flap, lit edge
}

FIND = """
................
....rrrr........
..rrRRRRrr......
..rRCCccRr......
.rRCcccccRr.....
.rRCcccccRr.....
.rRccccccRr.....
.rRccccccRr.....
..rRccccRr......
..rrRRRRrrH.....
....rrrrkhHH....
.........khHH...
..........khHH..
...........khHH.
............khh.
.............k..
"""

REPLACE = """
..qq............
.q..q...........
q....q.GGGGGG...
q....q.DDDDGG...
qqqqqq.....GG...
q....q...GGGGGG.
q....q....GGGG..
...........GG...
.........mmmmm..
.........m....m.
.........m....m.
.........mmmmm..
.........m....m.
.........m....m.
.........mmmmm..
................
"""

SAVE = """
................
.BBBBBBBBBBBBB..
.BbwwwwwwwwwbbB.
.Bbwgggggggwbbb.
.Bbwwwwwwwwwbbb.
.Bbwgggggggwbbb.
.Bbwwwwwwwwwbbb.
.Bbbbbbbbbbbbbb.
.Bbbbbbbbbbbbbb.
.BbbSSSSSSSSbbb.
.BbbSssBBsssSbb.
.BbbSssBBsssSbb.
.BbbSssBBsssSbb.
.BbbSssssssSSbb.
.BBBBBBBBBBBBBB.
................
"""

OPEN = """
................
................
.oooo...........
oYYYYo..........
oYYYYYoooooooo..
oYYYYYYYYYYYYo..
oYYYYYYYYYYYYo..
oYYYoooooooooooo
oYYolllllllllllo
oYolyyyyyyyyyyo.
oolyyyyyyyyyyo..
olyyyyyyyyyyyo..
oooooooooooooo..
................
................
................
"""

PICTURES = [FIND, REPLACE, SAVE, OPEN]


def pixels_of(art):
    rows = art.strip("\n").split("\n")
    if len(rows) != SIZE or any(len(row) != SIZE for row in rows):
        sys.exit("every picture is 16 rows of 16 characters")
    return [[PALETTE[ch] for ch in row] for row in rows]


def strip():
    """The pictures side by side: rows of RGBA tuples, top row first."""
    pictures = [pixels_of(art) for art in PICTURES]
    return [sum((picture[y] for picture in pictures), []) for y in range(SIZE)]


def bmp_bytes(rows):
    height, width = len(rows), len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up, as a BMP with a positive height
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 3780, 3780, 0, 0)
    offset = 14 + len(header)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + pixels


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(c for px in row for c in px[:3]) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def preview(rows, scale=10):
    """The strip enlarged, on a light and on a dark background, so that edges show on both."""
    out = []
    for background in ((0xF0, 0xF0, 0xF0), (0x40, 0x40, 0x40)):
        for row in rows:
            line = []
            for r, g, b, a in row:
                mixed = tuple((c * a + bg * (255 - a)) // 255 for c, bg in zip((r, g, b), background))
                line += [mixed] * scale
            out += [line] * scale
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=os.path.join(os.path.dirname(__file__), "..", "resources", "toolbar.bmp"))
    parser.add_argument("--preview", help="also write the pictures enlarged as a PNG")
    args = parser.parse_args()
    rows = strip()
    with open(args.output, "wb") as f:
        f.write(bmp_bytes(rows))
    if args.preview:
        with open(args.preview, "wb") as f:
            f.write(png_bytes(preview(rows)))


if __name__ == "__main__":
    main()
