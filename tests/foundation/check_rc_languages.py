#!/usr/bin/env python3
"""The language scripts of one deliverable must declare the same resources, dialog controls and strings,
so that no translation can lose a control or a string."""
import re
import sys
from collections import defaultdict
from pathlib import Path

RESOURCE = re.compile(r"^\s*(\w+)\s+(DIALOGEX|DIALOG|MENU|MENUEX|ACCELERATORS|TOOLBAR|BITMAP|ICON|CURSOR)\b")
BLOCK_START = re.compile(r"^\s*(BEGIN|\{)\s*$")
BLOCK_END = re.compile(r"^\s*(END|\})\s*$")
STRING_ENTRY = re.compile(r"^\s*(\w+)\s*,?\s*\"")
CONTROL_ID = re.compile(r"^\s*(?:CONTROL\s+\"(?:[^\"]|\"\")*\"\s*,\s*|(?:[A-Z]+TEXT|PUSHBUTTON|DEFPUSHBUTTON|EDITTEXT|COMBOBOX|LISTBOX|GROUPBOX|CHECKBOX|AUTOCHECKBOX|RADIOBUTTON|AUTORADIOBUTTON|SCROLLBAR|ICON)\s+(?:\"(?:[^\"]|\"\")*\"\s*,\s*)?)(\w+)")
MENU_ITEM = re.compile(r"^\s*MENUITEM\s+\"(?:[^\"]|\"\")*\"\s*,\s*(\w+)")


def declarations(path):
    found = set()
    context, depth = None, 0
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        line = line.split("//")[0]
        if depth == 0:
            m = RESOURCE.match(line)
            if m:
                context = f"{m.group(2)} {m.group(1)}"
                found.add(context)
                continue
            if re.match(r"^\s*STRINGTABLE\b", line):
                context = "STRINGTABLE"
                continue
        if BLOCK_START.match(line):
            depth += 1
            continue
        if BLOCK_END.match(line):
            depth -= 1
            if depth == 0:
                context = None
            continue
        if depth and context == "STRINGTABLE":
            m = STRING_ENTRY.match(line)
            if m:
                found.add(f"string {m.group(1)}")
        elif depth and context:
            m = CONTROL_ID.match(line) or MENU_ITEM.match(line)
            if m and m.group(1) not in ("IDC_STATIC", "-1"):
                found.add(f"{context} / {m.group(1)}")
    return found


def main():
    root = Path(sys.argv[1])
    ok = True
    for folder in sorted(p for p in root.iterdir() if p.is_dir()):
        scripts = defaultdict(set)
        for rc in sorted(folder.glob("*_*.rc")):
            scripts[rc.name] = declarations(rc)
        if len(scripts) < 2:
            continue
        union = set().union(*scripts.values())
        for name, found in scripts.items():
            missing = sorted(union - found)
            if missing:
                ok = False
                print(f"FAIL {folder.name}/{name} lacks: " + ", ".join(missing))
        if ok:
            print(f"ok   {folder.name}: {len(scripts)} languages, {len(union)} declarations each")
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
