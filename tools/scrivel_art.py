#!/usr/bin/env python3
"""Draws Scrivel's language-neutral pictures: the main tool bar's button strip (an 8-bit strip for
resource 128 and a 24-bit one for the high-colour resource 129), the program's icon and its
documents' icon. The buttons the editor shares with Orvello are Orvello's pictures; the rest is
drawn here, so the files can be made again byte for byte:

    tools/scrivel_art.py resources/Scrivel/res"""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from orvello_art import (TRANSPARENT_GREY, Canvas, bmp8, bmp24, ico, icon, magnifier,  # noqa: E402
                         main_bar, page_with)


def own_buttons():
    """Find, font, bullets, paragraph and about: the editor's own commands."""
    find = magnifier()
    font = icon([
        "................",
        "................",
        "......kk........",
        "......kk........",
        ".....kkkk.......",
        ".....k.kk.......",
        "....kk..kk......",
        "....k...kk......",
        "...kkkkkkkk.....",
        "...k.....kk.....",
        "..kk......kk....",
        ".kkkk....kkkk...",
        "................",
        "..rrrrrrrrrrrr..",
        "..rrrrrrrrrrrr..",
        "................",
    ])
    bullets = icon([
        "................",
        "................",
        "..kk............",
        "..kk..kkkkkkkk..",
        "................",
        "................",
        "..kk............",
        "..kk..kkkkkkkk..",
        "................",
        "................",
        "..kk............",
        "..kk..kkkkkkkk..",
        "................",
        "................",
        "................",
        "................",
    ])
    paragraph = icon([
        "................",
        "....kkkkkkkkk...",
        "...kkkkkk.k.....",
        "..kkkkkkk.k.....",
        "..kkkkkkk.k.....",
        "..kkkkkkk.k.....",
        "...kkkkkk.k.....",
        "....kkkkk.k.....",
        "........k.k.....",
        "........k.k.....",
        "........k.k.....",
        "........k.k.....",
        "........k.k.....",
        "........k.k.....",
        ".......kk.kk....",
        "................",
    ])
    about = icon([
        "................",
        ".....bbbbbb.....",
        "....bb....bb....",
        "...bb......bb...",
        "...bb......bb...",
        "...........bb...",
        "..........bb....",
        ".........bb.....",
        "........bb......",
        ".......bb.......",
        ".......bb.......",
        "................",
        ".......bb.......",
        ".......bb.......",
        "................",
        "................",
    ])
    return find, font, bullets, paragraph, about


def main_toolbar():
    """In the order of the tool bar's buttons: New, Open, Save, Cut, Copy, Paste, Undo, Print, Find,
    Font, Bullets, Paragraph, About."""
    shared = main_bar()
    new, open_, save, print_, cut, copy, paste, undo = (shared[i] for i in (0, 2, 3, 4, 6, 7, 8, 9))
    find, font, bullets, paragraph, about = own_buttons()
    return [new, open_, save, cut, copy, paste, undo, print_, find, font, bullets, paragraph, about]


def strip_rows(pictures, cell=16):
    canvas = Canvas(cell * len(pictures), 15)
    for i, p in enumerate(pictures):
        # The framework's classic button image is 16 by 15: the pictures' empty last row goes.
        canvas.blit(p, i * cell, 0)
    return canvas.resolved(TRANSPARENT_GREY)


def document_icon(size):
    """A page with lines of text and a bracketed placeholder."""
    c = Canvas(size, size)
    s = size / 16.0
    left, top, right, bottom = int(2 * s), int(1 * s), int(13 * s), int(15 * s) - 1
    c.rect(left, top, right, bottom, "k", fill="w")
    for i, y in enumerate(range(int(4 * s), bottom - 1, max(2, int(2 * s)))):
        if i == 2:
            # "[ ]" on the third line: the placeholder a profile fills.
            c.line(left + 2, y - 1, left + 2, y + 1, "r")
            c.line(right - 2, y - 1, right - 2, y + 1, "r")
            c.line(left + 4, y, right - 4, y, "b")
        else:
            c.line(left + 2, y, right - 2, y, "g")
    return c


def program_icon(size):
    """The document with a pen across it."""
    c = document_icon(size)
    s = size / 16.0
    for d in range(max(1, int(s))):
        c.line(int(15 * s) - 1, int(3 * s) + d, int(7 * s), int(11 * s) + d, "o")
    c.put(int(7 * s) - 1, int(12 * s), "k")
    return c


def write_all(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    buttons = strip_rows(main_toolbar())
    files = {
        "Toolbar.bmp": bmp8(buttons),
        "Toolbar256.bmp": bmp24(buttons),
        "Scrivel.ico": ico([program_icon(s) for s in (16, 32, 48)]),
        "ScrivelDoc.ico": ico([document_icon(s) for s in (16, 32, 48)]),
    }
    for name, data in sorted(files.items()):
        (folder / name).write_bytes(data)
    return sorted(files)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: scrivel_art.py <output folder>")
    for name in write_all(sys.argv[1]):
        print(name)
