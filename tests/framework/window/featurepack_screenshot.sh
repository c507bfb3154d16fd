#!/bin/bash
# Runs the feature-pack sample under Xvfb with Wine's X11 driver, photographs the screen and checks
# that every part is where the frame put it: the bars inside the frame, one above another over the
# MDI area, the status bar below it; the panes, the floating pane and the active document showing
# their own colours at five inner points; the property grid inside its pane; and that the bars are
# drawn, and the rest of a bar row shows the bar face.
set -euo pipefail
exe=$1 prefix=$2
source "$(dirname "$0")/screenshot_lib.sh"
use_display_prefix "$prefix"
photograph "$exe" "$work"
python3 - "$work/rects.txt" "$work/shot.ppm" "$(dirname "$0")" <<'PY'
import sys
sys.path.insert(0, sys.argv[3])
import screenshot_pixels
parts = {}
for line in open(sys.argv[1]):
    if line.strip():
        name, *values = line.split()
        parts[name] = [int(v) for v in values]
pixel = screenshot_pixels.load(sys.argv[2])
failures = []
expected = ('frame', 'menubar', 'mainbar', 'toolsbar', 'statusbar', 'mdiclient', 'forms', 'grid', 'floating', 'document')
for name in expected:
    if name not in parts:
        failures.append('no rectangle for %s' % name)
if failures:
    print('\n'.join(failures))
    sys.exit(1)

def rect(name):
    return parts[name][:4]

def inside(inner, outer):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2] and inner[3] <= outer[3]

frame = rect('frame')
for name in ('menubar', 'mainbar', 'toolsbar', 'statusbar', 'mdiclient', 'forms', 'grid', 'document'):
    if not inside(rect(name), frame):
        failures.append('%s %s is outside the frame %s' % (name, rect(name), frame))
# The menu bar on top, the tool bars below it, all above the MDI area; the status bar below it.
menu, client, status = rect('menubar'), rect('mdiclient'), rect('statusbar')
for bar in ('mainbar', 'toolsbar'):
    if rect(bar)[1] < menu[3]:
        failures.append('%s %s is not below the menu bar %s' % (bar, rect(bar), menu))
    if rect(bar)[3] > client[1]:
        failures.append('%s %s reaches into the MDI area %s' % (bar, rect(bar), client))
if status[1] < client[3]:
    failures.append('the status bar %s is not below the MDI area %s' % (status, client))
if not inside(rect('document'), client):
    failures.append('the document %s is outside the MDI area %s' % (rect('document'), client))
# Coloured parts show their colour.
for name in ('forms', 'floating', 'document'):
    left, top, right, bottom, r, g, b = parts[name]
    if right - left < 20 or bottom - top < 20:
        failures.append('%s is too small: %s' % (name, rect(name)))
        continue
    for fx, fy in ((1, 1), (1, 3), (3, 1), (3, 3), (2, 2)):
        x, y = left + (right - left) * fx // 4, top + (bottom - top) * fy // 4
        if pixel(x, y) != [r, g, b]:
            failures.append('%s at (%d,%d) is %s, expected %s' % (name, x, y, pixel(x, y), [r, g, b]))
if rect('grid')[2] - rect('grid')[0] < 50:
    failures.append('the property grid is too narrow: %s' % rect('grid'))
# Bars are drawn: along each bar there are at least two colours, none of them black.
for name in ('menubar', 'mainbar', 'toolsbar', 'statusbar'):
    left, top, right, bottom = rect(name)
    y = (top + bottom) // 2
    seen = {tuple(pixel(x, y)) for x in range(left + 2, right - 2, 3)}
    if len(seen) < 2 or (0, 0, 0) in seen and len(seen) < 3:
        failures.append('%s looks undrawn: colours %s' % (name, sorted(seen)[:5]))
# The rest of a bar row shows the look's bar face, not the window colour.
gap = (rect('menubar')[2] - 6, (rect('mainbar')[1] + rect('mainbar')[3]) // 2)
if rect('mainbar')[2] < gap[0] and pixel(*gap) == [255, 255, 255]:
    failures.append('the bar row beside the main bar is white at %s' % (gap,))
for f in failures:
    print(f)
sys.exit(1 if failures else 0)
PY
