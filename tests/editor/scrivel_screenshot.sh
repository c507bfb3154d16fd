#!/bin/bash
# Starts the editor's frame under Xvfb with Wine's X11 driver, photographs the screen and finds its
# parts there: the menu bar with the File, Edit, View, Format and Help menus, each menu's caption
# drawn inside the bar from left to right; the tool bar below the menu bar and above the text; the
# status bar below the text; all inside the frame, and each bar drawn (more than one colour along it).
set -euo pipefail
exe=$1 prefix=$2 pixels=$3
if [ ! -d "$prefix" ]; then
  echo "no X11 Wine prefix at $prefix (tools/setup --gui makes it)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mshtml=
source "$pixels/screenshot_lib.sh"
photograph "$exe" "$work"
python3 - "$work/rects.txt" "$work/shot.ppm" "$pixels" <<'PY'
import sys
sys.path.insert(0, sys.argv[3])
import screenshot_pixels
parts, menus = {}, []
for line in open(sys.argv[1], encoding='utf-8', errors='replace'):
    fields = line.split()
    if not fields:
        continue
    if fields[0] == 'menu':
        menus.append(([int(v) for v in fields[1:5]], ' '.join(fields[5:])))
    else:
        parts[fields[0]] = [int(v) for v in fields[1:5]]
pixel = screenshot_pixels.load(sys.argv[2])
failures = []
for name in ('frame', 'menubar', 'toolbar', 'statusbar', 'view'):
    if name not in parts:
        failures.append('no rectangle for %s' % name)
if failures:
    print('\n'.join(failures))
    sys.exit(1)

def inside(inner, outer):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2] and inner[3] <= outer[3]

def colours(rect, y=None):
    left, top, right, bottom = rect
    rows = [y] if y is not None else range(top + 1, bottom - 1)
    return {tuple(pixel(x, row)) for row in rows for x in range(left + 1, right - 1)}

frame, menubar, toolbar, status, view = (parts[n] for n in ('frame', 'menubar', 'toolbar', 'statusbar', 'view'))
for name in ('menubar', 'toolbar', 'statusbar', 'view'):
    if not inside(parts[name], frame):
        failures.append('%s %s is outside the frame %s' % (name, parts[name], frame))
if toolbar[1] < menubar[3]:
    failures.append('the tool bar %s is not below the menu bar %s' % (toolbar, menubar))
if view[1] < toolbar[3]:
    failures.append('the text %s is not below the tool bar %s' % (view, toolbar))
if status[1] < view[3]:
    failures.append('the status bar %s is not below the text %s' % (status, view))
# The menus, in order, each a drawn caption inside the menu bar.
names = [text for _, text in menus]
if names != ['&File', '&Edit', '&View', 'F&ormat', '&Help']:
    failures.append('the menu bar holds %s' % names)
previous = None
for rect, text in menus:
    if not inside(rect, menubar):
        failures.append('menu %s %s is outside the menu bar %s' % (text, rect, menubar))
        continue
    if previous and rect[0] < previous[2]:
        failures.append('menu %s %s is not right of the one before %s' % (text, rect, previous))
    previous = rect
    seen = colours(rect)
    if len(seen) < 2:
        failures.append('menu %s shows no caption: colours %s' % (text, sorted(seen)[:3]))
# The bars are drawn: along the middle of each there is more than one colour.
for name in ('menubar', 'toolbar', 'statusbar'):
    rect = parts[name]
    seen = colours(rect, (rect[1] + rect[3]) // 2)
    if len(seen) < 2:
        failures.append('%s looks undrawn: colours %s' % (name, sorted(seen)[:3]))
for f in failures:
    print(f)
sys.exit(1 if failures else 0)
PY
