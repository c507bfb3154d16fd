#!/usr/bin/python3
"""Reads the page images FolimarDocPdfSamples exported with ImageMagick and tiffinfo, which know
nothing of our imaging layer: every format at the page's paper size in pixels of its resolution.
The first page holds a 100-dpi page image; the second none, so it takes the screen's resolution.
Usage: check_page_images.py <folder>"""
import os
import re
import subprocess
import sys

FOLDER = sys.argv[1]
failures = []


def identify(name):
    out = subprocess.run(["identify", "-units", "PixelsPerInch", "-format", "%m %w %h %x %y\n",
                          os.path.join(FOLDER, name)], capture_output=True, text=True)
    if out.returncode != 0:
        failures.append("%s: identify failed: %s" % (name, out.stderr))
        return []
    return [line.split() for line in out.stdout.splitlines() if line]


def expect_page(name, fields, kind, dpi=None):
    magick, width, height, x, y = fields[0], int(fields[1]), int(fields[2]), float(fields[3]), float(fields[4])
    if magick != kind:
        failures.append("%s read as %s" % (name, magick))
    if dpi is not None and kind not in ("PCX", "GIF") and (round(x) != dpi or round(y) != dpi):
        failures.append("%s at %s x %s dpi, not %d" % (name, x, y, dpi))
    res = dpi if dpi is not None else round(x)
    if (width, height) != (int(8.5 * res), int(11 * res)):
        failures.append("%s is %d x %d, not Letter at %d dpi" % (name, width, height, res))


for ext, kind in (("png", "PNG"), ("bmp", "BMP3"), ("jpg", "JPEG"), ("pcx", "PCX"), ("gif", "GIF")):
    pages = identify("page." + ext)
    if pages:
        if kind == "BMP3" and pages[0][0] == "BMP":
            kind = "BMP"
        expect_page("page." + ext, pages[0], kind, 100)
for name in ("each_page_1.png", "each_page_2.png"):
    pages = identify(name)
    if pages:
        expect_page(name, pages[0], "PNG", 100 if name.endswith("1.png") else None)
tiff = subprocess.run(["tiffinfo", os.path.join(FOLDER, "document.tif")], capture_output=True, text=True).stdout
sizes = re.findall(r"Image Width: (\d+) Image Length: (\d+)", tiff)
resolutions = re.findall(r"Resolution: ([\d.]+), ([\d.]+) pixels/inch", tiff)
if len(sizes) != 2:
    failures.append("document.tif holds %d pages:\n%s" % (len(sizes), tiff))
elif sizes[0] != ("850", "1100") or not resolutions or resolutions[0] != ("100", "100"):
    failures.append("document.tif first page %s at %s" % (sizes[0], resolutions[:1]))
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
