#!/usr/bin/python3
"""Lays the artwork out on both skins for review; writes a PNG (default /tmp).

Usage: /usr/bin/python3 resources/sources/contact_sheet.py [out.png] [zoom]
"""

import os
import sys

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.normpath(os.path.join(HERE, "..", "artwork"))

SKINS = (("BLUE", (12, 49, 96)), ("GOLD", (220, 220, 110)))

# The button row of the smallest window size: caption and x; y is 10.
ROW = [("SAVEAS", 10), ("COPYFILE", 34), ("COPYIMAGE", 58), ("MAIL", 82), ("DRAWING", 130),
       ("EXTERN", 154), ("TEXT", 164), ("EXTERN", 188), ("MEASUREMENT", 198), ("EXTERN", 222),
       ("PREVIOUS", 280), ("NEXT", 304), ("UNDO", 328), ("REDO", 352), ("ZOOMIN", 376),
       ("ZOOMOUT", 400)]
WINDOW = [("MIN", 596), ("MAX", 618), ("CLOSE", 640)]


def load(name):
    return Image.open(os.path.join(ART, name + ".png")).convert("RGB")


def window_strip(skin, colour, state):
    """The top 56 pixels of the window with every button in one state."""
    img = Image.new("RGB", (660, 56), colour)
    for cap, x in ROW:
        s = state if not (cap == "COPYIMAGE" and state == "F") else "U"
        img.paste(load(cap + s), (x, 10))
    img.paste(load("COLOR" + state), (250, 10))  # never shown; here for review
    for cap, x in WINDOW:
        img.paste(load(cap + skin + state), (x, 5))
    img.paste(load("MAGNIFICATION"), (440, 28))
    ImageDraw.Draw(img).rectangle([558, 28, 558 + 91, 28 + 15], fill=(255, 255, 255))
    return img


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "/tmp/artwork_sheet.png"
    zoom = int(sys.argv[2]) if len(sys.argv) > 2 else 2
    parts = []
    for skin, colour in SKINS:
        for state in "UDF":
            parts.append(window_strip(skin, colour, state))
    menu = Image.new("RGB", (660, 40), (240, 240, 240))
    strip = load("MENUTOOLS")
    key = (192, 192, 192)
    shown = Image.new("RGB", strip.size, (240, 240, 240))
    px, sp = shown.load(), strip.load()
    for y in range(strip.size[1]):
        for x in range(strip.size[0]):
            if sp[x, y] != key:
                px[x, y] = sp[x, y]
    for i in range(17):
        menu.paste(shown.crop((16 * i, 0, 16 * i + 16, 15)), (10 + 22 * i, 4))
    menu.paste(strip, (10, 22))
    menu.paste(load("MENUCHECK"), (400, 18))
    parts.append(menu)
    sheet = Image.new("RGB", (660, sum(p.size[1] for p in parts)))
    y = 0
    for p in parts:
        sheet.paste(p, (0, y))
        y += p.size[1]
    sheet = sheet.resize((sheet.size[0] * zoom, sheet.size[1] * zoom), Image.NEAREST)
    sheet.save(out)
    print(out)


if __name__ == "__main__":
    main()
