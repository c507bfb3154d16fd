#!/usr/bin/python3
"""Image files against independent tools.

Makes fixtures with ImageMagick (every format the layer reads, damaged and hostile variants, and a
raw RGB dump of each as ImageMagick decodes it), runs the Windows test program on them under Wine
(it loads and compares, and writes files in every format and option), then checks what the
program wrote with tiffinfo and identify.

usage: check_image_files.py WINE_RUN TEST_PROGRAM WORK_ROOT
"""
import os
import random
import re
import shutil
import struct
import subprocess
import sys
import tempfile

CONVERT = "/usr/bin/convert"
IDENTIFY = "/usr/bin/identify"
COMPARE = "/usr/bin/compare"
TIFFINFO = "/usr/bin/tiffinfo"

failures = []


def run(*args, **kw):
    return subprocess.run(list(args), check=True, capture_output=True, text=True, **kw).stdout


def check(condition, text):
    print(("ok   " if condition else "FAIL ") + text)
    if not condition:
        failures.append(text)


def make_fixtures(d):
    # A colour picture with few colours, so indexed formats hold it exactly.
    blocks = ["-size", "64x48", "xc:white",
              "-fill", "red", "-draw", "rectangle 0,0 31,23",
              "-fill", "blue", "-draw", "rectangle 32,0 63,23",
              "-fill", "black", "-draw", "rectangle 0,24 31,47",
              "-fill", "lime", "-draw", "rectangle 40,30 50,40",
              "-fill", "black", "-draw", "point 63,47"]
    run(CONVERT, *blocks, "-density", "300", "-units", "PixelsPerInch", "PNG24:" + d + "/colour.png")
    src = d + "/colour.png"
    run(CONVERT, src, "-quality", "95", d + "/colour.jpg")
    run(CONVERT, src, "BMP3:" + d + "/colour.bmp")
    run(CONVERT, src, d + "/colour.gif")
    for name, compress in (("none", "None"), ("packbits", "RLE"), ("lzw", "LZW")):
        run(CONVERT, src, "-compress", compress, d + "/colour_%s.tif" % name)
    run(CONVERT, src, d + "/colour24.pcx")
    run(CONVERT, src, "-type", "Palette", d + "/colour8.pcx")
    # A bilevel page wide enough for the longest fax runs (beyond 2560 pixels).
    page = ["-size", "3000x40", "xc:white", "-fill", "black",
            "-draw", "rectangle 5,5 2990,8", "-draw", "rectangle 100,12 101,30",
            "-draw", "rectangle 2000,20 2995,22", "-draw", "point 2999,39", "-draw", "point 0,0",
            "-draw", "circle 300,25 310,25", "-draw", "line 400,10 700,35"]
    run(CONVERT, *page, "-monochrome", "-density", "200", "-units", "PixelsPerInch", d + "/page.png")
    for name, compress in (("g3", "Fax"), ("g4", "Group4")):
        run(CONVERT, d + "/page.png", "-monochrome", "-compress", compress, d + "/page_%s.tif" % name)
    run(CONVERT, d + "/page.png", "-monochrome", d + "/page1.pcx")
    # Three pages, each different.
    run(CONVERT, src, "(", src, "-rotate", "90", ")", "(", src, "-negate", ")", "-compress", "LZW", d + "/multi.tif")
    # A large picture for the cancelled load.
    run(CONVERT, "-size", "2000x3000", "gradient:white-navy", "PNG24:" + d + "/large.png")

    for f in sorted(os.listdir(d)):
        if f.endswith((".png", ".jpg", ".bmp", ".gif", ".tif", ".pcx")):
            pages = int(run(IDENTIFY, "-format", "%n\n", d + "/" + f).split()[0])
            for p in range(pages):
                run(CONVERT, "%s/%s[%d]" % (d, f, p), "-depth", "8", "rgb:%s/%s.%d.rgb" % (d, f, p))

    # A BMP that records no resolution.
    data = bytearray(open(d + "/colour.bmp", "rb").read())
    struct.pack_into("<ii", data, 38, 0, 0)
    open(d + "/nodpi.bmp", "wb").write(data)

    # Damaged and hostile files: cut short, bytes changed, and sizes beyond reason.
    rnd = random.Random(6)
    bad = d + "/bad"
    os.makedirs(bad)
    for f in ("colour.png", "colour.jpg", "colour.bmp", "colour.gif", "colour_lzw.tif", "colour_packbits.tif",
              "page_g4.tif", "page_g3.tif", "colour24.pcx", "colour8.pcx", "multi.tif"):
        whole = open(d + "/" + f, "rb").read()
        for cut in (len(whole) // 2, 40, 9):
            open("%s/cut%d_%s" % (bad, cut, f), "wb").write(whole[:cut])
        for n in range(4):
            mutated = bytearray(whole)
            for _ in range(8):
                mutated[rnd.randrange(8, len(mutated))] = rnd.randrange(256)
            open("%s/mutated%d_%s" % (bad, n, f), "wb").write(mutated)
    huge = bytearray(open(d + "/colour.bmp", "rb").read())
    struct.pack_into("<ii", huge, 18, 60000, 60000)
    open(bad + "/huge_bmp.bmp", "wb").write(huge)
    huge = bytearray(open(d + "/colour.png", "rb").read())
    struct.pack_into(">II", huge, 16, 100000, 100000)
    open(bad + "/huge_png.png", "wb").write(huge)
    pcx = bytearray(open(d + "/colour24.pcx", "rb").read())
    struct.pack_into("<HH", pcx, 8, 65000, 65000)
    open(bad + "/huge_pcx.pcx", "wb").write(pcx)
    tif = bytearray(open(d + "/colour_none.tif", "rb").read())
    le = tif[:2] == b"II"
    ifd = struct.unpack_from("<I" if le else ">I", tif, 4)[0]
    count = struct.unpack_from("<H" if le else ">H", tif, ifd)[0]
    for i in range(count):
        e = ifd + 2 + 12 * i
        tag, typ = struct.unpack_from("<HH" if le else ">HH", tif, e)
        if tag in (256, 257):
            if typ == 3:
                struct.pack_into("<H" if le else ">H", tif, e + 8, 65535)
            else:
                struct.pack_into("<I" if le else ">I", tif, e + 8, 4000000)
    open(bad + "/huge_tif.tif", "wb").write(tif)


def identify(path, fmt):
    return run(IDENTIFY, "-units", "PixelsPerInch", "-format", fmt, path)


def check_outputs(out):
    def tiff_compression(path):
        text = run(TIFFINFO, path)
        return re.findall(r"Compression Scheme: (.+)", text), text

    expected = {"out_3.tif": "None", "out_87.tif": "PackBits", "out_17.tif": "LZW", "out_29.tif": "CCITT Group 4"}
    for name, scheme in expected.items():
        schemes, text = tiff_compression(out + "/" + name)
        check(schemes == [scheme], "%s: tiffinfo shows compression %s (%s)" % (name, scheme, schemes))
    schemes, text = tiff_compression(out + "/multi_17.tif")
    check(schemes == ["LZW"] * 3, "multi_17.tif: three LZW pages (%s)" % schemes)
    check(identify(out + "/out_29.tif", "%z") == "1", "out_29.tif: 1 bit per pixel")
    check("200" in identify(out + "/out_29.tif", "%x"), "out_29.tif keeps 200 dpi")

    # Lossless outputs decode to the source's pixels in ImageMagick.
    src = out + "/../colour.png"
    for name in ("out_75.png", "out_6.bmp", "out_3.tif", "out_87.tif", "out_17.tif", "out_1.pcx", "out_2.gif",
                 "out_1_8bit.pcx", "out_17_8bit.tif", "out_87_4bit.tif", "out_6_8bit.bmp", "out_75_4bit.png"):
        diff = subprocess.run([COMPARE, "-metric", "AE", src, out + "/" + name, "null:"], capture_output=True, text=True)
        check(diff.stderr.strip() == "0", "%s: same pixels as the source in ImageMagick (AE %s)" % (name, diff.stderr.strip()))
    for name in ("out_29.tif", "out_87_1bit.tif", "out_2_1bit.gif", "out_75_1bit.png"):
        diff = subprocess.run([COMPARE, "-metric", "AE", out + "/../page.png", out + "/" + name, "null:"],
                              capture_output=True, text=True)
        check(diff.stderr.strip() == "0", "%s: same pixels as the bilevel page (AE %s)" % (name, diff.stderr.strip()))
    # Readers disagree about 1-bit PCX: the header's two colours say black for a clear bit (as
    # PC Paintbrush and most readers take it); ImageMagick ignores them and shows a clear bit white.
    # So ImageMagick must see exactly the negated page.
    run(CONVERT, out + "/../page.png", "-negate", out + "/../page_negated.png")
    diff = subprocess.run([COMPARE, "-metric", "AE", out + "/../page_negated.png", out + "/out_1_1bit.pcx", "null:"],
                          capture_output=True, text=True)
    check(diff.stderr.strip() == "0", "out_1_1bit.pcx: every pixel in place (AE %s)" % diff.stderr.strip())

    for name, size, depth in (("out_75.png", "64x48", "8"), ("out_6.bmp", "64x48", "8"), ("out_2.gif", "64x48", "8"),
                              ("out_1.pcx", "64x48", "8"), ("out_10_q25.jpg", "64x48", "8"),
                              ("out_29.tif", "3000x40", "1"), ("out_1_1bit.pcx", "3000x40", "1"),
                              ("gradient_2.gif", "256x64", "8")):
        got = identify(out + "/" + name, "%wx%h %z")
        check(got == "%s %s" % (size, depth), "%s: identify gives %s, depth %s (%s)" % (name, size, depth, got))
    check(identify(out + "/out_2.gif", "%m") == "GIF", "out_2.gif is a GIF")
    check(identify(out + "/gradient_2.gif", "%k") != "0" and int(identify(out + "/gradient_2.gif", "%k")) <= 256,
          "gradient_2.gif: a palette of at most 256 colours")
    check(identify(out + "/out_6_8bit.bmp", "%[type]") in ("Palette", "PaletteAlpha", "Grayscale", "Bilevel"),
          "out_6_8bit.bmp is an indexed BMP")
    check("300" in identify(out + "/out_75.png", "%x"), "out_75.png keeps 300 dpi")
    alpha = run(CONVERT, out + "/out_75_transparent.png", "-format", "%[fx:p{60,40}.a] %[fx:p{0,0}.a]", "info:")
    check(alpha == "0 1", "out_75_transparent.png: white is transparent, red opaque (%s)" % alpha)
    check(identify(out + "/out_10_grey.jpg", "%[type]") == "Grayscale", "out_10_grey.jpg is a grey JPEG")
    check("300" in identify(out + "/out_10_q25.jpg", "%x"), "out_10_q25.jpg records 300 dpi")

    small = os.path.getsize(out + "/gradient_10_q229.jpg")
    large = os.path.getsize(out + "/gradient_10_q25.jpg")
    check(small < large, "JPEG quality factor 229 (10%%) is smaller than 25 (90%%): %d < %d" % (small, large))
    q25 = int(identify(out + "/gradient_10_q25.jpg", "%Q"))
    q229 = int(identify(out + "/gradient_10_q229.jpg", "%Q"))
    check(q25 >= 85 and q229 <= 20, "identify estimates JPEG quality 90 and 10 (%d, %d)" % (q25, q229))
    for name, limit in (("gradient_10_q25.jpg", 0.01), ("gradient_10_q229.jpg", 0.05)):
        diff = subprocess.run([COMPARE, "-metric", "RMSE", out + "/gradient.png", out + "/" + name, "null:"],
                              capture_output=True, text=True).stderr
        rmse = float(re.search(r"\(([0-9.e-]+)\)", diff).group(1))
        check(rmse < limit, "%s decodes close to the source (RMSE %.4f < %.2f)" % (name, rmse, limit))


def main():
    wine_run, program, work_root = sys.argv[1:4]
    os.makedirs(work_root, exist_ok=True)
    d = tempfile.mkdtemp(dir=work_root)
    try:
        make_fixtures(d)
        os.makedirs(d + "/out")
        env = dict(os.environ, VANTRY_IMAGING_WORK="Z:" + d.replace("/", "\\"))
        result = subprocess.run([wine_run, program], env=env, capture_output=True, text=True, timeout=500)
        sys.stdout.write(result.stdout[-20000:])
        check(result.returncode == 0, "the Windows test program passes (exit %d)" % result.returncode)
        if result.returncode == 0:
            check_outputs(d + "/out")
    finally:
        if not failures:
            shutil.rmtree(d, ignore_errors=True)
        else:
            print("fixtures and outputs kept in", d)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
