#!/usr/bin/env python3
"""Draws the toolbar picture strip data/tarvane.bmp: twelve pictures of 16 x 15 pixels side by
side, magenta where the toolbar shows its own background.

The pictures are kept here as character grids so that they can be read and changed in a text
editor; run the script again after a change and commit the bitmap it writes:

    python3 tools/make_toolbar_bitmap.py [output.bmp] [--preview preview.ppm]

Picture i belongs to the toolbar button with image index i: new, export, add deck lists, edit
deck lists, boards to view, refresh, special rows, all decks as columns, choose decks as
columns, add a special column, sort, delete all columns.
"""
import math
import os
import struct
import sys

WIDTH = 16
HEIGHT = 15

PALETTE = {
    ".": (255, 0, 255),  # transparent
    "k": (48, 48, 56),  # outline
    "w": (255, 255, 255),
    "g": (200, 200, 200),  # header grey
    "b": (40, 96, 200),  # blue ink
    "B": (176, 204, 244),  # light blue column
    "G": (24, 150, 40),  # green
    "y": (255, 255, 172),  # the yellow of the total rows
    "r": (210, 40, 40),  # red
    "o": (244, 176, 40),  # pencil body
    "p": (240, 208, 160),  # pencil wood
}

NEW = """
................
...kkkkkkkk.....
...kwwwwwwkk....
...kwwwwwwkwk...
...kwwwwwwkwwk..
...kwwwwwwkkkkk.
...kwwwwwwwwwwk.
...kwwwwwwwwwwk.
...kwwwwwwwwwwk.
...kwwwwwwwwwwk.
...kwwwwwwwwwwk.
...kwwwwwwwwwwk.
...kwwwwwwwwwwk.
...kkkkkkkkkkkk.
................
"""

EXPORT = """
................
.kkkkkkk........
.kwwwwwkk.......
.kwgggwkwk......
.kwwwwwkkkk.....
.kwggggwwwk.G...
.kwwwwwwwwk.GG..
.kwgggGGGGGGGGG.
.kwwwwGGGGGGGGGG
.kwgggGGGGGGGGG.
.kwwwwwwwwk.GG..
.kwggggwwwk.G...
.kwwwwwwwwk.....
.kkkkkkkkkk.....
................
"""

ADD_DECKS = """
................
.kkkkkkkk.......
.kwwwwwwk.......
.kwbbbbwk.......
.kwwwwwwk.......
.kwbbbwwk.......
.kwwwwwwk.GGG...
.kwbbbbwk.GGG...
.kwwwwwwk.GGG...
.kwbbbGGGGGGGGG.
.kwwwwGGGGGGGGG.
.kwbbbGGGGGGGGG.
.kwwwwwwk.GGG...
.kkkkkkkk.GGG...
..........GGG...
"""

EDIT_DECKS = """
................
.kkkkkkk.....rr.
.kwwwwwk....rrrr
.kwbbbwk...oorr.
.kwwwwwk..oooo..
.kwbbbwk.oooo...
.kwwwwwkoooo....
.kwbbbwoooo.....
.kwwwwoooo......
.kwbbppoo.......
.kwwwppp........
.kwbbkp.........
.kwwwwwk........
.kkkkkkk........
................
"""

BOARDS = """
................
................
................
.....kkkkkk.....
...kkwwwwwwkk...
..kwwwwbbwwwwk..
.kwwwwbbbbwwwwk.
kwwwwbbkkbbwwwwk
.kwwwwbbbbwwwwk.
..kwwwwbbwwwwk..
...kkwwwwwwkk...
.....kkkkkk.....
................
................
................
"""

SPECIAL_ROWS = """
................
.kkkkkkkkkkkkkk.
.kyyyyyyyyyyyyk.
.kykkkkkkkkyyyk.
.kyykyyyyyykyyk.
.kyyykyyyyyyyyk.
.kyyyykyyyyyyyk.
.kyyyyykyyyyyyk.
.kyyyykyyyyyyyk.
.kyyykyyyyyyyyk.
.kyykyyyyyykyyk.
.kykkkkkkkkyyyk.
.kyyyyyyyyyyyyk.
.kkkkkkkkkkkkkk.
................
"""

ALL_DECK_COLUMNS = """
................
kkkkkkkkkkkkkkkk
kgggkbbbkbbbkbbk
kgggkbbbkbbbkbbk
kkkkkkkkkkkkkkkk
kwwwkBBBkBBBkBBk
kwwwkBBBkBBBkBBk
kwwwkBBBkBBBkBBk
kwwwkBBBkBBBkBBk
kwwwkBBBkBBBkBBk
kwwwkBBBkBBBkBBk
kwwwkBBBkBBBkBBk
kwwwkBBBkBBBkBBk
kkkkkkkkkkkkkkkk
................
"""

CHOSEN_DECK_COLUMNS = """
................
kkkkkkkkkkkkk...
kgggkbbbkgggk...
kkkkkkkkkkkkk...
kwwwkBBBkwwwk...
kwwwkBBBkwwwk...
kwwwkBBBkwwwk..G
kwwwkBBBkwwwk.GG
kwwwkBBBkwwwkGG.
kwwwkBBBkGwwGG..
kwwwkBBBkGGGG...
kwwwkBBBkwGGk...
kwwwkBBBkwwwk...
kkkkkkkkkkkkk...
................
"""

SPECIAL_COLUMN = """
................
kkkkkkkk........
kggggggk........
kkkkkkkk........
kykkkkyk........
kyykyyyk........
kyyykyyk..GGG...
kyyyykyk..GGG...
kyyykyykGGGGGGG.
kyykyyykGGGGGGG.
kykkkkykGGGGGGG.
kyyyyyyk..GGG...
kyyyyyyk..GGG...
kkkkkkkk........
................
"""

SORT = """
................
..bb............
..bb....kkkkkkkk
..bb....kkkkkkkk
..bb............
..bb....kkkkkk..
..bb....kkkkkk..
..bb............
..bb....kkkk....
bbbbbb..kkkk....
.bbbb...........
..bb....kk......
........kk......
................
................
"""

TABLE = """
................
kkkkkkkkkkkkkkkk
kgggkgggkgggkggk
kgggkgggkgggkggk
kkkkkkkkkkkkkkkk
kwwwkwwwkwwwkwwk
kwwwkwwwkwwwkwwk
kwwwkwwwkwwwkwwk
kwwwkwwwkwwwkwwk
kwwwkwwwkwwwkwwk
kwwwkwwwkwwwkwwk
kwwwkwwwkwwwkwwk
kwwwkwwwkwwwkwwk
kkkkkkkkkkkkkkkk
................
"""


def grid(text):
    rows = text.strip("\n").split("\n")
    assert len(rows) == HEIGHT, f"{len(rows)} rows"
    for row in rows:
        assert len(row) == WIDTH, f"row {row!r} is {len(row)} wide"
        for ch in row:
            assert ch in PALETTE, f"unknown colour {ch!r}"
    return [[PALETTE[ch] for ch in row] for row in rows]


def refresh():
    """Two blue arrows chasing each other round a circle."""
    picture = [[PALETTE["."]] * WIDTH for _ in range(HEIGHT)]
    cx, cy = 7.5, 7.0
    for y in range(HEIGHT):
        for x in range(WIDTH):
            distance = math.hypot(x - cx, y - cy)
            angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
            # Two arcs with a gap after each, where the arrow heads sit.
            on_arc = 4.6 <= distance <= 6.6 and not (0 <= angle < 40 or 180 <= angle < 220)
            if on_arc:
                picture[y][x] = PALETTE["b"]
    # Arrow heads where the arcs end, pointing on round the circle (counter-clockwise).
    heads = [
        # the upper arc ends on the left and goes on downwards
        [(0, 7), (1, 7), (2, 7), (3, 7), (4, 7), (1, 8), (2, 8), (3, 8), (2, 9)],
        # the lower arc ends on the right and goes on upwards
        [(11, 7), (12, 7), (13, 7), (14, 7), (15, 7), (12, 6), (13, 6), (14, 6), (13, 5)],
    ]
    for head in heads:
        for x, y in head:
            picture[y][x] = PALETTE["b"]
    return picture


def delete_all_columns():
    """A table crossed out in red."""
    picture = grid(TABLE)
    for y in range(3, 15):
        for x in range(1, 15):
            u, v = x - 7.5, y - 8.5
            if abs(u - v) <= 1.0 or abs(u + v) <= 1.0:
                if abs(u) <= 6 and abs(v) <= 5.5:
                    picture[y][x] = PALETTE["r"]
    return picture


PICTURES = [
    grid(NEW),
    grid(EXPORT),
    grid(ADD_DECKS),
    grid(EDIT_DECKS),
    grid(BOARDS),
    refresh(),
    grid(SPECIAL_ROWS),
    grid(ALL_DECK_COLUMNS),
    grid(CHOSEN_DECK_COLUMNS),
    grid(SPECIAL_COLUMN),
    grid(SORT),
    delete_all_columns(),
]


def strip_pixel(x, y):
    return PICTURES[x // WIDTH][y][x % WIDTH]


def write_bmp(path):
    """An uncompressed 24-bit BMP, rows bottom up, as the toolbar's loader reads any BMP."""
    width = WIDTH * len(PICTURES)
    row_size = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for y in reversed(range(HEIGHT)):
        row = bytearray()
        for x in range(width):
            red, green, blue = strip_pixel(x, y)
            row += bytes((blue, green, red))
        row += b"\0" * (row_size - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, HEIGHT, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as file:
        file.write(header + info + data)


def write_preview(path, scale=8):
    """The strip enlarged, on a grey toolbar-like background, as a PPM file for a quick look."""
    width = WIDTH * len(PICTURES)
    lines = []
    for y in range(HEIGHT * scale):
        row = bytearray()
        for x in range(width * scale):
            colour = strip_pixel(x // scale, y // scale)
            if colour == PALETTE["."]:
                colour = (236, 236, 236)
            row += bytes(colour)
        lines.append(bytes(row))
    with open(path, "wb") as file:
        file.write(b"P6 %d %d 255\n" % (width * scale, HEIGHT * scale) + b"".join(lines))


def main(arguments):
    here = os.path.dirname(os.path.abspath(__file__))
    output = os.path.join(here, "..", "data", "tarvane.bmp")
    preview = None
    rest = list(arguments)
    while rest:
        argument = rest.pop(0)
        if argument == "--preview":
            preview = rest.pop(0)
        else:
            output = argument
    write_bmp(output)
    if preview:
        write_preview(preview)


if __name__ == "__main__":
    main(sys.argv[1:])
