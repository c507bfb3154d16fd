#!/usr/bin/python3
"""Reads the documents FolimarDocPdfSamples exported to PDF back with qpdf and poppler, which know
nothing of our writer: structure, document information, every field value as text and as a live form
field, the mirrored field's script, each page against the page drawn by GDI, the security with both
passwords and its permissions, and a page range with a landscape page.
Usage: check_document_pdf.py <check> <folder>"""
import json
import os
import re
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from host_check import expect, failures, run  # noqa: E402

CHECK, FOLDER = sys.argv[1], sys.argv[2]
USER, OWNER = "user-pw", "the-owner-password-30-chars-ab"
FIELD_VALUES = {"Name": "Ivan Petrov", "Total": "125.50", "Total_mirrored_0": "125.50", "City": "Lisbon"}


def path(name):
    return os.path.join(FOLDER, name)


def qpdf_objects(pdf, *extra):
    data = json.loads(run("qpdf", *extra, "--json", pdf).stdout)
    objects = data["qpdf"][1] if isinstance(data.get("qpdf"), list) else data["objects"]

    def resolve(obj):
        if isinstance(obj, str) and obj.endswith(" R"):
            obj = objects["obj:" + obj]
        return obj.get("value", obj) if isinstance(obj, dict) and "value" in obj else obj
    return objects, resolve


def text_of(value):
    return value[2:] if isinstance(value, str) and value[:2] in ("u:", "b:") else value


def check_structure():
    for name in ("form.pdf", "range.pdf"):
        out = run("qpdf", "--check", path(name), check=False)
        expect(out.returncode == 0 and b"No syntax or stream encoding errors" in out.stdout,
               "qpdf --check %s: %s" % (name, out.stdout.decode()))
    info = run("pdfinfo", path("form.pdf")).stdout.decode()
    for line in ("Title:           Sample form", "Author:          Form author", "Subject:         Form subject",
                 "Keywords:        alpha beta", "Pages:           2", "Form:            AcroForm"):
        expect(line in info, "pdfinfo lacks %r:\n%s" % (line, info))


def check_text():
    text = run("pdftotext", "-layout", path("form.pdf"), "-").stdout.decode()
    for value in ("Application form", "Ivan Petrov", "125.50", "Lisbon", "Second page text"):
        expect(value in text, "pdftotext lacks %r:\n%s" % (value, text))
    pages = text.split("\f")
    expect("Ivan Petrov" in pages[0] and "Lisbon" in pages[1], "values on the wrong pages: %r" % pages[:2])


def check_fields():
    objects, resolve = qpdf_objects(path("form.pdf"))
    fields = {}
    for obj in objects.values():
        value = obj.get("value", obj) if isinstance(obj, dict) else None
        if isinstance(value, dict) and "/T" in value and "/FT" in value:
            fields[text_of(resolve(value["/T"]))] = value
    for name, expected in FIELD_VALUES.items():
        expect(name in fields, "no form field %s among %s" % (name, sorted(fields)))
        if name in fields:
            expect(text_of(resolve(fields[name].get("/V"))) == expected,
                   "field %s holds %r" % (name, resolve(fields[name].get("/V"))))
    expect("Agree" in fields and resolve(fields["Agree"]["/FT"]) == "/Btn", "no check box Agree")
    # The mirrored field's script copies the lead's value into its copy.
    scripts = []
    for obj in objects.values():
        value = obj.get("value", obj) if isinstance(obj, dict) else None
        if isinstance(value, dict) and resolve(value.get("/S")) == "/JavaScript":
            js = resolve(value.get("/JS"))
            if isinstance(js, dict):  # a stream
                js = js.get("data", "")
            scripts.append(text_of(js) if isinstance(js, str) else str(js))
    raw = open(path("form.pdf"), "rb").read().decode("latin-1")
    wanted = "this.getField('Total_mirrored_0').value = this.getField('Total').value;"
    expect(any(wanted in s for s in scripts) or wanted in raw, "no mirrored-field script; scripts: %r" % scripts)


def check_render():
    with tempfile.TemporaryDirectory() as tmp:
        run("pdftoppm", "-r", "72", "-png", path("form.pdf"), os.path.join(tmp, "p"))
        for page in (1, 2):
            rendered = os.path.join(tmp, "p-%d.png" % page)
            reference = path("form_page%d.bmp" % page)
            size = run("identify", "-format", "%wx%h", rendered).stdout.decode()
            expect(size == "612x792", "page %d rendered at %s" % (page, size))
            # Mean absolute difference over the page, 0..1: text antialiasing differs, places must not.
            out = run("compare", "-metric", "MAE", rendered, reference, "null:", check=False).stderr.decode()
            mae = float(out.split("(")[1].rstrip(")")) if "(" in out else 1.0
            expect(mae < 0.02, "page %d differs from the GDI drawing: MAE %s" % (page, out))


def check_security():
    secure = path("secure.pdf")
    expect(run("qpdf", "--check", secure, check=False).returncode != 0, "opens without a password")
    expect(run("qpdf", "--check", "--password=wrong", secure, check=False).returncode != 0,
           "opens with a wrong password")
    for password in (USER, OWNER):
        out = run("qpdf", "--check", "--password=" + password, secure, check=False)
        expect(out.returncode == 0 and b"No syntax or stream encoding errors" in out.stdout,
               "does not open with %s: %s" % (password, out.stdout.decode()))
    shown = run("qpdf", "--show-encryption", "--password=" + USER, secure).stdout.decode()
    for line in ("R = 3", "extract for any purpose: not allowed", "modify annotations: not allowed",
                 "modify other: not allowed", "print high resolution: allowed"):
        expect(line in shown, "encryption lacks %r:\n%s" % (line, shown))
    owner = run("qpdf", "--show-encryption", "--password=" + OWNER, secure).stdout.decode()
    expect("Supplied password is owner password" in owner, owner)
    text = run("pdftotext", "-upw", USER, secure, "-").stdout.decode()
    expect("Ivan Petrov" in text, "decrypted text lacks the field value:\n" + text)


def check_range():
    info = run("pdfinfo", "-f", "1", "-l", "2", path("range.pdf")).stdout.decode()
    expect("Pages:           2" in info, info)
    sizes = re.findall(r"Page\s+(\d+) size:\s+([\d.]+) x ([\d.]+)", info)
    expect(sizes == [("1", "612", "792"), ("2", "792", "612")], "page sizes %s" % sizes)
    text = run("pdftotext", path("range.pdf"), "-").stdout.decode()
    expect("Page 2 text" in text and "Page 3 text" in text and "Page 1 text" not in text and
           "Page 4 text" not in text, text)


{"structure": check_structure, "text": check_text, "fields": check_fields, "render": check_render,
 "security": check_security, "range": check_range}[CHECK]()
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
