#!/usr/bin/env python3
"""Reads every page-image fixture with ImageMagick again and compares the result with the reading
stored beside it (<file>.txt and <file>.<page>.rgb, written by make_images.sh): the document tests
compare pages with the stored reading, so it must still be ImageMagick's."""
import glob
import os
import subprocess
import sys

IM = "/usr/bin/convert"


def main(folder):
    failures = []
    fixtures = [f for f in sorted(glob.glob(os.path.join(folder, "*")))
                if f.rsplit(".", 1)[-1] in ("png", "jpg", "bmp", "gif", "pcx", "tif")]
    if not fixtures:
        failures.append("no fixtures in " + folder)
    for path in fixtures:
        stored = open(path + ".txt").read().split("\n")
        stored = [line for line in stored if line]
        info = subprocess.run(["identify", "-units", "PixelsPerInch", "-format", "%w %h %x %y\n", path],
                              check=True, capture_output=True, text=True).stdout
        live = [line.replace(" PixelsPerInch", "") for line in info.split("\n") if line]
        if live != stored:
            failures.append("%s: identify says %r, stored %r" % (path, live, stored))
            continue
        for page in range(len(live)):
            rgb = subprocess.run([IM, "%s[%d]" % (path, page), "-depth", "8", "-type", "TrueColor",
                                  "-colorspace", "sRGB", "rgb:-"], check=True, capture_output=True).stdout
            if rgb != open("%s.%d.rgb" % (path, page), "rb").read():
                failures.append("%s page %d: pixels differ from the stored reading" % (path, page))
    for failure in failures:
        print(failure)
    print("%d fixtures checked, %d failures" % (len(fixtures), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
