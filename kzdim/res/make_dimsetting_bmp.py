#!/usr/bin/python3
"""Draws bitmap 210, the picture of the settings dialog: white lines on black, 316 x 391
pixels, 256 colours. A route (thick line) near the bottom, two stacked dimension lines
with dot arrowheads and sample values, and the five distances the dialog sets, each
marked and labelled.

    make_dimsetting_bmp.py ja dimsetting.bmp          (Japanese labels)
    make_dimsetting_bmp.py en 1033/dimsetting.bmp     (English labels)

Needs python3-pil, and fonts-ipafont-gothic for the Japanese labels. The bitmaps are
committed; run this only to change the picture.
"""
import sys

from PIL import Image, ImageDraw, ImageFont

WIDTH, HEIGHT = 316, 391
BLACK, WHITE = 0, 255

LABELS = {
    "ja": {
        "arrow": ["矢印サイズ"],
        "stack": ["重ね寸法", "はなれ量"],
        "gap": ["文字はなれ量"],
        "height": ["文字高さ"],
        "offset": ["補助線はなれ量"],
    },
    "en": {
        "arrow": ["Arrow size"],
        "stack": ["Stacked", "spacing"],
        "gap": ["Text gap"],
        "height": ["Text height"],
        "offset": ["Ext. line offset"],
    },
}
FONTS = {
    "ja": "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "en": "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
}
VALUE_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

# Geometry, in pixels.
ROUTE_Y = 341          # top of the route line
ROUTE_THICKNESS = 6
EXT_START = 325        # extension lines start this far above the route (offset 16)
UPPER_Y, LOWER_Y = 145, 245  # the two dimension lines (stacked spacing 100)
X_LEFT, X_MID, X_RIGHT = 24, 86, 150
DOT = 4                # dot arrowhead radius
TEXT_GAP = 8           # dimension line to the bottom of its text
VALUE_SIZE = 18


def dotted_h(d, x1, x2, y):
    for x in range(min(x1, x2), max(x1, x2) + 1, 3):
        d.point((x, y), fill=WHITE)


def dotted_v(d, x, y1, y2):
    for y in range(min(y1, y2), max(y1, y2) + 1, 3):
        d.point((x, y), fill=WHITE)


def arrow(d, x, y, direction):
    """A small filled triangle whose tip is at (x, y), pointing up/down/left/right."""
    s = 4
    tips = {
        "down": [(x, y), (x - s, y - s - 2), (x + s, y - s - 2)],
        "up": [(x, y), (x - s, y + s + 2), (x + s, y + s + 2)],
        "right": [(x, y), (x - s - 2, y - s), (x - s - 2, y + s)],
        "left": [(x, y), (x + s + 2, y - s), (x + s + 2, y + s)],
    }
    d.polygon(tips[direction], fill=WHITE)


def measure_v(d, x, y1, y2):
    """Marks the vertical distance y1..y2 (y1 < y2) at column x."""
    if y2 - y1 >= 30:
        d.line([(x, y1), (x, y2)], fill=WHITE)
        arrow(d, x, y1, "up")
        arrow(d, x, y2, "down")
    else:  # too short for arrows inside: they point in from outside
        d.line([(x, y1 - 14), (x, y2 + 14)], fill=WHITE)
        arrow(d, x, y1, "down")
        arrow(d, x, y2, "up")


def measure_h(d, y, x1, x2):
    """Marks the horizontal distance x1..x2 (short) at row y, arrows from outside."""
    d.line([(x1 - 14, y), (x2 + 14, y)], fill=WHITE)
    arrow(d, x1, y, "right")
    arrow(d, x2, y, "left")


def label(d, font, x, y, lines):
    for i, line in enumerate(lines):
        d.text((x, y + i * 15), line, font=font, fill=WHITE)


def dimension(d, font, x1, x2, y, value):
    """A dimension line with dot arrowheads and its value above it; returns the
    value's box (left, top, right, bottom)."""
    d.line([(x1, y), (x2, y)], fill=WHITE)
    for x in (x1, x2):
        d.ellipse([x - DOT, y - DOT, x + DOT, y + DOT], fill=WHITE)
    left, top, right, bottom = d.textbbox((0, 0), value, font=font)
    w, h = right - left, bottom - top
    tx = (x1 + x2) // 2 - w // 2
    ty = y - TEXT_GAP - h
    d.text((tx - left, ty - top), value, font=font, fill=WHITE)
    return tx, ty, tx + w, ty + h


def draw(lang):
    img = Image.new("P", (WIDTH, HEIGHT), BLACK)
    # A full 256-entry palette: black, a grey ramp, white last.
    palette = []
    for i in range(256):
        palette += [i, i, i]
    img.putpalette(palette)
    d = ImageDraw.Draw(img)
    d.fontmode = "1"  # no anti-aliasing: only black and white pixels
    font = ImageFont.truetype(FONTS[lang], 12)
    value_font = ImageFont.truetype(VALUE_FONT, VALUE_SIZE)
    text = LABELS[lang]

    # Route and extension lines.
    d.rectangle([10, ROUTE_Y, WIDTH - 11, ROUTE_Y + ROUTE_THICKNESS - 1], fill=WHITE)
    for x, top in ((X_LEFT, UPPER_Y - 10), (X_MID, LOWER_Y - 10), (X_RIGHT, UPPER_Y - 10)):
        d.line([(x, top), (x, EXT_START)], fill=WHITE)

    upper = dimension(d, value_font, X_LEFT, X_RIGHT, UPPER_Y, "2400")
    lower = dimension(d, value_font, X_LEFT, X_MID, LOWER_Y, "1200")

    # Arrow size: the diameter of the left dot of the upper line.
    dotted_v(d, X_LEFT - DOT, UPPER_Y - DOT, 95)
    dotted_v(d, X_LEFT + DOT, UPPER_Y - DOT, 95)
    measure_h(d, 99, X_LEFT - DOT, X_LEFT + DOT)
    label(d, font, 8, 75, text["arrow"])

    # Text height: the upper value from top to bottom.
    dotted_h(d, upper[2] + 3, 176, upper[1])
    dotted_h(d, upper[2] + 3, 176, upper[3])
    measure_v(d, 172, upper[1], upper[3])
    label(d, font, 182, upper[1] - 6, text["height"])

    # Stacked-dimension spacing: from one dimension line to the next.
    dotted_h(d, X_RIGHT + DOT + 3, 294, UPPER_Y)
    dotted_h(d, X_MID + DOT + 3, 294, LOWER_Y)
    measure_v(d, 290, UPPER_Y, LOWER_Y)
    label(d, font, 232, 177, text["stack"])

    # Text gap: from the lower dimension line to the bottom of its value.
    dotted_h(d, lower[2] + 3, 176, lower[3])
    measure_v(d, 172, lower[3], LOWER_Y)
    label(d, font, 182, lower[3] - 26, text["gap"])

    # Extension-line offset: from the route to where the extension lines start.
    dotted_h(d, X_RIGHT + 3, 254, EXT_START)
    measure_v(d, 250, EXT_START, ROUTE_Y)
    label(d, font, 182, 287, text["offset"])
    return img


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in LABELS:
        sys.exit(__doc__)
    draw(sys.argv[1]).save(sys.argv[2], format="BMP")


if __name__ == "__main__":
    main()
