#!/usr/bin/python3
"""Renders pictures.pdf (TranspImagePdfSamples) with poppler's pdftoppm, which knows nothing of our
writer, and reads the colours back at 36 pixels an inch: both pictures' black halves are black; the
opaque picture's white half is white over the green band; the transparent picture's white half lets
the band through; the band shows beside them.
Usage: check_image_pdf.py <pdf>"""
import subprocess
import sys
import tempfile

from ppm_image import read_ppm

PDF = sys.argv[1]
DPI = 36
BLACK, WHITE, GREEN = (0, 0, 0), (255, 255, 255), (0, 128, 0)
# (x, y in inches from the top-left corner, expected colour, what)
POINTS = [
    (1.5, 1.5, BLACK, "opaque picture, black half"),
    (2.5, 1.5, WHITE, "opaque picture, white half over the band"),
    (4.5, 1.5, BLACK, "transparent picture, black half"),
    (5.5, 1.5, GREEN, "transparent picture, the band through its white half"),
    (0.5, 1.5, GREEN, "the band left of the pictures"),
    (3.5, 1.5, GREEN, "the band between the pictures"),
    (2.5, 3.5, WHITE, "the page below the band"),
]


with tempfile.TemporaryDirectory() as folder:
    subprocess.run(["pdftoppm", "-r", str(DPI), "-singlefile", PDF, folder + "/page"], check=True)
    width, height, pixels = read_ppm(folder + "/page.ppm")

failures = []
for x, y, expected, what in POINTS:
    px, py = int(x * DPI), int(y * DPI)
    at = (py * width + px) * 3
    got = tuple(pixels[at:at + 3])
    if any(abs(g - e) > 24 for g, e in zip(got, expected)):
        failures.append("%s at (%s, %s) in: %s, expected %s" % (what, x, y, got, expected))
if failures:
    print("\n".join(failures))
    sys.exit(1)
print("%d passed, 0 failed" % len(POINTS))
