#!/bin/bash
# Runs the MDI sample program under Xvfb with Wine's X11 driver, photographs the screen and checks
# that the main frame, its MDI client and the two child frames are where the program reports them:
# each child's view must show its document's colour at its centre, inside the client, inside the
# frame. The picture stays in a temporary folder.
set -euo pipefail
exe=$1 prefix=$2 data=$3
source "$(dirname "$0")/screenshot_lib.sh"
use_display_prefix "$prefix"
for name in Alpha Beta; do
  python3 - "$data/$name.tdoc.hex" "$work/$name.tdoc" <<'PY'
import sys
out = bytearray()
for line in open(sys.argv[1]):
    if line.startswith('#') or not line.strip():
        continue
    out += bytes(int(v, 16) for v in line.split()[1:])
open(sys.argv[2], 'wb').write(out)
PY
done
photograph "$exe" "$work" "Z:$work/Alpha.tdoc" "Z:$work/Beta.tdoc"
python3 - "$work/rects.txt" "$work/shot.ppm" "$(dirname "$0")" <<'PY'
import sys
sys.path.insert(0, sys.argv[3])
import screenshot_pixels
rects, colours = {}, {}
for line in open(sys.argv[1]):
    parts = line.split()
    values = [int(v) for v in parts[1:]]
    (colours if parts[0].startswith('colour') else rects)[parts[0]] = values
pixel = screenshot_pixels.load(sys.argv[2])
def inside(inner, outer):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and inner[2] <= outer[2] and inner[3] <= outer[3]
failures = []
frame, client = rects['frame'], rects['mdiclient']
if not inside(client, frame):
    failures.append('MDI client %s outside the frame %s' % (client, frame))
for i in (0, 1):
    child, view = rects['child%d' % i], rects['view%d' % i]
    if not inside(child, client):
        failures.append('child %d %s outside the MDI client %s' % (i, child, client))
    if not inside(view, child):
        failures.append('view %d %s outside its child frame %s' % (i, view, child))
    cx, cy = (view[0] + view[2]) // 2, (view[1] + view[3]) // 2
    # The mark at (value, value) is small and near the top left; the centre shows the document's colour.
    if pixel(cx, cy) != colours['colour%d' % i]:
        failures.append('view %d centre (%d,%d) is %s, expected %s' % (i, cx, cy, pixel(cx, cy), colours['colour%d' % i]))
caption = pixel(frame[0] + 40, frame[1] + 8)
if caption == [0, 0, 0]:
    failures.append('no frame drawn at %s' % frame)
for f in failures:
    print(f)
sys.exit(1 if failures else 0)
PY
