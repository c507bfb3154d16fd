#!/usr/bin/env python3
"""Reads the printed barcode back with an independent reader (zxing-cpp) and compares the decoded
bytes with what the barcode encoded (code page 1251 with its terminating zero).

usage: check_barcode_symbol.py FOLDER
"""
import sys
from pathlib import Path

import numpy
import zxingcpp

folder = Path(sys.argv[1])
data = (folder / 'barcode.pgm').read_bytes()
header, rest = data.split(b'\n', 1)
size, rest = rest.split(b'\n', 1)
_, pixels = rest.split(b'\n', 1)
width, height = (int(v) for v in size.split())
image = numpy.frombuffer(pixels, dtype=numpy.uint8).reshape(height, width)
result = zxingcpp.read_barcode(image, formats=zxingcpp.BarcodeFormat.Aztec)
expected = (folder / 'expected.bin').read_bytes()
if result is None or not result.valid:
    sys.exit('no Aztec symbol read from the printed barcode')
if result.bytes != expected:
    sys.exit(f'decoded {result.bytes!r}, expected {expected!r}')
if not expected.endswith(b'\0') or b'\xc8\xe2\xe0\xed' not in expected:
    sys.exit(f'the encoded bytes are not the code page 1251 text with its zero: {expected!r}')
print('decoded', len(expected), 'bytes')
