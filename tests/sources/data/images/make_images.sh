#!/bin/bash
# Makes the page-image fixtures of the document tests, and ImageMagick's reading of each page beside
# it: <file>.<page>.rgb (8-bit RGB rows, top first) and <file>.txt (one "width height xdpi ydpi" line a
# page). Run from this folder; check_images.py compares the stored readings with ImageMagick again.
set -euo pipefail
IM=/usr/bin/convert
# A Letter page at 4 dots per inch (34 x 44) and an A4 landscape page (47 x 33): colour blocks and a
# ramp, so that rows, columns and channels cannot be mixed up unseen.
"$IM" -size 34x44 xc:white -fill red -draw "rectangle 0,0 16,21" -fill '#00C000' -draw "rectangle 17,0 33,21" \
  -fill blue -draw "rectangle 0,22 16,43" \( -size 17x22 gradient:black-yellow \) -geometry +17+22 -composite \
  -depth 8 -type TrueColor letter.ppm
"$IM" -size 47x33 gradient:cyan-magenta -fill black -draw "rectangle 5,5 12,27" -depth 8 -type TrueColor a4wide.ppm
"$IM" letter.ppm -threshold 50% -type Bilevel letter_bw.pbm
"$IM" a4wide.ppm -threshold 50% -type Bilevel a4wide_bw.pbm

"$IM" letter.ppm -units PixelsPerInch -density 4 letter.png
"$IM" letter.ppm -strip letter_nodpi.png
"$IM" letter.ppm -units PixelsPerInch -density 4 -quality 90 letter.jpg
"$IM" letter.ppm -units PixelsPerInch -density 4 BMP3:letter.bmp
"$IM" letter.ppm -colors 64 letter.gif
"$IM" letter.ppm -units PixelsPerInch -density 4 letter.pcx
# RLE is PackBits in TIFF, Fax is CCITT group 3.
for c in None RLE LZW Zip; do
  lower=$(echo "$c" | tr 'A-Z' 'a-z')
  "$IM" letter.ppm -units PixelsPerInch -density 4 -compress "$c" "letter_$lower.tif"
  "$IM" letter.ppm a4wide.ppm letter.ppm -units PixelsPerInch -density 4 -compress "$c" "pages_$lower.tif"
done
for c in Fax Group4; do
  lower=$(echo "$c" | tr 'A-Z' 'a-z')
  "$IM" letter_bw.pbm a4wide_bw.pbm -units PixelsPerInch -density 4 -compress "$c" "pages_$lower.tif"
done
rm -f letter.ppm a4wide.ppm letter_bw.pbm a4wide_bw.pbm

for f in *.png *.jpg *.bmp *.gif *.pcx *.tif; do
  : > "$f.txt"
  pages=$(identify -format "%n\n" "$f" | head -1)
  for ((p = 0; p < pages; p++)); do
    identify -units PixelsPerInch -format "%w %h %x %y\n" "$f[$p]" | sed 's/ PixelsPerInch//g' >> "$f.txt"
    "$IM" "$f[$p]" -depth 8 -type TrueColor -colorspace sRGB "rgb:$f.$p.rgb"
  done
done
