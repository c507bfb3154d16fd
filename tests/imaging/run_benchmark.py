#!/usr/bin/python3
"""Runs the imaging benchmark beside ImageMagick on the same 300-dpi A4 page at 24 bits.

usage: run_benchmark.py WINE_RUN BENCHMARK_PROGRAM
Prints milliseconds per operation (best of three) for both and the ratio ours / ImageMagick.
ImageMagick's load time is that of decoding the file; its save and resize times are measured
from its own in-memory format (MPC) with that read subtracted.
"""
import os
import subprocess
import sys
import tempfile
import time

CONVERT = "/usr/bin/convert"
FORMATS = [  # name, input file, ImageMagick output options
    ("png", "page.png", ["PNG24:{out}"]),
    ("bmp", "page.bmp", ["BMP3:{out}"]),
    ("jpeg", "page.jpg", ["-quality", "80", "{out}"]),
    ("gif", "page.gif", ["{out}"]),
    ("pcx", "page.pcx", ["{out}"]),
    ("tif-none", "page_none.tif", ["-compress", "None", "{out}"]),
    ("tif-packbits", "page_packbits.tif", ["-compress", "RLE", "{out}"]),
    ("tif-lzw", "page_lzw.tif", ["-compress", "LZW", "{out}"]),
    ("tif-g4", "page_g4.tif", ["-monochrome", "-compress", "Group4", "{out}"]),
]


def best(args):
    times = []
    for _ in range(3):
        start = time.perf_counter()
        subprocess.run(args, check=True, capture_output=True)
        times.append((time.perf_counter() - start) * 1000)
    return min(times)


def main():
    wine_run, program = sys.argv[1:3]
    d = tempfile.mkdtemp()
    # A scanned-looking page: shaded paper, dark text lines, a photo block.
    subprocess.run([CONVERT, "-size", "2480x3508", "xc:#f4f1ea", "+noise", "Gaussian",
                    "-fill", "#202020", "-draw", "rectangle 200,250 1400,300",
                    "-draw", "rectangle 200,400 2280,404", "-draw", "rectangle 200,3000 2280,3004",
                    "(", "-size", "800x600", "gradient:navy-orange", ")", "-geometry", "+1400+800", "-composite",
                    "-density", "300", "-units", "PixelsPerInch", "PNG24:" + d + "/page.png"], check=True)
    for name, f, _ in FORMATS:
        extra = ["-monochrome", "-compress", "Group4"] if name == "tif-g4" else \
                ["-compress", {"tif-none": "None", "tif-packbits": "RLE", "tif-lzw": "LZW"}[name]] if f.endswith(".tif") else []
        target = {"bmp": "BMP3:", "png": "PNG24:"}.get(name, "") + d + "/" + f
        if f != "page.png":
            subprocess.run([CONVERT, d + "/page.png"] + extra + [target], check=True)
    subprocess.run([CONVERT, d + "/page.png", d + "/page.mpc"], check=True)

    ours = {}
    result = subprocess.run([wine_run, program, "Z:" + d.replace("/", "\\")], capture_output=True, text=True)
    for line in result.stdout.splitlines():
        kind, name, ms = line.split()
        ours[(kind, name)] = float(ms)
    if result.returncode != 0:
        print("the benchmark program failed:", result.returncode, result.stderr[-2000:])

    theirs = {}
    mpc_read = best([CONVERT, d + "/page.mpc", "null:"])
    os.makedirs(d + "/im", exist_ok=True)
    for name, f, options in FORMATS:
        theirs[("load", name)] = best([CONVERT, d + "/" + f, "null:"])
        out = d + "/im/" + f
        theirs[("save", name)] = best([CONVERT, d + "/page.mpc"] + [o.format(out=out) for o in options]) - mpc_read
    for percent in (25, 50, 150):
        theirs[("resize", str(percent))] = best([CONVERT, d + "/page.mpc", "-filter", "Catrom", "-resize",
                                                 "%d%%" % percent, "null:"]) - mpc_read

    print("%-22s %10s %12s %8s" % ("operation", "ours ms", "ImageMagick", "ratio"))
    for key in theirs:
        mine = ours.get(key, -1)
        ratio = "%.2f" % (mine / theirs[key]) if mine >= 0 and theirs[key] > 0 else "-"
        print("%-22s %10.1f %12.1f %8s" % (" ".join(key), mine, theirs[key], ratio))
    subprocess.run(["rm", "-rf", d])
    return result.returncode


if __name__ == "__main__":
    sys.exit(main())
