#!/bin/sh
# Makes the page-edit fixtures with ImageMagick: a 61 x 41 page of random colours at 96 dpi, and
# ImageMagick's own rotations and crop of it, which the page edits must match pixel for pixel.
set -e
cd "$(dirname "$0")"
convert -size 61x41 xc: +noise Random -density 96 -units PixelsPerInch PNG24:page.png
for angle in 90 180 270; do convert page.png -rotate $angle PNG24:page_rotate$angle.png; done
convert page.png -crop 20x15+9+6 +repage PNG24:page_crop_20x15+9+6.png
