#!/usr/bin/env python3
"""What Orvello's resources are made from agrees with itself:

- the table beside the resource scripts (OrvelloUi.tsv) names every command, string, menu, tool bar,
  picture and cursor with the number resource.h or the framework gives it, and lists every command of
  the menus and every string of the English script, so the resource test that reads it sees all of them;
- the pictures in resources/Orvello/res are exactly what tools/orvello_art.py draws (and Scrivel's,
  which share some of them, what tools/scrivel_art.py draws), so the drawings in the generators and
  the files the programs carry cannot drift apart."""
import re
import subprocess
import sys
import tempfile
from pathlib import Path

DEFINE = re.compile(r"^\s*#define\s+(\w+)\s+(0x[0-9A-Fa-f]+|\d+)\s*$")


def defines(*paths):
    found = {}
    for path in paths:
        for line in Path(path).read_text(encoding="utf-8").splitlines():
            m = DEFINE.match(line)
            if m:
                found[m.group(1)] = int(m.group(2), 0)
    return found


def table_problems(root):
    folder = root / "resources" / "Orvello"
    ids = defines(folder / "resource.h", root / "framework" / "include" / "fw" / "CommandIds.h")
    problems = []
    rows = []
    for number, line in enumerate((folder / "OrvelloUi.tsv").read_text(encoding="utf-8").splitlines(), 1):
        fields = line.split("\t")
        if len(fields) != 6 or not all(fields):
            problems.append("line %d: six non-empty fields expected" % number)
            continue
        rows.append(fields)
    seen = set()
    for kind, number, name, place, keys, text in rows:
        if (kind, name) in seen:
            problems.append("%s %s is listed twice" % (kind, name))
        seen.add((kind, name))
        if ids.get(name) != int(number):
            problems.append("%s %s: the table says %s, the headers %s" % (kind, name, number, ids.get(name)))
    commands = {name for kind, _, name, *_ in rows if kind == "command"}
    strings = commands | {name for kind, _, name, *_ in rows if kind == "string"}
    for kind, _, name, _, _, text in rows:
        if kind == "toolbar" or (kind == "menu" and name not in ("IDR_MAINFRAME", "IDR_FOLIMARTYPE")):
            for token in text.split():
                if token not in ("-", "(", ")") and token not in commands:
                    problems.append("%s %s lists %s, which is no command of the table" % (kind, name, token))
    english = (folder / "Orvello_enu.rc").read_text(encoding="utf-8")
    for name in re.findall(r'^\s*MENUITEM\s+"(?:[^"]|"")*"\s*,\s*(\w+)', english, re.M):
        if name not in commands:
            problems.append("menu item %s is missing from the table" % name)
    for block in re.findall(r"^STRINGTABLE\s*\nBEGIN\n(.*?)^END", english, re.M | re.S):
        for name in re.findall(r'^\s*(\w+)\s+"', block, re.M):
            if name not in strings:
                problems.append("string %s is missing from the table" % name)
    return problems, "%d rows of the table agree with the headers and the English script" % len(rows)


def art_problems(root):
    problems, count = [], 0
    for program, generator in (("Orvello", "orvello_art.py"), ("Scrivel", "scrivel_art.py")):
        kept = root / "resources" / program / "res"
        with tempfile.TemporaryDirectory() as tmp:
            subprocess.run([sys.executable, str(root / "tools" / generator), tmp], check=True, stdout=subprocess.DEVNULL)
            drawn = {p.name: p.read_bytes() for p in Path(tmp).iterdir()}
        files = {p.name: p.read_bytes() for p in kept.iterdir()}
        only = sorted(set(drawn) ^ set(files))
        problems += ["%s: %s is only in %s" % (program, n, generator if n in drawn else "res") for n in only]
        problems += ["%s: %s differs from what %s draws" % (program, n, generator)
                     for n in sorted(set(drawn) & set(files)) if drawn[n] != files[n]]
        count += len(files)
    return problems, "%d pictures as the generators draw them" % count


def main():
    root = Path(sys.argv[1])
    failed = False
    for check in (table_problems, art_problems):
        problems, summary = check(root)
        for p in problems:
            print("FAIL " + p)
        if not problems:
            print("ok   " + summary)
        failed = failed or bool(problems)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
