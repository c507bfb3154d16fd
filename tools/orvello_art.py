#!/usr/bin/env python3
"""Draws Orvello's language-neutral pictures and writes them as the files its resource script binds:
the tool-bar button strips, the shelf's item images, the about box's banner, the two icons and the
cursors. Everything is drawn here from text art and a few shapes, so the files can be made again
byte for byte:

    tools/orvello_art.py resources/Orvello/res

Plain Python 3, no imaging library: the BMP, ICO and CUR layouts are written directly."""
import struct
import sys
from pathlib import Path

# ---------------------------------------------------------------------------------------------
# Colours. Tool-bar strips treat light grey as transparent, the shelf's images pure white.

TRANSPARENT_GREY = (192, 192, 192)
TRANSPARENT_WHITE = (255, 255, 255)

PALETTE = {
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "W": (250, 250, 244),   # paper that must stay opaque where white is the transparent colour
    "g": (128, 128, 128),
    "G": (96, 96, 96),
    "s": (212, 212, 212),   # light grey, kept clear of the transparent grey
    "b": (0, 0, 176),
    "B": (64, 128, 224),
    "c": (176, 212, 255),   # field blue
    "r": (200, 0, 0),
    "R": (255, 96, 96),
    "y": (255, 224, 0),
    "Y": (255, 248, 160),
    "e": (0, 144, 0),
    "E": (96, 208, 96),
    "o": (232, 128, 0),
    "n": (128, 72, 16),
    "p": (240, 160, 176),   # eraser pink
    "v": (128, 0, 160),
    "t": (0, 128, 128),
}


class Canvas:
    """An RGB picture; None marks a pixel that shows the transparent colour."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[None] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = PALETTE[colour] if isinstance(colour, str) else colour

    def art(self, rows, x0=0, y0=0, palette=None):
        """Copies text art: one character a pixel, '.' and ' ' leave the pixel as it is."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in ". ":
                    continue
                self.put(x0 + dx, y0 + dy, (palette or {}).get(ch, ch))

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def rect(self, x0, y0, x1, y1, colour, fill=None):
        if fill:
            for y in range(y0 + 1, y1):
                for x in range(x0 + 1, x1):
                    self.put(x, y, fill)
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def ellipse(self, x0, y0, x1, y1, colour, fill=None):
        """The ellipse inside the box; the outline is every pixel of the filled shape next to outside."""
        cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        rx, ry = (x1 - x0) / 2.0 + 0.5, (y1 - y0) / 2.0 + 0.5

        def inside(x, y):
            return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0

        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if not inside(x, y):
                    continue
                edge = not all(inside(x + ax, y + ay) for ax, ay in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                if edge:
                    self.put(x, y, colour)
                elif fill:
                    self.put(x, y, fill)

    def fill_polygon(self, points, colour):
        ys = [p[1] for p in points]
        for y in range(min(ys), max(ys) + 1):
            xs = []
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay <= y < by) or (by <= y < ay):
                    xs.append(ax + (y - ay) * (bx - ax) / float(by - ay))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(round(a)), int(round(b)) + 1):
                    self.put(x, y, colour)

    def polyline(self, points, colour):
        for a, b in zip(points, points[1:]):
            self.line(a[0], a[1], b[0], b[1], colour)

    def blit(self, other, x0, y0):
        for y in range(other.height):
            for x in range(other.width):
                if other.pixels[y][x] is not None:
                    self.put(x0 + x, y0 + y, other.pixels[y][x])

    def resolved(self, transparent):
        return [[p if p is not None else transparent for p in row] for row in self.pixels]


# ---------------------------------------------------------------------------------------------
# File layouts.

def bmp24(rows):
    """A bottom-up 24-bit BMP file of the given rows of (r, g, b)."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40) + info + bytes(body)


def bmp8(rows):
    """A bottom-up 8-bit BMP file; the picture may use at most 256 colours."""
    height, width = len(rows), len(rows[0])
    colours = sorted({p for row in rows for p in row})
    if len(colours) > 256:
        raise ValueError("%d colours do not fit an 8-bit picture" % len(colours))
    index = {c: i for i, c in enumerate(colours)}
    stride = (width + 3) & ~3
    body = bytearray()
    for row in reversed(rows):
        line = bytes(index[p] for p in row)
        body += line + b"\0" * (stride - len(line))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(body), 3780, 3780, len(colours), 0)
    return struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset) + info + table + bytes(body)


def mask_rows(canvas):
    """The AND mask of an icon or cursor: 1 where the picture is transparent, rows padded to 32 bits."""
    stride = ((canvas.width + 31) // 32) * 4
    out = bytearray()
    for row in reversed(canvas.pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def icon_image(canvas):
    """One 32-bit image of an icon file: the header of twice the height, BGRA pixels, the AND mask."""
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for row in reversed(canvas.pixels):
        for p in row:
            body += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
    return info + bytes(body) + mask_rows(canvas)


def ico(canvases):
    images = [icon_image(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def cur(canvas, hotspot):
    """A monochrome cursor file. Colours: black and white draw themselves, 'i' inverts the screen."""
    stride = 4
    xor = bytearray()
    for row in reversed(canvas.pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p in (PALETTE["w"], INVERT):
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bits
    # Inverting pixels have the AND bit set as well as the XOR bit.
    inverted = Canvas(canvas.width, canvas.height)
    for y, row in enumerate(canvas.pixels):
        for x, p in enumerate(row):
            inverted.pixels[y][x] = None if p in (None, INVERT) else p
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    data = info + b"\0\0\0\0" + b"\xff\xff\xff\0" + bytes(xor) + mask_rows(inverted)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", canvas.width, canvas.height, 2, 0, hotspot[0], hotspot[1], len(data), 22)
    return header + entry + data


INVERT = (1, 2, 3)   # a marker colour no picture uses
PALETTE["i"] = INVERT


# ---------------------------------------------------------------------------------------------
# Button pictures, 16 x 16; the strips give each one a cell 17 pixels wide.

def icon(rows):
    c = Canvas(16, 16)
    c.art(rows)
    return c


PAGE = [
    "................",
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwwwwwwwkwk...",
    "..kwwwwwwwkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
]


def page_with(extra_rows=None, lines=False):
    c = icon(PAGE)
    if lines:
        for y in (6, 8, 10, 12):
            c.line(4, y, 11, y, "g")
    if extra_rows:
        c.art(extra_rows)
    return c


def small_page(c, x0, y0, w=9, h=11):
    c.rect(x0, y0, x0 + w, y0 + h, "k", fill="w")


def written_page(c, x0, y0, w=9, h=11, ink="b"):
    """A small page with lines of text on it."""
    small_page(c, x0, y0, w, h)
    for y in range(y0 + 3, y0 + h - 1, 2):
        c.line(x0 + 2, y, x0 + w - 3, y, ink)


def plus(c, cx, cy, colour="e"):
    for d in range(-2, 3):
        c.put(cx + d, cy, colour)
        c.put(cx, cy + d, colour)


def plus_badge(c):
    """The green square with a plus sign of the commands that add something."""
    c.rect(8, 8, 14, 14, "k", fill="E")
    plus(c, 11, 11, "k")


def magnifier(sign=None, dotted=False):
    c = icon([
        "................",
        "....kkkk........",
        "...kBccBk.......",
        "..kBcccccBk.....",
        "..kcccccccck....",
        ".kccccccccck....",
        ".kccccccccck....",
        ".kccccccccck....",
        "..kcccccccck....",
        "..kBcccccBk.....",
        "...kBccBkgk.....",
        "....kkkk.kgk....",
        "..........kgk...",
        "...........kgk..",
        "............kk..",
        "................",
    ])
    if sign in ("-", "+"):
        c.line(3, 6, 9, 6, "k")
    if sign == "+":
        c.line(6, 3, 6, 9, "k")
    if dotted:
        c.art(["k.k.k", ".....", "k.k.k", ".....", "k.k.k"], 4, 4)
    return c


def curved_arrow(mirror):
    rows = [
        "................",
        "................",
        "....k...........",
        "...kk...........",
        "..kBkkkkkkk.....",
        ".kBBBBBBBBBkk...",
        "..kBkkkkkkBBBk..",
        "...kk.....kkBBk.",
        "....k.......kBk.",
        ".............kBk",
        ".............kBk",
        ".............kBk",
        "............kBk.",
        "...........kBk..",
        "..........kkk...",
        "................",
    ]
    if mirror:
        rows = [r[::-1] for r in rows]
    return icon(rows)


def main_bar():
    new = page_with([".............y..", "............yyy.", ".............y.."])
    new_multi = Canvas(16, 16)
    small_page(new_multi, 5, 1)
    written_page(new_multi, 1, 4, ink="g")
    plus(new_multi, 12, 12)
    open_ = icon([
        "................",
        "................",
        "................",
        ".kkkk...........",
        "kyyyyk..........",
        "kyyyyykkkkkkk...",
        "kyyyyyyyyyyyk...",
        "kyyyyykkkkkkkkkk",
        "kyyyykYYYYYYYYYk",
        "kyyykYYYYYYYYYk.",
        "kyyykYYYYYYYYYk.",
        "kyykYYYYYYYYYk..",
        "kyykYYYYYYYYYk..",
        "kykkkkkkkkkkk...",
        "kkkkkkkkkkkkk...",
        "................",
    ])
    save = icon([
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkkkkkkkkkkbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbksssskgkbbk.",
        ".kbbksssskgkbbk.",
        ".kbbksssskgkbbk.",
        ".kbbksssskgkbbk.",
        "..kkkkkkkkkkkkk.",
        "................",
    ])
    print_ = icon([
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwkkkkwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kssssssssssssk.",
        ".kssssssssssssk.",
        ".ksssssssssseek.",
        ".kggggggggggggk.",
        ".kkkkkkkkkkkkkk.",
        "..kwwwwwwwwwwk..",
        "..kwkkkkkkkkwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................",
    ])
    spelling = icon([
        "................",
        ".kk..kkk...kkk..",
        "k..k.k..k.k...k.",
        "k..k.kkk..k.....",
        "kkkk.k..k.k.....",
        "k..k.k..k.k...k.",
        "k..k.kkk...kkk..",
        "................",
        "..............e.",
        ".............ee.",
        "............ee..",
        "...e.......ee...",
        "...ee.....ee....",
        "....ee...ee.....",
        ".....eeeee......",
        "......eee.......",
    ])
    cut = icon([
        "................",
        "....k.....k.....",
        "....k.....k.....",
        "....kk...kk.....",
        ".....k...k......",
        ".....kk.kk......",
        "......kkk.......",
        ".......k........",
        "......bkb.......",
        ".....bb.bb......",
        "...bbb...bbb....",
        "..b..b...b..b...",
        "..b..b...b..b...",
        "..b..b...b..b...",
        "...bb.....bb....",
        "................",
    ])
    copy = Canvas(16, 16)
    written_page(copy, 1, 1, 8, 10)
    written_page(copy, 6, 4, 8, 10)
    paste = icon([
        "................",
        ".....kkkk.......",
        "..kkkkssskkkk...",
        ".knnnksssknnnk..",
        ".knnnkkkkknnnk..",
        ".knnnnnnnnnnnk..",
        ".knnnnkkkkkkkkkk",
        ".knnnnkwwwwwwwwk",
        ".knnnnkwbbbbbbwk",
        ".knnnnkwwwwwwwwk",
        ".knnnnkwbbbbbbwk",
        ".knnnnkwwwwwwwwk",
        ".knnnnkwbbbbwwwk",
        ".kkkkkkwwwwwwwwk",
        "......kkkkkkkkkk",
        "................",
    ])
    undo = curved_arrow(False)
    redo = curved_arrow(True)
    zoom_out = magnifier("-")
    scale = magnifier(dotted=True)
    zoom_in = magnifier("+")
    snap = icon([
        "................",
        ".k...k...k...k..",
        "................",
        "................",
        "................",
        ".k...k...k...k..",
        "......bbbbbbbb..",
        "......bBBBBBBb..",
        "......bBBBBBBb..",
        ".k...kbBBBBBBb..",
        "......bbbbbbbb..",
        "................",
        "................",
        ".k...k...k...k..",
        "................",
        "................",
    ])
    tab_order = icon([
        "kkkkkkk.........",
        "kwwkwwk.........",
        "kwkkwwk.........",
        "kwwkwwkrrrrrr...",
        "kwwkwwk.....r...",
        "kwkkkwk.....r...",
        "kkkkkkk.....r...",
        "...........rrr..",
        "............r...",
        ".........kkkkkkk",
        ".........kwkkkwk",
        ".........kwwwkwk",
        ".........kwkkkwk",
        ".........kwkwwwk",
        ".........kwkkkwk",
        ".........kkkkkkk",
    ])
    form_mode = page_with([
        "................",
        "................",
        "................",
        "................",
        "....ccccccc.....",
        "................",
        "....ccccccc.....",
        "................",
        "....ccc.........",
        ".............k..",
        "............kyk.",
        "...........kyk..",
        "..........kyk...",
        ".........kyk....",
        "........kok.....",
        "........kk......",
    ])
    highlight = page_with([
        "................",
        "................",
        "................",
        "....yyyyyyyy....",
        "....ykkkkkky....",
        "....yyyyyyyy....",
        "................",
        "....gggggggg....",
        "................",
        "....yyyyyyyy....",
        "....ykkkkkky....",
        "....yyyyyyyy....",
        "................",
    ])
    return [new, new_multi, open_, save, print_, spelling, cut, copy, paste, undo, redo,
            zoom_out, scale, zoom_in, snap, tab_order, form_mode, highlight]


SELECT_ARROW = [
    "................",
    "...k............",
    "...kk...........",
    "...kwk..........",
    "...kwwk.........",
    "...kwwwk........",
    "...kwwwwk.......",
    "...kwwwwwk......",
    "...kwwwwwwk.....",
    "...kwwwwkkkk....",
    "...kwkwwk.......",
    "...kk.kwwk......",
    "...k..kwwk......",
    ".......kwwk.....",
    ".......kwwk.....",
    "........kk......",
]

TEXT_FIELD = [
    "................",
    "................",
    "................",
    "kkkkkkkkkkkkkkkk",
    "kccccccccccccccK",
    "kcccccccccckcccK",
    "kccbbccbcccckccK",
    "kccccbcbbbcckccK",
    "kccbbbcbccbckccK",
    "kcbccbcbccbckccK",
    "kccbbbcbbbcckccK",
    "kccccccccccckccK",
    "kccccccccccccccK",
    "kkkkkkkkkkkkkkkk",
    "................",
    "................",
]

CHECK_MARK = [
    "................",
    "................",
    "..kkkkkkkkkkk...",
    "..kwwwwwwwwwk.e.",
    "..kwwwwwwwwwkee.",
    "..kwwwwwwwwkee..",
    "..kwwwwwwwkeek..",
    "..kweewwwkeewk..",
    "..kwweewkeewwk..",
    "..kwwweeeewwwk..",
    "..kwwwweewwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
    "................",
]

LETTER_A = [
    "................",
    "......kkk.......",
    "......kkk.......",
    ".....kk.kk......",
    ".....kk.kk......",
    "....kk...kk.....",
    "....kk...kk.....",
    "...kk.....kk....",
    "...kkkkkkkkk....",
    "..kk.......kk...",
    "..kk.......kk...",
    ".kk.........kk..",
    ".kk.........kk..",
    "kkkk.......kkkk.",
    "................",
    "................",
]

POLYGON = [
    "................",
    "......bb........",
    ".....b..bb......",
    "....b.....bb....",
    "...b........bb..",
    "..b...........b.",
    ".b............b.",
    ".b...........b..",
    "..b..........b..",
    "..b.........b...",
    "...b........b...",
    "...b.......b....",
    "....b......b....",
    "....bbbbbbbb....",
    "................",
    "................",
]

FREEHAND = [
    "................",
    "................",
    "..........bb....",
    ".........b..b...",
    "...bb...b....b..",
    "..b..b..b....b..",
    ".b....bb....b...",
    ".b.........b....",
    "..b.......b.....",
    "...b.....b......",
    "....bb..b....bb.",
    "......bb....b..b",
    "...........b....",
    "..........b.....",
    "................",
    "................",
]

PICTURE = [
    "................",
    "................",
    "kkkkkkkkkkkkkkkk",
    "kccccccccccccyyk",
    "kcccccccccccyyyk",
    "kccccccccccccyyk",
    "kccccceccccccccK",
    "kcccceeeccccccck",
    "kccceeeeeccecccK",
    "kcceeeeeeeeeeecK",
    "keeeeeeeeeeeeeeK",
    "keeeeeeeeeeeeeek",
    "keeeeeeeeeeeeeek",
    "kkkkkkkkkkkkkkkk",
    "................",
    "................",
]

BARCODE = [
    "................",
    "................",
    "................",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    ".k.kk.k.kkk.k.k.",
    "................",
    "................",
    "................",
]


def shape_icons():
    """The pictures of the object kinds, shared by the drawing-tools bar and the shelf."""
    rectangle = Canvas(16, 16)
    rectangle.rect(1, 3, 14, 12, "b")
    rectangle.rect(2, 4, 13, 11, "b")
    circle = Canvas(16, 16)
    circle.ellipse(1, 1, 14, 14, "b")
    circle.ellipse(2, 2, 13, 13, "b")
    ellipse = Canvas(16, 16)
    ellipse.ellipse(0, 3, 15, 12, "b")
    ellipse.ellipse(1, 4, 14, 11, "b")
    line = Canvas(16, 16)
    line.line(1, 13, 14, 2, "b")
    line.line(2, 13, 14, 3, "b")
    return {
        "text_field": icon([r.replace("K", "k") for r in TEXT_FIELD]),
        "check_mark": icon(CHECK_MARK),
        "label": icon(LETTER_A),
        "rectangle": rectangle,
        "circle": circle,
        "ellipse": ellipse,
        "polygon": icon(POLYGON),
        "line": line,
        "freehand": icon(FREEHAND),
        "picture": icon([r.replace("K", "k") for r in PICTURE]),
        "barcode": icon(BARCODE),
    }


def drawing_tools():
    s = shape_icons()
    return [icon(SELECT_ARROW), s["text_field"], s["check_mark"], s["label"], s["rectangle"], s["circle"],
            s["ellipse"], s["polygon"], s["line"], s["freehand"], s["picture"], s["barcode"]]


OPEN_HAND = [
    "................",
    "......kk........",
    "...kk.kwk.kk....",
    "..kwwkkwkkwwk...",
    "..kwwkkwkkwwk.k.",
    "...kwwkwkwwk.kwk",
    "...kwwkwkwwkkwwk",
    ".kk.kwwwwwwkwwk.",
    "kwwkkwwwwwwwwwk.",
    "kwwwkwwwwwwwwk..",
    ".kwwwwwwwwwwwk..",
    "..kwwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "....kwwwwwwk....",
    ".....kwwwwwk....",
    ".....kkkkkkk....",
]

CLOSED_HAND = [
    "................",
    "................",
    "................",
    "................",
    "....kk.kk.kk....",
    "...kwwkwwkwwkk..",
    "...kwwwwwwwwkwk.",
    "...kwwwwwwwwwwk.",
    "..kkwwwwwwwwwwk.",
    ".kwkwwwwwwwwwk..",
    ".kwwwwwwwwwwwk..",
    "..kwwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "....kwwwwwwk....",
    ".....kwwwwwk....",
    ".....kkkkkkk....",
]

EYE = [
    "................",
    "................",
    "................",
    "................",
    ".....kkkkkk.....",
    "...kkwwwwwwkk...",
    "..kwwwkkkkwwwk..",
    ".kwwwkBBbBkwwwk.",
    "kwwwwkBbbBkwwwwk",
    ".kwwwkBBBBkwwwk.",
    "..kwwwkkkkwwwk..",
    "...kkwwwwwwkk...",
    ".....kkkkkk.....",
    "................",
    "................",
    "................",
]

CROP = [
    "................",
    "...k............",
    "...k............",
    "kkkkkkkkkkkk....",
    "...k.......k....",
    "...k.......k....",
    "...k.......k....",
    "...k.......k....",
    "...k.......k....",
    "...k.......k....",
    "...k.......k....",
    "...kkkkkkkkkkkkk",
    "...........k....",
    "...........k....",
    "................",
    "................",
]

ROTATION = [
    "................",
    "..rr............",
    ".rrrr...........",
    ".rrrr...........",
    "..rrgg..........",
    "....gggg........",
    "........gggg....",
    "............grr.",
    "............rrrr",
    "...bbbbb....rrrr",
    "..b.....b....rr.",
    ".b.......b......",
    ".b......bbb.....",
    ".b.......b......",
    "..b.............",
    "...bb...........",
]

DROPPER = [
    "...........kkk..",
    "..........kGGGk.",
    ".........kGGGGk.",
    "........kkGGGk..",
    ".......kwkkkk...",
    "......kwwwk.....",
    ".....kwwwk......",
    "....kwwwk.......",
    "...kwwwk........",
    "..kwwwk.........",
    "..kwwk..........",
    ".kkk............",
]


ERASER = [
    "................",
    "................",
    "........kkkkkk..",
    ".......kppppppk.",
    "......kppppppk..",
    ".....kppppppk...",
    "....kppppppk....",
    "...kkppppppk....",
    "..kwwkpppppk....",
    ".kwwwwkpppk.....",
    "kwwwwwwkpk......",
    "kwwwwwwwkk......",
    ".kwwwwwk........",
    "..kkkkk.........",
]


def dropper(fill):
    c = Canvas(16, 16)
    c.rect(1, 9, 7, 15, "k", fill=fill)
    c.art(DROPPER, 4, 0)
    return c


def image_tools():
    view = icon(EYE)
    move = icon(OPEN_HAND)
    rotation = icon(ROTATION)
    crop = icon(CROP)
    white = dropper("w")
    black = dropper("k")
    apply_ = icon([
        "................",
        ".....kkkkkk.....",
        "...kkEEEEEEkk...",
        "..kEEEEEEEEEEk..",
        ".kEEEEEEEEEwwEk.",
        ".kEEEEEEEEwwwEk.",
        "kEEEEEEEEwwwEEEk",
        "kEEwwEEEwwwEEEEk",
        "kEEwwwEwwwEEEEEk",
        "kEEEwwwwwEEEEEEk",
        "kEEEEwwwEEEEEEEk",
        ".kEEEEwEEEEEEEk.",
        ".kEEEEEEEEEEEEk.",
        "..kEEEEEEEEEEk..",
        "...kkEEEEEEkk...",
        ".....kkkkkk.....",
    ])
    copy_region = Canvas(16, 16)
    for x in range(1, 12, 2):
        copy_region.put(x, 1, "k")
        copy_region.put(x, 10, "k")
    for y in range(1, 11, 2):
        copy_region.put(1, y, "k")
        copy_region.put(11, y, "k")
    written_page(copy_region, 6, 5, 8, 10)
    eraser = icon(ERASER)
    eraser.line(10, 14, 15, 14, "k")
    uneraser = icon(ERASER)
    uneraser.art(["...e..", "..ee..", ".eeeee", "..ee.e", "...e.e", ".....e"], 10, 10)
    return [view, move, rotation, crop, white, black, apply_, copy_region, eraser, uneraser]


def database_bar():
    def arrow(rows):
        return icon(rows)
    first = arrow([
        "................", "................", "................", "...kk.......kk..",
        "...kk......kBk..", "...kk.....kBBk..", "...kk....kBBBk..", "...kk...kBBBBk..",
        "...kk...kBBBBk..", "...kk....kBBBk..", "...kk.....kBBk..", "...kk......kBk..",
        "...kk.......kk..", "................", "................", "................"])
    prev = arrow([
        "................", "................", "................", "..........kk....",
        ".........kBk....", "........kBBk....", ".......kBBBk....", "......kBBBBk....",
        "......kBBBBk....", ".......kBBBk....", "........kBBk....", ".........kBk....",
        "..........kk....", "................", "................", "................"])
    next_ = icon([r[::-1] for r in [
        "................", "................", "................", "..........kk....",
        ".........kBk....", "........kBBk....", ".......kBBBk....", "......kBBBBk....",
        "......kBBBBk....", ".......kBBBk....", "........kBBk....", ".........kBk....",
        "..........kk....", "................", "................", "................"]])
    last = icon([r[::-1] for r in [
        "................", "................", "................", "...kk.......kk..",
        "...kk......kBk..", "...kk.....kBBk..", "...kk....kBBBk..", "...kk...kBBBBk..",
        "...kk...kBBBBk..", "...kk....kBBBk..", "...kk.....kBBk..", "...kk......kBk..",
        "...kk.......kk..", "................", "................", "................"]])
    new = Canvas(16, 16)
    written_page(new, 1, 1, 10, 13)
    plus_badge(new)
    duplicate = Canvas(16, 16)
    small_page(duplicate, 4, 0, 9, 11)
    written_page(duplicate, 1, 3, 9, 11)
    plus_badge(duplicate)
    number = icon([
        "................",
        "................",
        "kkkkkkkkkkkkkkkk",
        "kwwwwwwwwwwwwwwk",
        "kwwwkwwwkwwwwwwk",
        "kwwwkwwwkwwwwwwk",
        "kwkkkkkkkkkwwwwk",
        "kwwwkwwwkwwwwwwk",
        "kwwkwwwkwwwwwwwk",
        "kkkkkkkkkkwwwwwk",
        "kwwkwwwkwwwwwwwk",
        "kwwkwwwkwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................",
    ])
    delete = Canvas(16, 16)
    written_page(delete, 1, 1, 10, 13)
    for d in range(6):
        for w in (0, 1):
            delete.put(9 + d + w, 8 + d, "r")
            delete.put(14 - d + w, 8 + d, "r")
    return [first, prev, next_, last, new, duplicate, number, delete]


def shelf_items():
    """Sixteen 16 x 16 images at the indices of the object kinds; unused indices stay blank."""
    s = shape_icons()
    block = Canvas(16, 16)
    block.rect(1, 1, 9, 8, "b", fill="c")
    block.ellipse(6, 6, 14, 14, "e", fill="E")
    for x in range(0, 16, 2):
        block.put(x, 0, "k")
        block.put(x, 15, "k")
    for y in range(0, 16, 2):
        block.put(0, y, "k")
        block.put(15, y, "k")
    pictures = {0: s["rectangle"], 1: s["ellipse"], 3: s["line"], 4: s["freehand"], 5: s["text_field"],
                6: s["check_mark"], 7: s["picture"], 8: s["circle"], 9: block, 14: s["label"], 15: s["barcode"]}
    out = []
    for i in range(16):
        c = Canvas(16, 16)
        if i in pictures:
            c.blit(pictures[i], 0, 0)
            # White is the mask colour of this list: paper must stay visible.
            for row in c.pixels:
                for x, p in enumerate(row):
                    if p == PALETTE["w"]:
                        row[x] = PALETTE["W"]
        out.append(c)
    return out


def strip(pictures, cell, transparent):
    canvas = Canvas(cell * len(pictures), 16)
    for i, p in enumerate(pictures):
        canvas.blit(p, i * cell, 0)
    return bmp24(canvas.resolved(transparent))


# ---------------------------------------------------------------------------------------------
# Icons: the program's (a form being filled in) and its documents' (a form page).

def form_picture(size, pencil, folded):
    c = Canvas(size, size)
    u = size / 16.0

    def s(v):
        return int(round(v * u))

    left, top, right, bottom = s(2), s(1), s(13) - 1, s(15) - 1
    if folded:
        fold = s(4)
        c.fill_polygon([(left, top), (right - fold, top), (right, top + fold), (right, bottom), (left, bottom)], "w")
        c.polyline([(left, top), (right - fold, top), (right, top + fold), (right, bottom), (left, bottom), (left, top)], "k")
        c.fill_polygon([(right - fold, top), (right - fold, top + fold), (right, top + fold)], "s")
        c.polyline([(right - fold, top), (right - fold, top + fold), (right, top + fold)], "k")
        band_right = right - fold - 1
    else:
        c.rect(left, top, right, bottom, "k", fill="w")
        band_right = right - 1
    for y in range(top + 1, top + 1 + max(2, s(3))):
        for x in range(left + 1, band_right + 1):
            c.put(x, y, "B")
    field_left, field_right = left + max(2, s(2)), right - max(2, s(2))
    for i, y in enumerate((s(6), s(9), s(12))):
        h = max(1, s(1.5))
        c.rect(field_left, y, field_right - (s(3) if i == 2 else 0), y + h, "b", fill="c" if h > 1 else None)
    if pencil:
        tip = (s(9), s(15) - 1)
        length = s(7)
        width = max(1, s(1.2))
        for d in range(length):
            x, y = tip[0] + d, tip[1] - d
            for w in range(-width, width + 1):
                colour = "o" if d < max(2, s(2)) else "y"
                c.put(x + w, y, "k" if abs(w) == width else colour)
        c.put(tip[0], tip[1], "k")
    return c


# ---------------------------------------------------------------------------------------------
# The about box's banner, stretched over the whole dialog: a coloured band on top, paper below.

def about_banner(width=500, height=292):
    c = Canvas(width, height)
    paper = (247, 248, 251)
    for y in range(height):
        for x in range(width):
            c.pixels[y][x] = paper
    band = 96
    start, end = (16, 48, 120), (24, 128, 168)
    steps = 64
    for x in range(width):
        k = x * (steps - 1) // (width - 1)
        colour = tuple(start[i] + (end[i] - start[i]) * k // (steps - 1) for i in range(3))
        for y in range(band):
            c.pixels[y][x] = colour
    for x in range(width):
        for y in range(band, band + 3):
            c.pixels[y][x] = PALETTE["o"]
    # A stack of form pages on the right of the band.
    for i, (x0, y0) in enumerate(((356, 14), (380, 22), (404, 30))):
        w, h = 70, 92
        c.rect(x0, y0, x0 + w, y0 + h, (40, 60, 90), fill=(255, 255, 255))
        for k, y in enumerate(range(y0 + 14, y0 + h - 8, 12)):
            c.rect(x0 + 10, y, x0 + w - 10 - (20 if k % 3 == 2 else 0), y + 6, (64, 128, 224), fill=(220, 232, 255))
        c.line(x0 + 6, y0 + 6, x0 + w - 6, y0 + 6, (24, 64, 150))
    # A thin rule above the OK button's row.
    for x in range(14, width - 14):
        c.pixels[height - 52][x] = (210, 214, 222)
    return bmp8(c.pixels)


# ---------------------------------------------------------------------------------------------
# Cursors, 32 x 32 monochrome: a cross at the hot spot with a small picture of the tool beside it,
# or a shape whose hot spot is the point that acts (the pencil's tip, the centre of a hand).

def cross(c, cx, cy, arm=7):
    """A black cross with a white rim that shows on dark and light pages; its centre stays see-through."""
    for d in range(2, arm + 1):
        for sgn in (-1, 1):
            c.put(cx + sgn * d, cy, "k")
            c.put(cx, cy + sgn * d, "k")
    for d in range(2, arm + 1):
        for sgn in (-1, 1):
            for off in (-1, 1):
                if c.pixels[cy + off][cx + sgn * d] is None:
                    c.put(cx + sgn * d, cy + off, "w")
                if c.pixels[cy + sgn * d][cx + off] is None:
                    c.put(cx + off, cy + sgn * d, "w")
    c.put(cx + sgn * (arm + 1), cy, "w")
    for sgn in (-1, 1):
        c.put(cx + sgn * (arm + 1), cy, "w")
        c.put(cx, cy + sgn * (arm + 1), "w")


def rimmed(c, picture, x0, y0):
    """Draws a black-and-white picture with a white rim round its black pixels."""
    for y, row in enumerate(picture):
        for x, ch in enumerate(row):
            if ch == "k":
                for ax in (-1, 0, 1):
                    for ay in (-1, 0, 1):
                        px, py = x0 + x + ax, y0 + y + ay
                        if 0 <= px < 32 and 0 <= py < 32 and c.pixels[py][px] is None:
                            c.put(px, py, "w")
    c.art(picture, x0, y0)


def tool_cursor(glyph):
    c = Canvas(32, 32)
    cross(c, 8, 8)
    rimmed(c, glyph, 16, 16)
    return c, (8, 8)


GLYPHS = {
    "TextField": ["kkkkkkkkkkk", "k.........k", "k.kk..k...k", "k...k.kkk.k", "k.kkk.k..kk", "kk..k.k..kk",
                  "k.kkk.kkk.k", "k.........k", "kkkkkkkkkkk"],
    "CheckMark": ["kkkkkkkkk", "k.......k", "k......kk", "k.....k.k", "kk...k..k", "k.k.k...k", "k..k....k",
                  "k.......k", "kkkkkkkkk"],
    "Rectangle": ["kkkkkkkkkkk", "k.........k", "k.........k", "k.........k", "k.........k", "k.........k",
                  "kkkkkkkkkkk"],
    "Ellipse": ["...kkkkk...", ".kk.....kk.", "k.........k", "k.........k", ".kk.....kk.", "...kkkkk..."],
    "Circle": ["..kkkkk..", ".k.....k.", "k.......k", "k.......k", "k.......k", "k.......k", "k.......k",
               ".k.....k.", "..kkkkk.."],
    "Line": ["........k", ".......k.", "......k..", ".....k...", "....k....", "...k.....", "..k......",
             ".k.......", "k........"],
    "Crop": ["..k.........", "..k.........", "kkkkkkkkk...", "..k.....k...", "..k.....k...", "..k.....k...",
             "..k.....k...", "..kkkkkkkkkk", "........k...", "........k..."],
    "Rotation": ["..kkkkk...", ".k.....k..", "k.......k.", "k......kkk", "k.......k.", ".k........",
                 "..kkk....."],
    "BasePoint": ["kkkkkkk", "k......", "k......", "k......", "k......", "k......", "k......"],
    "Eraser": ["....kkkkkk", "...k....kk", "..k....k.k", ".k....k..k", "kkkkkk..k.", "k....k.k..",
               "k....kk...", "kkkkkk...."],
    "Uneraser": ["....kkkkkk..", "...k....kk..", "..k....k.k..", ".k....k..k..", "kkkkkk..k..k",
                 "k....k.k..kk", "k....kk..kkkk", "kkkkkk.....kk", "............k"],
    "CopyRegion": ["k.k.k.k.k.k", "...........", "k.........k", "...........", "k.........k",
                   "...........", "k.k.k.k.k.k"],
    "WhiteReference": ["kkkkkkk", "k.....k", "k.....k", "k.....k", "k.....k", "k.....k", "kkkkkkk"],
    "BlackReference": ["kkkkkkk", "kkkkkkk", "kkkkkkk", "kkkkkkk", "kkkkkkk", "kkkkkkk", "kkkkkkk"],
    "Label": ["...kk...", "...kk...", "..k..k..", "..k..k..", ".kkkkkk.", ".k....k.", "k......k",
              "kk....kk"],
    "Barcode": ["k.kk.k.kkk.k", "k.kk.k.kkk.k", "k.kk.k.kkk.k", "k.kk.k.kkk.k", "k.kk.k.kkk.k",
                "k.kk.k.kkk.k", "k.kk.k.kkk.k"],
}

PENCIL = [
    "......................kkk.......",
    ".....................kwwwk......",
    "....................kwwwwwk.....",
    "...................kkwwwwk......",
    "..................kwkkwwk.......",
    ".................kwwwkkk........",
    "................kwwwwwk.........",
    "...............kwwwwwk..........",
    "..............kwwwwwk...........",
    ".............kwwwwwk............",
    "............kwwwwwk.............",
    "...........kwwwwwk..............",
    "..........kwwwwwk...............",
    ".........kwwwwwk................",
    "........kwwwwwk.................",
    ".......kwwwwwk..................",
    "......kkwwwwk...................",
    ".....kwwkwwk....................",
    ".....kwwwkk.....................",
    "....kwwwwk......................",
    "....kkwwk.......................",
    "...kkkkk........................",
    "...kkkk.........................",
    "..kkk...........................",
    "..kk............................",
    ".k..............................",
]


def arrows_cursor():
    c = Canvas(32, 32)
    cx = cy = 10
    for d in range(-9, 10):
        c.put(cx + d, cy, "k")
        c.put(cx, cy + d, "k")
    for k in range(1, 4):
        for sgn in (-1, 1):
            tip = sgn * 9
            for w in range(-k, k + 1):
                c.put(cx + tip - sgn * k, cy + w, "k")
                c.put(cx + w, cy + tip - sgn * k, "k")
    rim = Canvas(32, 32)
    for y in range(32):
        for x in range(32):
            if c.pixels[y][x] is None and any(0 <= x + ax < 32 and 0 <= y + ay < 32 and c.pixels[y + ay][x + ax] == PALETTE["k"]
                                              for ax in (-1, 0, 1) for ay in (-1, 0, 1)):
                rim.put(x, y, "w")
    c.blit(rim, 0, 0)
    return c, (cx, cy)


def hand_cursor(rows):
    c = Canvas(32, 32)
    c.art(rows, 0, 0)
    return c, (8, 9)


def cursors():
    out = {}
    for name in ("TextField", "CheckMark", "Rectangle", "Ellipse", "Circle", "Line", "Crop", "Rotation",
                 "BasePoint", "Eraser", "Uneraser", "CopyRegion", "WhiteReference", "BlackReference", "Label",
                 "Barcode"):
        out[name] = tool_cursor(GLYPHS[name])
    pencil = Canvas(32, 32)
    pencil.art(PENCIL, 0, 6)
    out["Pencil"] = (pencil, (1, 31))
    out["Move"] = arrows_cursor()
    drag, hot = arrows_cursor()
    rimmed(drag, GLYPHS["CopyRegion"], 18, 22)
    out["DragRegion"] = (drag, hot)
    out["HandOpen"] = hand_cursor(OPEN_HAND)
    out["HandClosed"] = hand_cursor(CLOSED_HAND)
    return out


# ---------------------------------------------------------------------------------------------

def write_all(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    files = {
        "MainBar.bmp": strip(main_bar(), 17, TRANSPARENT_GREY),
        "DrawingTools.bmp": strip(drawing_tools(), 17, TRANSPARENT_GREY),
        "ImageTools.bmp": strip(image_tools(), 17, TRANSPARENT_GREY),
        "DatabaseBar.bmp": strip(database_bar(), 17, TRANSPARENT_GREY),
        "ShelfItems.bmp": strip(shelf_items(), 16, TRANSPARENT_WHITE),
        "AboutBanner.bmp": about_banner(),
        "Vantry.ico": ico([form_picture(s, True, False) for s in (16, 32, 48)]),
        "Document.ico": ico([form_picture(s, False, True) for s in (16, 32, 48)]),
    }
    for name, (canvas, hotspot) in cursors().items():
        files[name + ".cur"] = cur(canvas, hotspot)
    for name, data in sorted(files.items()):
        (folder / name).write_bytes(data)
    return sorted(files)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: orvello_art.py <output folder>")
    for name in write_all(sys.argv[1]):
        print(name)
