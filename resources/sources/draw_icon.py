#!/usr/bin/python3
"""Draws the application icon into resources/icons at the sizes a desktop asks for.

Run from anywhere: /usr/bin/python3 resources/sources/draw_icon.py
Uses the drawing surface and colours of draw_artwork.py, so the icon looks like
the window's own buttons: the blue skin behind a microscope's field of view with
a measured line on it and the zoom buttons' lens.
"""

import os

from draw_artwork import INK, MEASURE_INK, SCALE, Canvas, axis, mix

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "icons"))
SIZES = (16, 24, 32, 48, 64, 128, 256)
SKIN = (12, 49, 96)  # the blue skin's window colour
UNIT = 48.0          # the icon is designed on a 48 x 48 grid


class GridCanvas(Canvas):
    """A canvas of any pixel size addressed on the 48-unit design grid."""

    def __init__(self, size):
        super().__init__(size, size, background=(0, 0, 0, 0))
        self.img = self.img.convert("RGBA")
        self.img.paste((0, 0, 0, 0), (0, 0, *self.img.size))
        from PIL import ImageDraw

        self.d = ImageDraw.Draw(self.img)
        self.k = size / UNIT

    def _p(self, x, y):
        return ((x + self.dx) * self.k * SCALE, (y + self.dy) * self.k * SCALE)

    def stroke(self, pts, color, width, caps=True):
        super().stroke(pts, color, width * self.k, caps)

    def ring(self, cx, cy, r, color, width):
        super().ring(cx, cy, r, color, width * self.k)


def rounded_square(c, x0, y0, x1, y1, r, fill):
    c.rect(x0 + r, y0, x1 - r, y1, fill=fill)
    c.rect(x0, y0 + r, x1, y1 - r, fill=fill)
    for cx, cy in ((x0, y0), (x1 - 2 * r, y0), (x0, y1 - 2 * r), (x1 - 2 * r, y1 - 2 * r)):
        c.ellipse(cx, cy, cx + 2 * r, cy + 2 * r, fill=fill)


def icon(size):
    c = GridCanvas(size)
    # window background with a lighter band where the buttons sit
    rounded_square(c, 1, 1, 47, 47, 6, mix(SKIN, (0, 0, 0), 0.35))
    rounded_square(c, 2, 2, 46, 46, 5, SKIN)
    c.rect(6, 6, 42, 9, fill=mix(SKIN, (255, 255, 255), 0.35))
    # the microscope's round field of view
    c.ellipse(6, 11, 38, 43, fill=(232, 238, 246), outline=(18, 28, 48), width=1.5)
    c.ellipse(11, 17, 20, 24, fill=(190, 206, 228))
    c.ellipse(22, 27, 33, 36, fill=(176, 196, 222))
    # a measured line with its end ticks, in the measuring colour
    p0, p1 = (10.5, 33.5), (33.5, 20.5)
    at, length = axis(p0, p1)
    c.stroke([p0, p1], MEASURE_INK, 2.2)
    for u in (0, length):
        c.stroke([at(u, -4), at(u, 4)], MEASURE_INK, 2.0)
    # the zoom buttons' lens, lower right
    c.stroke([(36, 36), (44, 44)], (60, 44, 30), 5.0)
    c.stroke([(37.5, 37.5), (43.5, 43.5)], (120, 86, 50), 2.6)
    c.ellipse(26, 26, 40, 40, fill=(214, 236, 255), outline=INK, width=2.0)
    c.ellipse(29, 29, 33, 32, fill=(255, 255, 255))
    return c.img.reduce(SCALE)


def main():
    os.makedirs(OUT, exist_ok=True)
    for size in SIZES:
        icon(size).save(os.path.join(OUT, "lumveximgedt-%d.png" % size), optimize=True)


if __name__ == "__main__":
    main()
