#!/usr/bin/python3
"""Runs the print-job cases of OrvelloViewPrint_test with VANTRY_PRINT_OUT set, so their PostScript
jobs and the view's screen pictures of the same pages stay in one folder, then has Ghostscript, which
knows nothing of our code, render every printed page at the screen's 96 pixels an inch:
- blank paper, all records: two jobs of two pages; each page matches the screen picture of its page
  and record (few pixels differ), and in the text field's band it matches its own record better than
  the other one; the erased corner of the page image is not printed;
- preprinted form: no page image where the screen shows it, and the blue rectangle moved by the output
  offset (0.5 and 0.25 inch);
- a PDF page drawn as the PDF export draws it, rendered by poppler: the image, its erased corner and
  the rectangle where the screen shows them.
Usage: check_print_jobs.py <wine-run> <test program> <folder>"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

from ppm_image import read_ppm

WINE_RUN, PROGRAM, FOLDER = sys.argv[1:4]
DPI = 96
TOLERANCE = 64          # per channel, for anti-aliased edges and rounding of stretched images
MAX_DIFFERENT = 0.02    # share of the compared pixels that may differ by more
TEXT_BAND = (40, 232, 420, 290)  # the field "Name" at (0.5 in, 2.5 in), 24 points


class Picture:
    def __init__(self, path):
        self.width, self.height, self.pixels = read_ppm(path)

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])


def render(job, folder):
    """Every page of a PostScript job at DPI; their pictures in page order."""
    stem = os.path.join(folder, os.path.basename(job))
    subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=ppmraw", "-r%d" % DPI,
                    "-sOutputFile=%s-%%d.ppm" % stem, job], check=True)
    return [Picture(p) for p in sorted(glob.glob(stem + "-*.ppm"), key=lambda p: int(p.rsplit("-", 1)[1][:-4]))]


def different_share(printed, screen, box=None):
    left, top, right, bottom = box or (0, 0, min(printed.width, screen.width), min(printed.height, screen.height))
    different = 0
    for y in range(top, bottom):
        for x in range(left, right):
            if max(abs(a - b) for a, b in zip(printed.at(x, y), screen.at(x, y))) > TOLERANCE:
                different += 1
    return different / float((right - left) * (bottom - top))


def is_white(c):
    return min(c) > 235


def blue_box(picture, top):
    xs, ys = [], []
    for y in range(top, min(picture.height, 400)):
        for x in range(0, min(picture.width, 600)):
            r, g, b = picture.at(x, y)
            if b > 150 and r < 100 and g < 100:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def main():
    shutil.rmtree(FOLDER, ignore_errors=True)
    os.makedirs(FOLDER)
    env = dict(os.environ, VANTRY_PRINT_OUT=FOLDER)
    cases = "PrintJobTest.BlankPaperPrintsOneJobPerRecordWithEveryPage:" \
            "PrintJobTest.APreprintedFormLeavesOutThePageImageAndShiftsTheObjects:" \
            "PrintJobTest.APdfPageHoldsTheImageTheErasedAreasAndTheObjects"
    run = subprocess.run([WINE_RUN, PROGRAM, "--gtest_filter=" + cases], env=env)
    if run.returncode != 0:
        print("the test program failed")
        return 1
    failures = []
    with tempfile.TemporaryDirectory() as work:
        screens = {(r, p): Picture(os.path.join(FOLDER, "screen-record%d-page%d.ppm" % (r, p)))
                   for r in range(2) for p in range(2)}
        printed = {}
        for record in range(2):
            pages = render(os.path.join(FOLDER, "blank-record%d.ps" % record), work)
            if len(pages) != 2:
                failures.append("record %d: %d pages printed, not 2" % (record, len(pages)))
                continue
            for page in range(2):
                printed[(record, page)] = pages[page]
                share = different_share(pages[page], screens[(record, page)])
                print("record %d page %d: %.4f of the pixels differ from the screen" % (record, page, share))
                if share > MAX_DIFFERENT:
                    failures.append("record %d page %d differs from the screen in %.3f of its pixels"
                                    % (record, page, share))
        for record in range(2):
            if (record, 0) in printed and not is_white(printed[(record, 0)].at(25, 25)):
                failures.append("record %d: the erased corner of the image is printed: %s"
                                % (record, printed[(record, 0)].at(25, 25)))
        if len(printed) == 4:
            for record in range(2):
                own = different_share(printed[(record, 0)], screens[(record, 0)], TEXT_BAND)
                other = different_share(printed[(record, 0)], screens[(1 - record, 0)], TEXT_BAND)
                print("record %d text band: %.4f against its own record, %.4f against the other" % (record, own, other))
                if not own < other:
                    failures.append("record %d: the printed field does not show its own record" % record)

        pages = render(os.path.join(FOLDER, "preprinted-record0.ps"), work)
        screen = Picture(os.path.join(FOLDER, "screen-preprinted-page0.ppm"))
        first = pages[0]
        for x, y, what in [(50, 25, "red"), (150, 25, "green"), (50, 75, "blue"), (150, 75, "grey")]:
            if is_white(screen.at(x, y)):
                failures.append("the screen shows no %s quadrant at (%d, %d)" % (what, x, y))
            if not is_white(first.at(x, y)):
                failures.append("the preprinted form shows the %s quadrant at (%d, %d): %s" % (what, x, y, first.at(x, y)))
        shown, put = blue_box(screen, 120), blue_box(first, 120)
        print("rectangle on screen %s, on the preprinted form %s" % (shown, put))
        expected = shown and tuple(v + d for v, d in zip(shown, (DPI // 2, DPI // 4, DPI // 2, DPI // 4)))
        if not shown or not put or any(abs(a - b) > 2 for a, b in zip(put, expected)):
            failures.append("the rectangle is not moved by the output offset: %s, expected %s" % (put, expected))
        # The PDF page, rendered by poppler.
        subprocess.run(["pdftoppm", "-r", str(DPI), "-singlefile", os.path.join(FOLDER, "page0.pdf"),
                        os.path.join(work, "pdf")], check=True)
        pdf = Picture(os.path.join(work, "pdf.ppm"))
        screen = Picture(os.path.join(FOLDER, "screen-pdf-page0.ppm"))
        for x, y, what in [(60, 25, "red"), (150, 25, "green"), (50, 75, "blue"), (150, 75, "grey"), (25, 25, "erased")]:
            if max(abs(a - b) for a, b in zip(pdf.at(x, y), screen.at(x, y))) > TOLERANCE:
                failures.append("the PDF page's %s point (%d, %d) is %s, the screen's %s"
                                % (what, x, y, pdf.at(x, y), screen.at(x, y)))
        shown, put = blue_box(screen, 120), blue_box(pdf, 120)
        print("rectangle on screen %s, on the PDF page %s" % (shown, put))
        if not shown or not put or any(abs(a - b) > 2 for a, b in zip(put, shown)):
            failures.append("the PDF page's rectangle %s is not where the screen shows it, %s" % (put, shown))
    if failures:
        print("\n".join(failures))
        return 1
    print("print jobs match the screen")
    return 0


sys.exit(main())
