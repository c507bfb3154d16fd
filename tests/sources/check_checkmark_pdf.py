#!/usr/bin/python3
"""Reads check_marks.pdf (TranspCheckMarkPdfSamples) back with qpdf, which knows nothing of our writer:
one check-box field per live check mark with its name, place, state and mark, none for the deleted
one, and the radio group with only its chosen member checked.  qpdf's rectangles grow upwards from
the page's bottom edge (792 points); the sample's places are inches from the top-left corner.
Usage: check_checkmark_pdf.py <pdf>"""
import json
import subprocess
import sys

PDF = sys.argv[1]
PAGE_HEIGHT = 792
# name: (x, y, side in inches, checked, appearance character of the mark: '4' tick, '8' cross)
MARKS = {
    "Agree": (1.0, 1.0, 0.25, True, "4"),
    "Decline": (2.0, 1.0, 0.25, False, "8"),
    "Red": (1.0, 2.0, 0.2, False, "4"),
    "Green": (2.0, 2.0, 0.2, True, "4"),
}
failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)


result = subprocess.run(["qpdf", "--json", PDF], capture_output=True)
if result.returncode != 0:
    raise SystemExit("qpdf failed: %s" % result.stderr.decode(errors="replace"))
data = json.loads(result.stdout)
objects = data["qpdf"][1] if isinstance(data.get("qpdf"), list) else data["objects"]


def resolve(obj):
    if isinstance(obj, str) and obj.endswith(" R"):
        obj = objects["obj:" + obj]
    return obj.get("value", obj) if isinstance(obj, dict) and "value" in obj else obj


def text(value):
    # qpdf writes strings as "u:<text>" or "b:<hex>" in its version 2 JSON.
    if value.startswith("u:"):
        return value[2:]
    if value.startswith("b:"):
        return bytes.fromhex(value[2:]).decode("latin-1")
    return value


fields = {f["fullname"]: f for f in data["acroform"]["fields"]}
expect(sorted(fields) == sorted(MARKS), "fields %s" % sorted(fields))
for name, (x, y, side, checked, character) in MARKS.items():
    f = fields.get(name)
    if not f:
        continue
    expect(f["fieldtype"] == "/Btn", "%s type %s" % (name, f["fieldtype"]))
    expect(f["ischeckbox"], "%s is not a check box" % name)
    expect(f["value"] == ("/Yes" if checked else "/Off"), "%s value %r" % (name, f["value"]))
    state = f["annotation"]["appearancestate"]
    expect(state == ("/Yes" if checked else "/Off"), "%s appearance %r" % (name, state))
    widget = resolve(f["object"])
    rect = [float(v) for v in widget["/Rect"]]
    want = [x * 72, PAGE_HEIGHT - (y + side) * 72, (x + side) * 72, PAGE_HEIGHT - y * 72]
    expect(all(abs(a - b) <= 0.5 for a, b in zip(rect, want)), "%s rect %r, not %r" % (name, rect, want))
    mark = text(resolve(widget["/MK"])["/CA"])
    expect(mark == character, "%s shows %r, not %r" % (name, mark, character))

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("check marks: %d fields as expected" % len(fields))
