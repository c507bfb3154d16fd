#!/usr/bin/python3
"""Checks the sample documents of PdfWriterSamples with tools that know nothing of our writer:
qpdf for the file structure, the form fields and the security, poppler for information, text and
rendering.  Usage: check_pdfs.py <check> <samples folder> <test data folder>"""
import json
import os
import sys

import numpy

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from host_check import expect, failures, run  # noqa: E402

SAMPLES = sys.argv[2]
DATA = sys.argv[3]

USER, OWNER = "reader", "owner-secret"
ENCRYPTED = {"secured40.pdf", "secured128.pdf"}


def path(name):
    return os.path.join(SAMPLES, name)


def read_ppm(file):
    with open(file, "rb") as f:
        data = f.read()
    parts = data.split(maxsplit=4)
    assert parts[0] == b"P6" and parts[3] == b"255", file
    width, height = int(parts[1]), int(parts[2])
    pixels = numpy.frombuffer(parts[4][:width * height * 3], dtype=numpy.uint8)
    return pixels.reshape(height, width, 3).astype(numpy.int16)


def render(name, dpi, password=None):
    prefix = path("render-%s-%d" % (name, dpi))
    args = ["pdftoppm", "-r", str(dpi), "-f", "1", "-l", "1"]
    if password:
        args += ["-upw", password]
    run(*args, path(name), prefix)
    return read_ppm(prefix + "-1.ppm")


def pixel(image, x, y):
    return tuple(int(v) for v in image[y, x])


def near(actual, expected, tolerance=40):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def check_structure():
    names = sorted(n for n in os.listdir(SAMPLES) if n.endswith(".pdf"))
    expect(len(names) >= 7, "samples missing: %s" % names)
    for name in names:
        args = ["qpdf", "--check"] + (["--password=" + USER] if name in ENCRYPTED else []) + [path(name)]
        result = run(*args, check=False)
        out = result.stdout.decode(errors="replace")
        expect(result.returncode == 0 and "No syntax or stream encoding errors" in out,
               "qpdf --check %s: %d %s %s" % (name, result.returncode, out, result.stderr.decode(errors="replace")))


def check_info():
    out = run("pdfinfo", "-f", "1", "-l", "3", path("info.pdf")).stdout.decode()
    fields = {}
    for line in out.splitlines():
        key, _, value = line.partition(":")
        fields[key.strip()] = value.strip()
    expect(fields.get("Title") == "Form \u0430\u043d\u043a\u0435\u0442\u0430 1", "title: %r" % fields.get("Title"))
    expect(fields.get("Author") == "Quality Desk", "author: %r" % fields.get("Author"))
    expect(fields.get("Subject") == "Page sizes", "subject: %r" % fields.get("Subject"))
    expect(fields.get("Keywords") == "vantry, pdf, pages", "keywords: %r" % fields.get("Keywords"))
    expect(fields.get("Pages") == "3", "pages: %r" % fields.get("Pages"))
    expect(fields.get("PDF version") == "1.4", "version: %r" % fields.get("PDF version"))
    # Letter portrait, the same page given as landscape, and 100 x 200 mm in tenths of a millimetre.
    sizes = {"Page    1 size": "612 x 792 pts (letter)", "Page    2 size": "792 x 612 pts (letter)",
             "Page    3 size": "283.465 x 566.929 pts"}
    for key, size in sizes.items():
        expect(fields.get(key) == size, "%s: %r, expected %r" % (key, fields.get(key), size))
    # How the viewer opens it: one column, thumbnails, centred window, no menu bar.
    objects = json.loads(run("qpdf", "--json", "--json-key=qpdf", path("info.pdf")).stdout)["qpdf"][1]
    catalog = next(o["value"] for o in objects.values()
                   if isinstance(o.get("value"), dict) and o["value"].get("/Type") == "/Catalog")
    expect(catalog.get("/PageLayout") == "/OneColumn" and catalog.get("/PageMode") == "/UseThumbs" and
           catalog.get("/ViewerPreferences") == {"/CenterWindow": True, "/HideMenubar": True}, "catalog %r" % catalog)


def text_of(name, password=None):
    args = ["pdftotext"] + (["-upw", password] if password else []) + [path(name), "-"]
    return run(*args).stdout.decode()


def check_text():
    drawing = text_of("drawing.pdf")
    for line in ["Hello from the drawing surface", "\u041f\u0440\u0438\u0432\u0435\u0442, \u043c\u0438\u0440!",
                 "Serif \u0436\u0443\u0440\u043d\u0430\u043b line", "Mono right", "Upwards",
                 "Glyphs \u0434\u0430"]:
        expect(line in drawing, "drawing.pdf lacks %r in %r" % (line, drawing))
    second = run("pdftotext", "-f", "2", "-l", "2", path("drawing.pdf"), "-").stdout.decode()
    expect(second.strip() == "Second page", "drawing.pdf page 2: %r" % second)
    # Whole fonts and no fonts: the text reads the same either way.
    for name, embedded, subset in [("fonts-whole.pdf", "yes", "no"), ("fonts-none.pdf", "no", "no")]:
        rows = run("pdffonts", path(name)).stdout.decode().splitlines()[2:]
        expect(len(rows) == 1 and rows[0].split()[-5:-3] == [embedded, subset] and "+" not in rows[0],
               "%s: %r" % (name, rows))
        expect("Embedding \u0440\u0435\u0436\u0438\u043c" in text_of(name), "%s: text %r" % (name, text_of(name)))
    direct = text_of("direct.pdf")
    for line in ["Direct text in Arial", "\u0421\u0447\u0451\u0442 \u2116 42 bold underlined",
                 "Courier italic struck", "Bottom to top", "Top to bottom"]:
        expect(line in direct, "direct.pdf lacks %r in %r" % (line, direct))
    # Every font is embedded as a subset with a map back to Unicode.
    for name in ["drawing.pdf", "direct.pdf"]:
        rows = run("pdffonts", path(name)).stdout.decode().splitlines()[2:]
        expect(len(rows) in (3, 4), "%s: fonts %r" % (name, rows))
        for row in rows:
            columns = row.split()
            expect(columns[-5:-2] == ["yes", "yes", "yes"] and "+" in columns[0],
                   "%s: font not embedded as a subset with Unicode: %r" % (name, row))


def check_render():
    # The page drawn through the surface against the same drawing by GDI, both at 96 dpi.
    pdf = render("drawing.pdf", 96)
    gdi = read_ppm(path("drawing-gdi.ppm"))
    expect(pdf.shape == gdi.shape, "rendered size %s, GDI %s" % (pdf.shape, gdi.shape))
    if pdf.shape == gdi.shape:
        # Anti-aliased edges and glyph hinting differ by a pixel: each pixel is compared with the
        # closest of its neighbours in the other image.
        diff = numpy.full(pdf.shape[:2], 255, dtype=numpy.int16)
        padded = numpy.pad(gdi, ((1, 1), (1, 1), (0, 0)), mode="edge")
        h, w = pdf.shape[:2]
        for dy in range(3):
            for dx in range(3):
                shifted = padded[dy:dy + h, dx:dx + w]
                diff = numpy.minimum(diff, numpy.abs(pdf - shifted).max(axis=2))
        ink = (gdi.max(axis=2) - gdi.min(axis=2) > 30) | (gdi.max(axis=2) < 200)
        bad = float((diff > 64).mean())
        expect(ink.mean() > 0.05, "the GDI drawing is nearly empty (%.3f)" % ink.mean())
        expect(bad < 0.005, "%.4f of the pixels differ from GDI's rendering" % bad)
        expect(float(diff.mean()) < 2.0, "mean difference %.2f" % diff.mean())
    # Direct operations and GDI drawing keep their call order: grey, then red over it, then blue.
    direct = render("direct.pdf", 72)
    for (x, y), colour in [((75, 75), (128, 128, 128)), ((125, 125), (255, 0, 0)), ((175, 175), (0, 0, 255)),
                           ((225, 225), (0, 0, 255)), ((300, 100), (0, 128, 0))]:
        expect(near(pixel(direct, x, y), colour), "direct.pdf at %d,%d: %s" % (x, y, pixel(direct, x, y)))


def check_images():
    page = render("images.pdf", 72)
    for (x, y), colour, what in [
            ((60, 55), (250, 0, 5), "top of the JPEG gradient"), ((60, 140), (5, 0, 250), "its bottom"),
            ((255, 55), (0, 204, 0), "white of the transparent BMP shows the green beneath"),
            ((300, 100), (0, 0, 0), "black of the transparent BMP"),
            ((405, 55), (255, 255, 255), "white of the opaque BMP covers the green"),
            ((80, 230), (0, 0, 255), "left half of the device bitmap"),
            ((140, 230), (255, 255, 0), "right half of the device bitmap"),
            ((350, 250), (128, 0, 128), "the placed metafile"), ((420, 320), (255, 255, 255), "outside it")]:
        expect(near(pixel(page, x, y), colour), "images.pdf %s at %d,%d: %s" % (what, x, y, pixel(page, x, y)))
    # The JPEG file is in the PDF byte for byte.
    with open(os.path.join(DATA, "sample.jpg"), "rb") as f:
        jpeg = f.read()
    with open(path("images.pdf"), "rb") as f:
        expect(jpeg in f.read(), "the JPEG data was not passed through unchanged")


def check_forms():
    data = json.loads(run("qpdf", "--json", path("forms.pdf")).stdout)
    widgets = data["acroform"]["fields"]
    fields = {}
    for f in widgets:
        fields.setdefault(f["fullname"], f)
    # The check mark named twice is one field with a widget on each page.
    agree = [f for f in widgets if f["fullname"] == "Agree"]
    expect(len(agree) == 2 and agree[0]["parent"] and agree[0]["parent"] == agree[1]["parent"] and
           [f["pageposfrom1"] for f in agree] == [1, 2], "Agree: %r" % agree)
    expected = {
        "Name": ("/Tx", "u:\u0418\u0432\u0430\u043d \u041f\u0435\u0442\u0440\u043e\u0432", 0),
        "Notes": ("/Tx", "u:First line\r\nSecond line", 0),
        "Code": ("/Tx", "u:AB12", 0),
        "Total": ("/Tx", "u:125.50", 2),
        "Total_mirrored_0": ("/Tx", "u:125.50", 0),
        "Agree": ("/Btn", "/Yes", 0),
        "Refuse": ("/Btn", "/Off", 0),
    }
    expect(set(fields) == set(expected), "fields: %s" % sorted(fields))
    for name, (kind, value, quadding) in expected.items():
        f = fields.get(name)
        if not f:
            continue
        expect(f["fieldtype"] == kind, "%s type %s" % (name, f["fieldtype"]))
        expect(f["value"] == value, "%s value %r" % (name, f["value"]))
        expect(f["quadding"] == quadding, "%s alignment %r" % (name, f["quadding"]))
    expect(fields["Notes"]["fieldflags"] & 4096, "Notes is not multi-line")
    expect(fields["Code"]["fieldflags"] & (1 << 24), "Code is no comb field")
    expect(fields["Agree"]["ischeckbox"] and fields["Agree"]["annotation"]["appearancestate"] == "/Yes",
           "Agree: %r" % fields["Agree"])
    expect(fields["Total_mirrored_0"]["pageposfrom1"] == 2, "the copy is not on page 2")
    objects = data["qpdf"][1] if isinstance(data.get("qpdf"), list) else data["objects"]

    def value(obj):
        return obj.get("value", obj) if isinstance(obj, dict) else obj
    code = value(objects["obj:" + fields["Code"]["object"]])
    expect(code.get("/MaxLen") == 6, "Code max length %r" % code.get("/MaxLen"))
    total = value(objects["obj:" + fields["Total"]["object"]])
    action = value(objects.get("obj:" + str(total.get("/AA", {}).get("/C", "")), {}))
    expect(action.get("/S") == "/JavaScript" and
           "this.getField('Total_mirrored_0').value = this.getField('Total').value;" in str(action.get("/JS")),
           "Total's calculation script: %r" % action)
    catalog = next(value(o) for o in objects.values() if isinstance(value(o), dict) and value(o).get("/Type") == "/Catalog")
    expect(catalog["/AcroForm"].get("/CO") == [fields["Total"]["object"]], "calculation order %r" % catalog["/AcroForm"].get("/CO"))
    expect("/JavaScript" in catalog.get("/Names", {}), "no document-level script")
    # The appearance streams show the values without the viewer building them.
    shown = text_of("forms.pdf")
    for value in ["\u0418\u0432\u0430\u043d \u041f\u0435\u0442\u0440\u043e\u0432", "First line", "Second line", "125.50"]:
        expect(value in shown, "forms.pdf does not show %r: %r" % (value, shown))
    page = render("forms.pdf", 72)
    # Inside the frames: the ticked box has a mark, the other one none.
    ticked = int((page[232:245, 52:65].max(axis=2) < 128).sum())
    empty = int((page[232:245, 102:115].max(axis=2) < 128).sum())
    expect(ticked > 10 and empty == 0, "check box interiors: ticked %d, empty %d dark pixels" % (ticked, empty))
    info = run("pdfinfo", path("forms.pdf")).stdout.decode()
    expect("Form:            AcroForm" in info and "JavaScript:      yes" in info, info)


def check_security():
    for name, revision, allowed, version in [
            ("secured40.pdf", "2", {"print low resolution"}, "1.3"),
            ("secured128.pdf", "3", {"extract for accessibility", "extract for any purpose"}, "1.4")]:
        info = run("pdfinfo", "-upw", USER, path(name)).stdout.decode()
        expect("PDF version:     " + version in info, "%s: asked for 1.3, %s expected: %s" % (name, version, info))
        # Without the password the file does not open; with either password it does.
        expect(run("qpdf", "--check", path(name), check=False).returncode != 0, "%s opens without a password" % name)
        decrypted = path(name + ".decrypted")
        result = run("qpdf", "--password=" + USER, "--decrypt", path(name), decrypted, check=False)
        expect(result.returncode == 0, "%s: user password refused: %s" % (name, result.stderr))
        expect(run("qpdf", "--password=wrong", "--check", path(name), check=False).returncode != 0,
               "%s opens with a wrong password" % name)
        shown = run("qpdf", "--password=" + OWNER, "--show-encryption", path(name)).stdout.decode()
        expect("Supplied password is owner password" in shown, "%s: owner password not recognised" % name)
        expect("R = " + revision in shown, "%s: %s" % (name, shown))
        for line in shown.splitlines():
            if ": " in line and line.split(": ")[1] in ("allowed", "not allowed"):
                right, state = line.split(": ")
                if right in ("print low resolution", "extract for accessibility", "extract for any purpose",
                             "modify annotations", "modify other", "print high resolution"):
                    expect((state == "allowed") == (right in allowed or
                                                   (right == "print high resolution" and "print low resolution" in allowed and revision == "2")),
                           "%s: %s %s" % (name, right, state))
        expect("Secret text \u0442\u0430\u0439\u043d\u0430" in text_of(name, USER), "%s: text not readable" % name)
        with open(path(name), "rb") as f:
            raw = f.read()
        expect(b"Secured" not in raw and b"5365637572656" not in raw.upper(), "%s: the title is not encrypted" % name)


def check_restricted():
    # Security without passwords: the file opens for anyone, and its restrictions still hold, since
    # no empty password gives the owner's rights.
    shown = run("qpdf", "--show-encryption", path("restricted.pdf")).stdout.decode()
    expect("Supplied password is user password" in shown, shown)
    expect("print low resolution: not allowed" in shown and "extract for any purpose: not allowed" in shown, shown)
    expect("Secret text" in text_of("restricted.pdf"), "restricted.pdf is not readable without a password")


CHECKS = {"structure": check_structure, "info": check_info, "text": check_text, "render": check_render,
          "images": check_images, "forms": check_forms, "security": check_security,
          "restricted": check_restricted}

if __name__ == "__main__":
    CHECKS[sys.argv[1]]()
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)
