#!/usr/bin/env python3
"""Draws the program icon for the desktop's icon theme: data/icons/tarvane.svg and a PNG for
each size the theme looks for (data/icons/<size>/tarvane.png), the same picture as the one built
into the program: two playing cards on a blue tile, the front one printed with a small table.

The shapes are kept here as polygons on a 256-unit square; run the script again after a change
and commit what it writes (the PNGs are drawn with ImageMagick's convert):

    python3 tools/make_icons.py
"""
import math
import os
import subprocess

SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "icons")


def card(center_x, center_y, width, height, degrees):
    """The corners of a card of this size turned by this angle about its centre."""
    angle = math.radians(degrees)
    corners = []
    for x, y in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
        dx, dy = x * width / 2, y * height / 2
        corners.append((center_x + dx * math.cos(angle) - dy * math.sin(angle),
                        center_y + dx * math.sin(angle) + dy * math.cos(angle)))
    return corners


def on_card(corners, u, v):
    """A point of a card given as shares (0..1) of its width and height."""
    (x0, y0), (x1, y1), _, (x3, y3) = corners
    return (x0 + (x1 - x0) * u + (x3 - x0) * v, y0 + (y1 - y0) * u + (y3 - y0) * v)


def shapes():
    """(fill, stroke, stroke width, points) from back to front; a rounded tile comes first."""
    back = card(98, 126, 100, 150, -14)
    front = card(160, 136, 112, 160, 8)
    diamond = [on_card(back, 0.5, 0.28), on_card(back, 0.72, 0.5), on_card(back, 0.5, 0.72),
               on_card(back, 0.28, 0.5)]
    items = [("#c8322a", "#ffffff", 6, back), ("#f2b01e", None, 0, diamond),
             ("#ffffff", "#9aa6b4", 4, front)]
    header = [on_card(front, 0.1, 0.1), on_card(front, 0.9, 0.1), on_card(front, 0.9, 0.2),
              on_card(front, 0.1, 0.2)]
    items.append(("#b0ccf4", None, 0, header))
    for row in range(6):
        top = 0.27 + row * 0.11
        for left, right in ((0.1, 0.42), (0.5, 0.9)):
            cell = [on_card(front, left, top), on_card(front, right, top),
                    on_card(front, right, top + 0.06), on_card(front, left, top + 0.06)]
            items.append(("#2860c8" if left < 0.5 else "#7fa3dd", None, 0, cell))
    return items


TILE = (12, 12, 244, 244, 44)  # left, top, right, bottom, corner radius
TILE_FILL, TILE_STROKE = "#2457a0", "#173d73"


def svg():
    left, top, right, bottom, radius = TILE
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
             f'  <rect x="{left}" y="{top}" width="{right - left}" height="{bottom - top}" '
             f'rx="{radius}" fill="{TILE_FILL}" stroke="{TILE_STROKE}" stroke-width="6"/>']
    for fill, stroke, width, points in shapes():
        text = " ".join(f"{x:.1f},{y:.1f}" for x, y in points)
        outline = f' stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round"' if stroke else ""
        lines.append(f'  <polygon points="{text}" fill="{fill}"{outline}/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def mvg(size):
    scale = size / 256
    left, top, right, bottom, radius = (value * scale for value in TILE)
    lines = [f"fill {TILE_FILL}", f"stroke {TILE_STROKE}",
             f"stroke-width {max(1, 6 * scale):.2f}",
             f"roundrectangle {left:.2f},{top:.2f} {right:.2f},{bottom:.2f} {radius:.2f},{radius:.2f}"]
    for fill, stroke, width, points in shapes():
        lines.append(f"fill {fill}")
        lines.append(f"stroke {stroke}" if stroke else "stroke none")
        lines.append(f"stroke-width {max(0.5, width * scale):.2f}")
        lines.append("polygon " + " ".join(f"{x * scale:.2f},{y * scale:.2f}" for x, y in points))
    return "\n".join(lines) + "\n"


def main():
    os.makedirs(ROOT, exist_ok=True)
    with open(os.path.join(ROOT, "tarvane.svg"), "w", encoding="utf-8") as out:
        out.write(svg())
    for size in SIZES:
        folder = os.path.join(ROOT, str(size))
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["convert", "-size", f"{size}x{size}", "xc:none", "-draw", mvg(size).replace("\n", " "),
                        "-strip", "PNG32:" + os.path.join(folder, "tarvane.png")], check=True)


if __name__ == "__main__":
    main()
