#!/usr/bin/python3
"""Reads text_objects.pdf (TranspTextPdfSamples) back with qpdf and poppler, which know nothing of our
writer: the form fields of the left-to-right text fields, the page text of labels and rotated fields,
comb cells and the absence of deleted objects.  Positions are in PDF points (72 per inch) from the
sample's inches; poppler's y grows downwards like the program's, qpdf's rectangles grow upwards.
Usage: check_text_pdf.py <check> <pdf>"""
import json
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

PDF = sys.argv[2]
PAGE_HEIGHT = 792
MARGIN = 0.023            # inches the box mode adds along the line
COMB_CELL = 0.3 * 72
TOLERANCE = 0.2           # points; the layout works in 1/1440 inch
LINE_HEIGHT = 0.905 + 0.212  # ascent and descent of the test prefix's Arial (Liberation Sans), per point
failures = []


def run(*args):
    result = subprocess.run(list(args), capture_output=True)
    if result.returncode != 0:
        raise SystemExit("%s failed (%d): %s" % (" ".join(args), result.returncode,
                                                 result.stderr.decode(errors="replace")))
    return result.stdout


def expect(condition, message):
    if not condition:
        failures.append(message)


def near(actual, expected, tolerance=TOLERANCE):
    return abs(actual - expected) <= tolerance


def pt(inches):
    return inches * 72


# ---- qpdf ----

def qpdf_json():
    data = json.loads(run("qpdf", "--json", PDF))
    objects = data["qpdf"][1] if isinstance(data.get("qpdf"), list) else data["objects"]

    def resolve(obj):
        if isinstance(obj, str) and obj.endswith(" R"):
            obj = objects["obj:" + obj]
        return obj.get("value", obj) if isinstance(obj, dict) and "value" in obj else obj
    return data, resolve


def font_style(resolve, fonts, name):
    base = resolve(resolve(fonts[name])["/BaseFont"])
    return ("Bold" in base, "Italic" in base)


def check_structure():
    result = subprocess.run(["qpdf", "--check", PDF], capture_output=True)
    out = result.stdout.decode()
    expect(result.returncode == 0 and "No syntax or stream encoding errors" in out, "qpdf --check: %s" % out)
    info = run("pdfinfo", PDF).decode()
    expect("Form:            AcroForm" in info and "Pages:           2" in info, info)


# Left-to-right text fields: value, alignment /Q, multi-line, font size, bold, italic, text colour,
# border (colour, width, dash); the rectangle is the text rectangle in box mode.
FIELDS = {
    "Name": dict(value="u:\u0418\u0432\u0430\u043d \u041f\u0435\u0442\u0440\u043e\u0432", q=0, multiline=False,
                 size=12, bold=True, italic=False, color="0 0 0", border=([1, 0, 0], 2.16, [6, 2]),
                 x=1.0, y=1.5, box=3.0),
    "Notes": dict(value="u:First line\r\nSecond line", q=1, multiline=True, size=10, bold=False, italic=True,
                  color="0 0 0", border=None, x=1.0, y=2.2, box=3.0),
    # Weight 500 is above normal: bold.
    "Amount": dict(value="u:125.50", q=2, multiline=False, size=12, bold=True, italic=False, color="0 0 1",
                   border=([0, 0, 0], 0.72, None), x=5.0, y=1.5, box=1.5),
    # Never named for PDF by the document: the object's own name.
    "Plain": dict(value="u:plain value", q=0, multiline=False, size=12, bold=False, italic=False, color="0 0 0",
                  border=None, x=5.0, y=2.9, box=2.0),
    # Page 2 is drawn at 300 units per inch: the same places in points.
    "Scaled": dict(value="u:At 300 per inch", q=0, multiline=False, size=12, bold=False, italic=False,
                   color="0 0 0", border=([0, 0, 0], 2.16, None), x=1.0, y=1.5, box=3.0, page=2),
    "Total": dict(value="u:99", q=0, multiline=False, size=12, bold=False, italic=False, color="0 0 0",
                  border=None, x=5.0, y=2.2, box=2.0),
}


def check_fields():
    data, resolve = qpdf_json()
    fields = {f["fullname"]: f for f in data["acroform"]["fields"]}
    # Labels and rotated fields are page text; deleted fields are nowhere.
    expect(sorted(fields) == sorted(FIELDS), "fields %s" % sorted(fields))
    catalog = next(resolve(o) for o in (data["qpdf"][1] if isinstance(data.get("qpdf"), list) else data["objects"]).values()
                   if isinstance(resolve(o), dict) and resolve(o).get("/Type") == "/Catalog")
    form_fonts = resolve(resolve(catalog["/AcroForm"])["/DR"])["/Font"]
    for name, e in FIELDS.items():
        f = fields.get(name)
        if not f:
            continue
        widget = resolve(f["object"])
        expect(f["fieldtype"] == "/Tx", "%s type %s" % (name, f["fieldtype"]))
        expect(f["pageposfrom1"] == e.get("page", 1), "%s on page %d" % (name, f["pageposfrom1"]))
        expect(f["value"] == e["value"], "%s value %r" % (name, f["value"]))
        expect(f["quadding"] == e["q"], "%s /Q %r" % (name, f["quadding"]))
        expect(bool(f["fieldflags"] & 4096) == e["multiline"], "%s flags %d" % (name, f["fieldflags"]))
        da = widget["/DA"][2:].split()
        expect(float(da[1]) == e["size"] and da[2] == "Tf", "%s /DA %r" % (name, widget["/DA"]))
        expect(" ".join(da[3:6]) == e["color"], "%s text colour %r" % (name, widget["/DA"]))
        expect(font_style(resolve, form_fonts, da[0]) == (e["bold"], e["italic"]),
               "%s font %s is %r" % (name, da[0], font_style(resolve, form_fonts, da[0])))
        # The anchor is the first line's bottom edge; the rectangle holds every line below its top.
        rect = widget["/Rect"]
        line = LINE_HEIGHT * e["size"]
        lines = e["value"].count("\r\n") + 1
        left, right = pt(e["x"]), pt(e["x"] + e["box"] + MARGIN)
        top = PAGE_HEIGHT - pt(e["y"]) + line
        expect(near(rect[0], left) and near(rect[2], right) and near(rect[3], top, 0.3) and
               near(rect[1], top - lines * line, 0.3), "%s rectangle %r" % (name, rect))
        bs, mk = widget.get("/BS", {}), widget.get("/MK", {})
        if e["border"] is None:
            expect(bs.get("/W", 0) == 0 and "/BC" not in mk, "%s has a border: %r %r" % (name, bs, mk))
        else:
            color, width, dash = e["border"]
            expect(mk.get("/BC") == color and near(bs.get("/W", -1), width, 0.01),
                   "%s border %r %r" % (name, bs, mk))
            expect((bs.get("/S"), bs.get("/D")) == (("/D", dash) if dash else ("/S", None)),
                   "%s border style %r" % (name, bs))
    # The calculation script the document registered is attached to its field.
    total = resolve(fields["Total"]["object"]) if "Total" in fields else {}
    action = resolve(total.get("/AA", {}).get("/C", "")) or {}
    expect("this.getField('Total_mirrored_0').value" in str(action.get("/JS")), "Total's script %r" % action)
    expect(all("/AA" not in resolve(fields[n]["object"]) for n in fields if n != "Total"), "a script on another field")
    # Page text uses regular and bold (the heading), never italic (only the Notes field is italic).
    page = resolve(data["pages"][0]["object"])
    page_fonts = resolve(resolve(page["/Resources"])["/Font"])
    styles = sorted(font_style(resolve, page_fonts, n) for n in page_fonts)
    expect(styles == [(False, False), (True, False)], "page text fonts %r" % styles)


# ---- poppler ----

def words(page=1):
    xml = run("pdftotext", "-f", str(page), "-l", str(page), "-bbox", PDF, "-").decode()
    root = ElementTree.fromstring(xml.replace('xmlns="http://www.w3.org/1999/xhtml"', ""))
    out = []
    for w in root.iter("word"):
        out.append((w.text, *(float(w.get(k)) for k in ("xMin", "yMin", "xMax", "yMax"))))
    return out


def word(found, text):
    matches = [w for w in found if w[0] == text]
    expect(len(matches) == 1, "%r appears %d times" % (text, len(matches)))
    return matches[0] if matches else (text, -1e9, -1e9, -1e9, -1e9)


def check_text():
    layout = run("pdftotext", "-l", "1", "-layout", PDF, "-").decode()
    for text in ["\u0417\u0430\u044f\u0432\u043b\u0435\u043d\u0438\u0435 Application", "Upper label line",
                 "Lower label line", "Right edge"]:
        expect(text in layout, "%r is not on the page:\n%s" % (text, layout))
    everything = run("pdftotext", PDF, "-").decode()
    for text in ["Deleted", "Gone"]:
        expect(text not in everything, "deleted object text %r is in the document" % text)
    found = words()
    heading = word(found, "\u0417\u0430\u044f\u0432\u043b\u0435\u043d\u0438\u0435")
    expect(near(heading[1], pt(1.0)) and heading[4] <= pt(0.8) + 1, "heading at %r" % (heading,))
    # Two lines: the second one line height plus the spacing (0.1 inch) lower.
    upper, lower = word(found, "Upper"), word(found, "Lower")
    height = upper[4] - upper[2]
    expect(near(lower[2] - upper[2], height + pt(0.1), 0.3) and near(lower[1], upper[1]),
           "line pitch %.3f for a line of %.3f" % (lower[2] - upper[2], height))
    # Right alignment ends the line at the box's end (box width and margin).
    edge = word(found, "edge")
    expect(near(edge[3], pt(1.0 + 3.0 + MARGIN)), "right-aligned line ends at %.3f" % edge[3])
    # Bottom-up: the line's cell lies left of the anchor (0.5, 9) and reads upwards from it.
    reads, upwards = [w for w in found if w[0] == "Reads"], word(found, "upwards")
    up = [w for w in reads if w[1] < pt(1)]
    expect(len(up) == 1 and near(up[0][3], pt(0.5)) and near(up[0][4], pt(9.0)) and
           up[0][4] - up[0][2] > up[0][3] - up[0][1], "bottom-up line %r" % (up,))
    expect(upwards[4] < up[0][2] if up else False, "upwards is not above Reads: %r" % (upwards,))
    # Top-down: the cell lies right of the anchor (7.5, 5) and reads downwards from it.
    down = [w for w in reads if w[1] > pt(7)]
    downwards = word(found, "downwards")
    expect(len(down) == 1 and near(down[0][1], pt(7.5)) and near(down[0][2], pt(5.0)) and
           down[0][4] - down[0][2] > down[0][3] - down[0][1], "top-down line %r" % (down,))
    expect(downwards[2] > down[0][4] if down else False, "downwards is not below Reads: %r" % (downwards,))


def check_border():
    # The bordered bottom-up field: its text rectangle stroked in its colour, width and dots, the only
    # stroke of the page's own content (field borders live in the fields' appearances).
    data, resolve = qpdf_json()
    contents = resolve(data["pages"][0]["object"])["/Contents"].split()[0]
    ops = run("qpdf", "--show-object=" + contents, "--filtered-stream-data", PDF).decode().split("\n")
    rects = [i for i, op in enumerate(ops) if op.endswith(" re")]
    expect(len(rects) == 1, "rectangles on the page: %r" % [ops[i] for i in rects])
    if not rects:
        return
    i = rects[0]
    expect(ops[i - 3:i] == ["0 0.502 0 RG", "2.16 w", "[2] 0 d"] and ops[i + 1] == "S", "border ops %r" % ops[i - 3:i + 2])
    # The underlined label's band: a filled path from the start of its line, the page's only fill.
    bands = [op for op in ops if op.endswith(" l h f")]
    expect(len(bands) == 1 and near(float(bands[0].split()[0]), pt(4.5)), "underline bands %r" % bands)
    x, y, w, h = (float(v) for v in ops[i].split()[:4])
    line = LINE_HEIGHT * 12
    along = pt(2.0 + MARGIN)
    expect(near(x, pt(0.5) - line, 0.3) and near(w, line, 0.3) and near(y, pt(9.0) - along) and near(h, along),
           "border rectangle %r" % ops[i])


def check_comb():
    # Page 2 holds the same cells drawn at 300 units per inch.
    for page in (1, 2):
        check_comb_page(words(page))


def check_comb_page(found):
    # Left-aligned: character i at the anchor plus i cells.
    for i, ch in enumerate("ABCD"):
        w = word(found, ch)
        expect(near(w[1], pt(1.0) + i * COMB_CELL) and near(w[2], word(found, "A")[2]),
               "%s at %.3f, %.3f" % (ch, w[1], w[2]))
    # Centred: the cells start half the free box length in.
    start = pt(1.0) + (pt(2.0 + MARGIN) - 3 * COMB_CELL) / 2
    for i, ch in enumerate("XYZ"):
        w = word(found, ch)
        expect(near(w[1], start + i * COMB_CELL), "%s at %.3f, expected %.3f" % (ch, w[1], start + i * COMB_CELL))
    # Bottom-up: the cells go up from the anchor (7, 10).
    for i, ch in enumerate("KLM"):
        w = word(found, ch)
        expect(near(w[4], pt(10.0) - i * COMB_CELL) and near(w[3], pt(7.0)), "%s at %r" % (ch, w))


CHECKS = {"structure": check_structure, "fields": check_fields, "text": check_text, "border": check_border,
          "comb": check_comb}

if __name__ == "__main__":
    CHECKS[sys.argv[1]]()
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)
