#!/bin/bash
# Runs the docking sample under Xvfb with Wine's X11 driver, photographs the screen and checks that
# each shown pane is where the program reports it: the centre of each pane's client area (docked,
# tabbed, floating) and of the view shows that window's own colour. The picture stays in a
# temporary folder.
set -euo pipefail
exe=$1 prefix=$2
if [ ! -d "$prefix" ]; then
  echo "no X11 Wine prefix at $prefix (tools/setup --gui makes it)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mshtml=
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -e
  work=$1 exe=$2
  /usr/lib/wine/wine64 "$exe" /rects "Z:$work/rects.txt" /quit "Z:$work/quit" &
  program=$!
  for _ in $(seq 1 600); do [ -s "$work/rects.txt" ] && break; sleep 0.1; done
  sleep 1
  import -window root "$work/shot.png"
  touch "$work/quit"
  wait $program
' _ "$work" "$exe"

[ -s "$work/rects.txt" ] || { echo "the program reported no panes"; exit 1; }
convert "$work/shot.png" "$work/shot.ppm"
python3 - "$work/rects.txt" "$work/shot.ppm" <<'PY'
import sys
entries = [line.split() for line in open(sys.argv[1]) if line.strip()]
data = open(sys.argv[2], 'rb').read()
header = data.split(b'\n', 3)
width, height = (int(v) for v in header[1].split())
pixels = header[3]
def pixel(x, y):
    at = (y * width + x) * 3
    return list(pixels[at:at + 3])
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
