#!/bin/bash
# Starts Orvello.exe through the probe on a real display (Xvfb, Wine's X11 driver), on a document of
# two pages whose first page shows a quadrant picture at zoom 2, photographs the screen and checks:
# the menu bar, the three tool bars, the database bar, the panes, the status bar and the MDI area
# where the frame put them; the caption; one tab per page; the view showing the page picture at the
# document's zoom pixel for pixel; and exit code 0 after WM_CLOSE.
set -euo pipefail
probe=$1 program=$2 prefix=$3
source "$(dirname "$0")/../framework/window/screenshot_lib.sh"
use_display_prefix "$prefix"
photograph "$probe" "$work" "Z:$program"
[ -s "$work/exit.txt" ] || { echo "the probe wrote no exit code"; exit 1; }
python3 - "$work/rects.txt" "$work/shot.ppm" "$work/exit.txt" "$(dirname "$0")/../framework/window" <<'PY'
import sys
sys.path.insert(0, sys.argv[4])
import screenshot_pixels
parts, info = {}, {}
for line in open(sys.argv[1], encoding='utf-8'):
    name, _, rest = line.rstrip('\n').partition(' ')
    values = rest.split()
    if name in ('caption',):
        info[name] = rest
    elif name in ('zoom', 'image', 'tabs'):
        info[name] = [int(v) for v in values]
    elif name:
        parts[name] = [int(v) for v in values]
pixel = screenshot_pixels.load(sys.argv[2])
failures = []
for name in ('frame', 'menubar', 'mainbar', 'drawingbar', 'imagebar', 'databasebar', 'statusbar', 'formspane',
             'mdiclient', 'view'):
    if name not in parts:
        failures.append('no visible %s' % name)
if failures:
    print('\n'.join(failures))
    sys.exit(1)

def inside(inner, outer):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2] and inner[3] <= outer[3]

frame, menu, client, status = parts['frame'], parts['menubar'], parts['mdiclient'], parts['statusbar']
for name, r in parts.items():
    if name != 'frame' and not inside(r, frame):
        failures.append('%s %s is outside the frame %s' % (name, r, frame))
if menu[3] > client[1]:
    failures.append('the menu bar %s is not above the MDI area %s' % (menu, client))
main = parts['mainbar']
if main[1] < menu[3] or main[3] > client[1]:
    failures.append('the main bar %s is not between the menu bar %s and the MDI area %s' % (main, menu, client))
for name in ('drawingbar', 'imagebar'):
    r = parts[name]
    if r[2] > client[0] or r[1] < main[3] or r[3] - r[1] <= r[2] - r[0]:
        failures.append('%s %s is not an upright bar left of the MDI area %s' % (name, r, client))
database = parts['databasebar']
if database[1] < client[3] or database[3] > status[1]:
    failures.append('the database bar %s is not between the MDI area %s and the status bar %s' % (database, client, status))
if status[1] < client[3] or status[3] < frame[3] - 20:
    failures.append('the status bar %s is not at the bottom of the frame %s' % (status, frame))
for name in ('formspane', 'shelfpane', 'propertiespane'):
    if name in parts and parts[name][0] < client[2]:
        failures.append('%s %s is not right of the MDI area %s' % (name, parts[name], client))
if 'shelfpane' not in parts and 'propertiespane' not in parts:
    failures.append('neither the shelf nor the properties pane shows')
view = parts['view']
if not inside(view, client):
    failures.append('the view %s is outside the MDI area %s' % (view, client))
if not info.get('caption', '').startswith('Vantry 2.78.3'):
    failures.append('the caption is %r' % info.get('caption'))
if 'quadrants' not in info.get('caption', ''):
    failures.append('the caption %r does not name the document' % info.get('caption'))
if info.get('tabs') != [2]:
    failures.append('page tabs: %s, expected 2' % info.get('tabs'))
# Bars are drawn: along each bar at least two colours.
for name in ('menubar', 'mainbar', 'drawingbar', 'databasebar', 'statusbar'):
    l, t, r, b = parts[name]
    if r - l > b - t:
        seen = {tuple(pixel(x, (t + b) // 2)) for x in range(l + 2, r - 2)}
    else:
        seen = {tuple(pixel((l + r) // 2, y)) for y in range(t + 2, b - 2)}
    if len(seen) < 2:
        failures.append('%s looks undrawn: colours %s' % (name, sorted(seen)))
# The page picture at the zoom, from the view's top left corner; white page beyond it. Pixels within
# one picture pixel of a quadrant's edge may be blended by the scaling and are left out.
zoom = info['zoom'][0]
width, height = info['image']
colours = ([255, 0, 0], [0, 255, 0], [0, 0, 255], [64, 64, 64])
wrong = []
checked = 0
for y in range(view[1], min(view[3], view[1] + height * zoom + 8)):
    for x in range(view[0], min(view[2], view[0] + width * zoom + 8)):
        px, py = (x - view[0]), (y - view[1])
        near = lambda v, edge: abs(v - edge) <= zoom
        if any(near(px, e) for e in (width * zoom // 2, width * zoom)) or any(near(py, e) for e in (height * zoom // 2, height * zoom)):
            continue
        if px < width * zoom and py < height * zoom:
            expected = colours[(0 if py < height * zoom // 2 else 2) + (0 if px < width * zoom // 2 else 1)]
        else:
            expected = [255, 255, 255]
        checked += 1
        if pixel(x, y) != expected:
            wrong.append((px, py, pixel(x, y), expected))
if checked < (width * zoom // 2) * (height * zoom // 2):
    failures.append('the view %s shows too little of the page: %d pixels' % (view, checked))
if wrong:
    failures.append('%d of %d view pixels differ from the page at zoom %d, first %s' % (len(wrong), checked, zoom, wrong[:5]))
code = open(sys.argv[3]).read().strip()
if code != '0':
    failures.append('exit code %s after WM_CLOSE' % code)
for f in failures:
    print(f)
sys.exit(1 if failures else 0)
PY
