#!/usr/bin/python3
"""Draws every bitmap of the editor window into resources/artwork.

Run from anywhere: /usr/bin/python3 resources/sources/draw_artwork.py
Needs Pillow (Debian: python3-pil) and the DejaVu / Liberation fonts.

Shapes are drawn eight times larger and box-filtered down, so pixel-aligned
edges stay crisp while slanted ones get smooth. Every bitmap is opaque RGB:
the buttons are copied over their whole area, and the menu images use
RGB(192, 192, 192) as their transparent key colour, so edge pixels that are
mostly background snap to that exact key.
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

SCALE = 8
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "artwork"))

KEY = (192, 192, 192)  # transparent colour of the menu images and check mark

FONT_DIRS = [
    "/usr/share/fonts/truetype/dejavu",
    "/usr/share/fonts/truetype/liberation2",
    "/usr/share/fonts/truetype/liberation",
]


def font(name, size):
    for folder in FONT_DIRS:
        path = os.path.join(folder, name)
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    sys.exit("font not found: " + name)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def darker(c, f=0.6):
    return tuple(int(v * f) for v in c)


class Canvas:
    """An oversampled drawing surface addressed in final-pixel coordinates.

    Besides the colour image it keeps a coverage mask of everything drawn,
    used to separate the menu images cleanly from their key colour.
    """

    def __init__(self, w, h, background=KEY):
        self.w, self.h = w, h
        self.img = Image.new("RGB", (w * SCALE, h * SCALE), background)
        self.mask = Image.new("L", (w * SCALE, h * SCALE), 0)
        self.d = ImageDraw.Draw(self.img)
        self.m = ImageDraw.Draw(self.mask)
        self.dx = self.dy = 0.0

    def shift(self, dx, dy):
        self.dx, self.dy = dx, dy

    def _p(self, x, y):
        return ((x + self.dx) * SCALE, (y + self.dy) * SCALE)

    def _pts(self, pts):
        return [self._p(x, y) for x, y in pts]

    def _box(self, x0, y0, x1, y1):
        a, b = self._p(x0, y0)
        c, d = self._p(x1, y1)
        return [a, b, c - 1, d - 1]

    # Boxes are given as edges: rect(0, 0, 24, 24) fills 24 x 24 pixels.
    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        if outline is not None:
            w = width
            for box in ((x0, y0, x1, y0 + w), (x0, y1 - w, x1, y1), (x0, y0, x0 + w, y1),
                        (x1 - w, y0, x1, y1)):
                self.d.rectangle(self._box(*box), fill=outline)
                self.m.rectangle(self._box(*box), fill=255)
            x0, y0, x1, y1 = x0 + w, y0 + w, x1 - w, y1 - w
        if fill is not None:
            self.d.rectangle(self._box(x0, y0, x1, y1), fill=fill)
            self.m.rectangle(self._box(x0, y0, x1, y1), fill=255)

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        if outline is not None:
            self.d.ellipse(self._box(x0, y0, x1, y1), fill=outline)
            self.m.ellipse(self._box(x0, y0, x1, y1), fill=255)
            x0, y0, x1, y1 = x0 + width, y0 + width, x1 - width, y1 - width
        if fill is not None:
            self.d.ellipse(self._box(x0, y0, x1, y1), fill=fill)
            self.m.ellipse(self._box(x0, y0, x1, y1), fill=255)

    def ring(self, cx, cy, r, color, width):
        """A circle outline centred on (cx, cy) without touching its inside."""
        box = self._box(cx - r - width / 2, cy - r - width / 2, cx + r + width / 2, cy + r + width / 2)
        self.d.ellipse(box, outline=color, width=int(width * SCALE))
        self.m.ellipse(box, outline=255, width=int(width * SCALE))

    def polygon(self, pts, fill=None, outline=None, width=1.0):
        if fill is not None:
            self.d.polygon(self._pts(pts), fill=fill)
            self.m.polygon(self._pts(pts), fill=255)
        if outline is not None:
            self.stroke(list(pts) + [pts[0]], outline, width)

    def stroke(self, pts, color, width, caps=True):
        """A polyline of the given width with round joins and caps."""
        p = self._pts(pts)
        w = max(1, int(round(width * SCALE)))
        self.d.line(p, fill=color, width=w, joint="curve")
        self.m.line(p, fill=255, width=w, joint="curve")
        if caps:
            r = w / 2
            for x, y in p if len(p) < 3 else (p[0], p[-1]):
                self.d.ellipse([x - r, y - r, x + r, y + r], fill=color)
                self.m.ellipse([x - r, y - r, x + r, y + r], fill=255)

    def arc_points(self, cx, cy, r, a0, a1, n=48):
        """Points of a circular arc, angles in degrees, counter-clockwise on screen."""
        return [
            (cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy - r * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
            for i in range(n + 1)
        ]

    def text(self, x, y, s, color, fnt):
        self.d.text(self._p(x, y), s, fill=color, font=fnt)
        self.m.text(self._p(x, y), s, fill=255, font=fnt)

    def gradient(self, x0, y0, x1, y1, top, bottom):
        a, b = self._p(x0, y0)
        c, d = self._p(x1, y1)
        rows = int(d - b)
        for i in range(rows):
            self.d.line([(a, b + i), (c - 1, b + i)], fill=mix(top, bottom, i / max(1, rows - 1)))

    def result(self):
        return self.img.reduce(SCALE)

    def keyed_result(self, threshold=100):
        """Downsampled image where mostly-empty pixels become exactly KEY."""
        img = self.img.reduce(SCALE)
        cover = self.mask.reduce(SCALE)
        px, cv = img.load(), cover.load()
        for y in range(self.h):
            for x in range(self.w):
                if cv[x, y] < threshold:
                    px[x, y] = KEY
                elif px[x, y] == KEY:
                    px[x, y] = (191, 191, 191)
        return img


def axis(p0, p1):
    """Maps (along, across) on the segment p0 -> p1 to picture coordinates."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    nx, ny = -uy, ux

    def at(u, v):
        return (p0[0] + ux * u + nx * v, p0[1] + uy * u + ny * v)

    return at, length


# --------------------------------------------------------------------------
# Button faces

INK = (28, 36, 52)          # dark outlines of the pictures
NAVY = (30, 60, 140)
ARROW_GREEN = (36, 150, 64)
ARROW_BLUE = (32, 110, 210)

FACE = {
    "U": dict(border=(72, 82, 100), top=(252, 253, 255), bottom=(198, 207, 220),
              light=(255, 255, 255), shade=(168, 177, 192), ring=None),
    "D": dict(border=(36, 44, 58), top=(170, 181, 198), bottom=(214, 220, 230),
              light=(140, 150, 166), shade=(214, 220, 230), ring=None),
    "F": dict(border=(72, 82, 100), top=(255, 255, 255), bottom=(220, 229, 240),
              light=None, shade=None, ring=(255, 170, 24)),
}


def button_face(c, w, h, state):
    f = FACE[state]
    c.rect(0, 0, w, h, fill=f["border"])
    c.gradient(1, 1, w - 1, h - 1, f["top"], f["bottom"])
    if f["ring"]:
        ring, inner = f["ring"], mix(f["ring"], (255, 255, 255), 0.55)
        c.rect(1, 1, w - 1, 2, fill=ring)
        c.rect(1, h - 2, w - 1, h - 1, fill=ring)
        c.rect(1, 1, 2, h - 1, fill=ring)
        c.rect(w - 2, 1, w - 1, h - 1, fill=ring)
        c.rect(2, 2, w - 2, 3, fill=inner)
        c.rect(2, h - 3, w - 2, h - 2, fill=inner)
        c.rect(2, 2, 3, h - 2, fill=inner)
        c.rect(w - 3, 2, w - 2, h - 2, fill=inner)
    else:
        c.rect(1, 1, w - 1, 2, fill=f["light"])
        c.rect(1, 1, 2, h - 1, fill=f["light"])
        c.rect(1, h - 2, w - 1, h - 1, fill=f["shade"])
        c.rect(w - 2, 1, w - 1, h - 1, fill=f["shade"])
    # Soften the square corners a little towards either skin.
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        c.rect(x, y, x + 1, y + 1, fill=mix(f["border"], (128, 128, 120), 0.5))


# --------------------------------------------------------------------------
# Button pictures, drawn in a 24 x 24 space

def draw_saveas(c):
    body = [(4, 4), (18, 4), (20, 6), (20, 20), (4, 20)]
    c.polygon(body, fill=(44, 84, 170))
    c.polygon(body, outline=(18, 34, 80), width=1)
    c.rect(8, 4, 17, 10, fill=(214, 220, 230), outline=(60, 66, 80))
    c.rect(13.5, 5.5, 15.5, 9, fill=(44, 84, 170))
    c.rect(7, 13, 18, 20, fill=(250, 250, 250), outline=(60, 66, 80))
    c.rect(8.5, 15, 16.5, 16, fill=(230, 80, 60))
    c.rect(8.5, 17.3, 16.5, 18, fill=(150, 160, 178))


def sheet(c, x0, y0, x1, y1, lines=True):
    fold = 4
    pts = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.polygon(pts, fill=(255, 255, 255))
    c.polygon(pts, outline=(50, 60, 82), width=1)
    c.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=(200, 208, 222),
              outline=(50, 60, 82), width=0.8)
    if lines:
        for i, y in enumerate(range(int(y0) + 6, int(y1) - 2, 3)):
            c.rect(x0 + 2.5, y, x1 - (4 if i % 2 else 2.5), y + 1, fill=(92, 120, 180))


def draw_copyfile(c):
    sheet(c, 3.5, 2.5, 14.5, 16.5, lines=False)
    sheet(c, 9, 7.5, 20.5, 21.5)


def draw_copyimage(c):
    c.rect(4, 4, 20, 22, fill=(176, 122, 62), outline=(96, 60, 24))
    c.rect(6, 7, 18, 20, fill=(255, 255, 255))
    # the picture being copied: sky, sun, hill
    c.rect(7, 9, 17, 18, fill=(120, 186, 240))
    c.ellipse(13, 10, 16, 13, fill=(255, 214, 40))
    c.polygon([(7, 18), (7, 15), (10, 12.5), (13.5, 16), (15, 14.5), (17, 16.5), (17, 18)],
              fill=(52, 150, 60))
    c.rect(8.5, 2, 15.5, 6.5, fill=(214, 220, 230), outline=(60, 66, 80))
    c.rect(10.5, 2.5, 13.5, 3.5, fill=(60, 66, 80))


def draw_mail(c):
    c.rect(3, 6, 21, 19, fill=(255, 250, 232), outline=(60, 66, 84))
    c.stroke([(3.7, 6.7), (12, 13.5), (20.3, 6.7)], (60, 66, 84), 1.2, caps=False)
    c.stroke([(3.7, 18.3), (9.5, 12.5)], (140, 146, 160), 0.9, caps=False)
    c.stroke([(20.3, 18.3), (14.5, 12.5)], (140, 146, 160), 0.9, caps=False)
    c.rect(16.5, 8, 19.5, 10.5, fill=(220, 60, 50))


def draw_pencil(c, p0=(3.5, 20.5), p1=(20.5, 3.5)):
    at, length = axis(p0, p1)
    half = 2.9
    tip, cone, band = 2.2, 6.0, length - 3.0
    # wood cone with graphite tip
    c.polygon([at(0, 0), at(cone, -half), at(cone, half)], fill=(236, 200, 146))
    c.polygon([at(0, 0), at(tip, -half * tip / cone), at(tip, half * tip / cone)], fill=(40, 40, 48))
    # yellow body with a darker facet
    c.polygon([at(cone, -half), at(band - 2.5, -half), at(band - 2.5, half), at(cone, half)],
              fill=(255, 204, 24))
    c.polygon([at(cone, 0.9), at(band - 2.5, 0.9), at(band - 2.5, half), at(cone, half)],
              fill=(226, 150, 10))
    # metal ferrule and eraser
    c.polygon([at(band - 2.5, -half), at(band, -half), at(band, half), at(band - 2.5, half)],
              fill=(186, 192, 204))
    c.polygon([at(band, -half), at(length, -half), at(length, half), at(band, half)],
              fill=(240, 130, 150))
    c.polygon([at(0, 0), at(cone, -half), at(length, -half), at(length, half), at(cone, half)],
              outline=INK, width=0.9)


def draw_text(c):
    f = font("DejaVuSerif-Bold.ttf", 19 * SCALE)
    box = c.d.textbbox((0, 0), "A", font=f)
    w, h = (box[2] - box[0]) / SCALE, (box[3] - box[1]) / SCALE
    x, y = 12 - w / 2 - box[0] / SCALE, 11 - h / 2 - box[1] / SCALE
    c.text(x, y, "A", NAVY, f)
    c.rect(5, 19.5, 19, 21, fill=(220, 60, 50))


def draw_ruler(c):
    p0, p1 = (2.5, 16.5), (21.5, 7.5)
    at, length = axis(p0, p1)
    half = 3.4
    body = [at(0, -half), at(length, -half), at(length, half), at(0, half)]
    c.polygon(body, fill=(250, 222, 120))
    c.polygon(body, outline=(110, 80, 20), width=0.9)
    for i in range(1, 10):
        u = i * length / 10
        tick = 2.6 if i % 5 == 0 else 1.5
        c.stroke([at(u, -half + 0.4), at(u, -half + tick)], INK, 0.8, caps=False)


def draw_extern(c):
    c.polygon([(1.5, 10), (8.5, 10), (5, 14.5)], fill=INK)


def straight_arrow(c, right, color):
    s = 1 if right else -1

    def x(v):
        return 12 + s * (v - 12)

    pts = [(x(3.5), 9.5), (x(12), 9.5), (x(12), 5), (x(20.5), 12), (x(12), 19), (x(12), 14.5),
           (x(3.5), 14.5)]
    c.polygon(pts, fill=color)
    c.polygon(pts, outline=darker(color, 0.55), width=1)


def curved_arrow(c, undo, color):
    # a U-turn from the lower tail over the top, ending in a head that points
    # down; undo turns back to the left, redo is its mirror image
    s = 1 if undo else -1
    path = [(12 + s * (x - 12), y) for x, y in c.arc_points(12.5, 13, 6.2, -60, 180)]
    end = path[-1]
    path = path[:-4]
    c.stroke(path, darker(color, 0.55), 4.4)
    c.stroke(path, color, 2.6)
    head = [(end[0] - 4.6, end[1] - 1.2), (end[0] + 4.6, end[1] - 1.2), (end[0], end[1] + 5)]
    c.polygon(head, fill=color)
    c.polygon(head, outline=darker(color, 0.55), width=0.9)


def magnifier(c, plus):
    c.stroke([(14.3, 14.3), (20.5, 20.5)], (60, 44, 30), 4.0)
    c.stroke([(15.5, 15.5), (20.2, 20.2)], (120, 86, 50), 2.0)
    c.ellipse(3, 3, 17, 17, fill=(214, 236, 255), outline=(40, 50, 70), width=1.6)
    c.ellipse(5.5, 5.5, 9.5, 8.5, fill=(255, 255, 255))
    c.rect(6.2, 9.1, 13.8, 10.9, fill=NAVY)
    if plus:
        c.rect(9.1, 6.2, 10.9, 13.8, fill=NAVY)


def draw_color(c):
    c.polygon([(3, 12), (4, 7), (8, 4), (14, 3.5), (19, 5), (21.5, 9), (21, 14), (17, 17),
               (13, 16.5), (11, 19.5), (7, 20.5), (4, 18)], fill=(228, 194, 142))
    c.polygon([(3, 12), (4, 7), (8, 4), (14, 3.5), (19, 5), (21.5, 9), (21, 14), (17, 17),
               (13, 16.5), (11, 19.5), (7, 20.5), (4, 18)], outline=(110, 74, 30), width=0.9)
    c.ellipse(7.5, 13, 10.5, 16, fill=(238, 242, 248), outline=(110, 74, 30), width=0.7)
    for (x, y), col in (((6.5, 9), (230, 40, 40)), ((10.5, 6), (250, 210, 0)),
                        ((15, 6), (40, 170, 60)), ((18, 10), (40, 100, 230)),
                        ((15.5, 13.5), (160, 60, 200))):
        c.ellipse(x - 1.7, y - 1.7, x + 1.7, y + 1.7, fill=col, outline=darker(col, 0.6), width=0.5)


BUTTONS = {
    "SAVEAS": draw_saveas,
    "COPYFILE": draw_copyfile,
    "COPYIMAGE": draw_copyimage,
    "MAIL": draw_mail,
    "DRAWING": draw_pencil,
    "TEXT": draw_text,
    "MEASUREMENT": draw_ruler,
    "PREVIOUS": lambda c: straight_arrow(c, False, ARROW_GREEN),
    "NEXT": lambda c: straight_arrow(c, True, ARROW_GREEN),
    "UNDO": lambda c: curved_arrow(c, True, ARROW_BLUE),
    "REDO": lambda c: curved_arrow(c, False, ARROW_BLUE),
    "ZOOMIN": lambda c: magnifier(c, True),
    "ZOOMOUT": lambda c: magnifier(c, False),
    "COLOR": draw_color,
}


def picture_button(draw, state, w=24, h=24):
    c = Canvas(w, h)
    button_face(c, w, h, state)
    if state == "D":
        c.shift(1, 1)  # the pressed picture sinks in
    draw(c)
    return c.result()


# --------------------------------------------------------------------------
# Window buttons (20 x 20), one set per skin

SKIN_FACE = {
    "BLUE": {
        "U": dict(border=(132, 168, 218), top=(64, 112, 178), bottom=(26, 66, 126), glyph=(244, 248, 255)),
        "D": dict(border=(88, 118, 168), top=(14, 38, 76), bottom=(34, 76, 134), glyph=(200, 214, 236)),
        "F": dict(border=(190, 220, 255), top=(98, 152, 222), bottom=(44, 98, 170), glyph=(255, 255, 255)),
    },
    "GOLD": {
        "U": dict(border=(128, 104, 28), top=(255, 248, 186), bottom=(212, 196, 84), glyph=(72, 52, 8)),
        "D": dict(border=(96, 74, 14), top=(188, 170, 60), bottom=(232, 220, 130), glyph=(60, 42, 4)),
        "F": dict(border=(214, 110, 0), top=(255, 253, 214), bottom=(240, 222, 110), glyph=(72, 52, 8)),
    },
}
CLOSE_HOT = dict(top=(236, 96, 80), bottom=(180, 30, 24), glyph=(255, 255, 255))


def window_button(kind, skin, state):
    f = dict(SKIN_FACE[skin][state])
    if kind == "CLOSE" and state == "F":
        f.update(CLOSE_HOT)
    c = Canvas(20, 20)
    c.rect(0, 0, 20, 20, fill=f["border"])
    c.gradient(1, 1, 19, 19, f["top"], f["bottom"])
    if state == "F":
        c.rect(1, 1, 19, 2, fill=mix(f["border"], f["top"], 0.3))
        c.rect(1, 18, 19, 19, fill=mix(f["border"], f["bottom"], 0.3))
        c.rect(1, 1, 2, 19, fill=mix(f["border"], f["top"], 0.3))
        c.rect(18, 1, 19, 19, fill=mix(f["border"], f["bottom"], 0.3))
    elif state == "U":
        c.rect(1, 1, 19, 2, fill=mix(f["top"], (255, 255, 255), 0.45))
    else:
        c.rect(1, 1, 19, 2, fill=darker(f["top"], 0.75))
        c.rect(1, 1, 2, 19, fill=darker(f["top"], 0.75))
    if state == "D":
        c.shift(1, 1)
    g = f["glyph"]
    if kind == "MIN":
        c.rect(5, 12.5, 15, 15, fill=g)
    elif kind == "MAX":
        # four corners: the picture fills the screen
        for sx, sy in ((1, 1), (-1, 1), (1, -1), (-1, -1)):
            cx, cy = 10 - sx * 5.5, 10 - sy * 5.5
            c.stroke([(cx, cy + sy * 3.5), (cx, cy), (cx + sx * 3.5, cy)], g, 1.7, caps=False)
        c.rect(8, 8, 12, 12, fill=g)
    else:
        c.stroke([(6, 6), (14, 14)], g, 2.4)
        c.stroke([(14, 6), (6, 14)], g, 2.4)
    return c.result()


# --------------------------------------------------------------------------
# Menu images: 17 pictures of 16 x 15 in one strip, in the toolbar's order

DRAW_INK = (0, 0, 128)
MEASURE_INK = (176, 0, 0)
DOT = (0, 0, 0)


def dots(c, pts, r=1.1):
    for x, y in pts:
        c.ellipse(x - r, y - r, x + r, y + r, fill=DOT)


def tool_line(c):
    c.stroke([(2.5, 12.5), (13.5, 2.5)], DRAW_INK, 1.6)


def tool_arrow(c):
    c.stroke([(2.5, 12.5), (11, 4.5)], DRAW_INK, 1.6)
    c.polygon([(14, 1.5), (7.6, 3.4), (12.2, 8)], fill=DRAW_INK)


def tool_freehand(c):
    pts = [(2 + 12 * t / 40, 7.5 - 4 * math.sin(2 * math.pi * 1.25 * t / 40) * (1 - 0.3 * t / 40))
           for t in range(41)]
    c.stroke(pts, DRAW_INK, 1.6)


def tool_rectangle(c):
    c.rect(2, 3, 14, 12.5, outline=DRAW_INK, width=1.5)


def tool_ellipse(c):
    c.ring(8, 7.5, 5.6, DRAW_INK, 1.5)


def end_ticks(c, p0, p1, size=2.6, w=1.1):
    at, length = axis(p0, p1)
    c.stroke([at(0, -size), at(0, size)], DOT, w, caps=False)
    c.stroke([at(length, -size), at(length, size)], DOT, w, caps=False)


def tool_any_angle(c):
    c.stroke([(3, 12), (13, 3)], MEASURE_INK, 1.5)
    end_ticks(c, (3, 12), (13, 3))


def tool_straight_angle(c):
    c.stroke([(3, 2), (3, 12.5), (14, 12.5)], MEASURE_INK, 1.5, caps=False)
    c.rect(3.5, 9, 6.5, 12, outline=DOT, width=0.8)
    c.stroke([(1, 2.5), (5, 2.5)], DOT, 1.0, caps=False)
    c.stroke([(14, 10.5), (14, 14.5)], DOT, 1.0, caps=False)


def tool_forty_five(c):
    c.stroke([(2, 12.5), (14.5, 12.5)], DOT, 1.0, caps=False)
    c.stroke([(2.5, 12.5), (12, 3)], MEASURE_INK, 1.5)
    c.stroke(c.arc_points(2.5, 12.5, 7, 0, 45, 16), DOT, 0.9, caps=False)


def tool_continuous(c):
    pts = [(1.5, 11), (5, 3.5), (9.5, 11.5), (14.5, 4)]
    c.stroke(pts, MEASURE_INK, 1.4)
    dots(c, pts)


def tool_polygon(c):
    pts = [(2, 5), (8, 1.8), (14, 5.5), (12.5, 12.8), (4, 12)]
    c.polygon(pts, fill=(255, 214, 200))
    c.polygon(pts, outline=MEASURE_INK, width=1.3)
    dots(c, pts, 1.0)


def tool_radius_circle(c):
    c.ring(8, 7.5, 5.7, MEASURE_INK, 1.3)
    c.stroke([(8, 7.5), (13.4, 7.5)], DOT, 1.1, caps=False)
    dots(c, [(8, 7.5)])


def tool_diameter_circle(c):
    c.ring(8, 7.5, 5.7, MEASURE_INK, 1.3)
    c.stroke([(4, 11.5), (12, 3.5)], DOT, 1.1, caps=False)


def tool_three_point_circle(c):
    c.ring(8, 7.5, 5.7, MEASURE_INK, 1.3)
    dots(c, [(8 + 5.7 * math.cos(math.radians(a)), 7.5 - 5.7 * math.sin(math.radians(a)))
             for a in (100, 220, 340)], 1.6)


def tool_three_point_arc(c):
    c.stroke(c.arc_points(8, 11, 6.5, 10, 170, 32), MEASURE_INK, 1.4)
    dots(c, [(8 + 6.5 * math.cos(math.radians(a)), 11 - 6.5 * math.sin(math.radians(a)))
             for a in (10, 90, 170)], 1.5)


def tool_three_point_angle(c):
    v = (2.5, 12.5)
    c.stroke([(14, 12.5), v, (11.5, 2.5)], MEASURE_INK, 1.4)
    c.stroke(c.arc_points(v[0], v[1], 6, 0, 48, 16), DOT, 0.9, caps=False)
    dots(c, [(14, 12.5), v, (11.5, 2.5)], 1.1)


def tool_four_point_angle(c):
    c.stroke([(1.5, 9), (14.5, 13)], MEASURE_INK, 1.4)
    c.stroke([(3, 14), (12.5, 1.5)], MEASURE_INK, 1.4)
    dots(c, [(1.5, 9), (14.5, 13), (3, 14), (12.5, 1.5)], 1.1)


def tool_calibration(c):
    c.rect(0.5, 5, 15.5, 11, fill=(250, 222, 120), outline=(96, 64, 0), width=1)
    for i in range(1, 8):
        x = 0.5 + i * 15 / 8
        c.stroke([(x, 5.5), (x, 8.8 if i % 4 == 0 else 7.3)], DOT, 0.9, caps=False)
    c.polygon([(4, 0.5), (12, 0.5), (8, 4)], fill=MEASURE_INK)


MENU_IMAGES = [
    tool_line,              # Line
    tool_arrow,             # Arrow
    tool_freehand,          # Freelance
    tool_rectangle,         # Rectangle
    tool_ellipse,           # Ellipse
    tool_any_angle,         # Any Angle Line
    tool_straight_angle,    # Straight Angle Line
    tool_forty_five,        # 45 Degrees' Angle Line
    tool_continuous,        # Continuous line
    tool_polygon,           # Polygon
    tool_radius_circle,     # Radius circle
    tool_diameter_circle,   # Diameter circle
    tool_three_point_circle,  # Three points circle
    tool_three_point_arc,   # Three points arc
    tool_three_point_angle,  # Three points angle
    tool_four_point_angle,  # Four points Angle
    tool_calibration,       # Calibration...
]


def menu_strip():
    strip = Image.new("RGB", (16 * len(MENU_IMAGES), 15), KEY)
    for i, draw in enumerate(MENU_IMAGES):
        c = Canvas(16, 15)
        draw(c)
        strip.paste(c.keyed_result(), (16 * i, 0))
    return strip


def check_mark():
    # 19 x 19; the menu centres it as if it were 16 x 15 and lifts it by 2,
    # so the mark sits around (8, 9.5).
    c = Canvas(19, 19)
    c.stroke([(4, 9.5), (7, 12.5), (12.5, 6)], (0, 0, 0), 2.2)
    return c.keyed_result(110)


def magnification_label():
    c = Canvas(115, 16)
    c.rect(0, 0, 115, 16, fill=(72, 82, 100))
    c.gradient(1, 1, 114, 15, (250, 252, 255), (204, 212, 224))
    c.img = c.img.reduce(SCALE)
    d = ImageDraw.Draw(c.img)
    f = font("DejaVuSans-Bold.ttf", 11)
    s = "Magnification:"
    box = d.textbbox((0, 0), s, font=f)
    x = 115 - 6 - (box[2] - box[0]) - box[0]
    y = (16 - (box[3] - box[1])) // 2 - box[1]
    d.text((x, y), s, fill=INK, font=f)
    # a small lens at the left, as on the zoom buttons
    lens = Canvas(16, 16, background=(0, 0, 0))
    lens.img = c.img.crop((1, 0, 17, 16)).resize((16 * SCALE, 16 * SCALE))
    lens.d = ImageDraw.Draw(lens.img)
    lens.stroke([(9.5, 9.5), (13.5, 13.5)], (60, 44, 30), 2.4)
    lens.ellipse(2.5, 2.5, 11, 11, fill=(214, 236, 255), outline=(40, 50, 70), width=1.2)
    c.img.paste(lens.result(), (1, 0))
    return c.img


def save(img, name):
    path = os.path.join(OUT, name + ".png")
    img.convert("RGB").save(path, optimize=True)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, draw in BUTTONS.items():
        states = "UD" if name == "COPYIMAGE" else "UDF"
        for s in states:
            save(picture_button(draw, s), name + s)
    for s in "UDF":
        save(picture_button(draw_extern, s, 10, 24), "EXTERN" + s)
        for skin in ("BLUE", "GOLD"):
            for kind in ("MIN", "MAX", "CLOSE"):
                save(window_button(kind, skin, s), kind + skin + s)
    save(menu_strip(), "MENUTOOLS")
    save(check_mark(), "MENUCHECK")
    save(magnification_label(), "MAGNIFICATION")


if __name__ == "__main__":
    main()
