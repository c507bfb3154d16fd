#!/bin/bash
# Runs the docking sample under Xvfb with Wine's X11 driver, photographs the screen and checks that
# each shown pane is where the program reports it: the middle and four inner points of each pane's
# client area (docked, tabbed, floating) and of the view show that window's own colour.
set -euo pipefail
exe=$1 prefix=$2
if [ ! -d "$prefix" ]; then
  echo "no X11 Wine prefix at $prefix (tools/setup --gui makes it)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mshtml=
source "$(dirname "$0")/screenshot_lib.sh"
photograph "$exe" "$work"
python3 - "$work/rects.txt" "$work/shot.ppm" "$(dirname "$0")" <<'PY'
import sys
sys.path.insert(0, sys.argv[3])
import screenshot_pixels
entries = [line.split() for line in open(sys.argv[1]) if line.strip()]
pixel = screenshot_pixels.load(sys.argv[2])
failures = []
names = [e[0] for e in entries]
for expected in ('forms', 'properties', 'floating', 'view'):
    if expected not in names:
        failures.append('no rectangle for %s' % expected)
for name, *values in entries:
    left, top, right, bottom, r, g, b = (int(v) for v in values)
    if right - left < 20 or bottom - top < 20:
        failures.append('%s is too small: %s' % (name, values[:4]))
        continue
    for fx, fy in ((1, 1), (1, 3), (3, 1), (3, 3), (2, 2)):
        x, y = left + (right - left) * fx // 4, top + (bottom - top) * fy // 4
        if pixel(x, y) != [r, g, b]:
            failures.append('%s at (%d,%d) is %s, expected %s' % (name, x, y, pixel(x, y), [r, g, b]))
for f in failures:
    print(f)
sys.exit(1 if failures else 0)
PY
