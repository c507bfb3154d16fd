#!/usr/bin/env python3
"""Reads back every Aztec symbol our encoder draws with an independent reader (zxing-cpp) and
compares the decoded bytes with the input.

usage: decode_symbols.py WINE_RUNNER AztecDump.exe
"""
import random
import struct
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

import numpy
import zxingcpp

RUNNER, DUMP = sys.argv[1], sys.argv[2]

COMPACT_SIZES = [15 + 4 * i for i in range(4)]
FULL_SIZES = []
for layers in range(1, 33):
    base = 14 + 4 * layers
    FULL_SIZES.append(base + 1 + 2 * ((base // 2 - 1) // 15))
# Full-range symbols of 1 to 3 layers hold less than the compact ones of the same side, so the
# encoder never chooses them; the forced shapes below still draw and read them.
CHOSEN_SIZES = COMPACT_SIZES + FULL_SIZES[3:]
TOO_LARGE = 2  # aztec::kDataTooLarge

DEFAULT_TEMPLATE = (
    '<?xml version="1.0" encoding="windows-1251"?>'
    '<bar2 xmlns="http://www.vantry.example/barcode2" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"'
    ' xsi:noNamespaceSchemaLocation="Barcode2_01.xsd"><parlist>'
    '<par fld_code="FLD8">FullName</par><par fld_code="ADRES">Address</par>'
    '<par fld_code="FLD7">Price</par><par fld_code="FLD24">Subject</par></parlist></bar2>')


def cp1251(text):
    """The barcode's byte string: the text in code page 1251 with its terminating zero."""
    return text.encode('cp1251') + b'\0'


def run_dump(lines):
    """Runs the dump program over (shape, bytes) lines; returns (status, size, rows) per line."""
    stdin = ''.join(f'{shape} {data.hex()}\n' for shape, data in lines).encode()
    done = subprocess.run([RUNNER, DUMP], input=stdin, capture_output=True, timeout=500)
    if done.returncode != 0:
        sys.exit(f'AztecDump failed ({done.returncode}): {done.stderr.decode(errors="replace")}')
    out = done.stdout.decode().split('\n')
    results, at = [], 0
    for shape, _ in lines:
        status, size = map(int, out[at].split())
        at += 1
        rows = []
        if shape != 'size':
            rows = out[at:at + size]
            at += size
        results.append((status, size, rows))
    return results


def render(rows):
    """The symbol 3 pixels a module with a 4-module light margin, as 8-bit grey."""
    size, margin, scale = len(rows), 4, 3
    dark = numpy.array([[ch == 'X' for ch in row] for row in rows], dtype=bool)
    image = numpy.full((size + 2 * margin, size + 2 * margin), 255, dtype=numpy.uint8)
    image[margin:margin + size, margin:margin + size][dark] = 0
    return numpy.kron(image, numpy.ones((scale, scale), dtype=numpy.uint8))


def decode(image):
    """The bytes zxing-cpp reads from the image, or None."""
    result = zxingcpp.read_barcode(image, formats=zxingcpp.BarcodeFormat.Aztec)
    return None if result is None or not result.valid else result.bytes


def write_png(path, image):
    """Keeps a symbol that did not read back, for a look with any image viewer."""
    height, width = image.shape
    raw = b''.join(b'\0' + image[y].tobytes() for y in range(height))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    Path(path).write_bytes(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 0, 0, 0, 0))
                           + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


def alphabets():
    """Prefix-closed inputs of each kind: input[:n] is the input of length n."""
    rng = random.Random(24778)
    yield 'binary', bytes(rng.randrange(256) for _ in range(2100))
    yield 'digits', bytes(rng.choice(b'0123456789') for _ in range(4000))
    yield 'capitals', bytes(rng.choice(b'ABCDEFGHIJKLMNOPQRSTUVWXYZ') for _ in range(3200))
    yield 'text', bytes(rng.choice(b'Lorem ipsum, dolor: sit AMET 2024.\r\n') for _ in range(3500))
    russian = 'Съешь же ещё этих мягких французских булок, да выпей чаю. № 1 234,56 руб.\r\n'
    yield 'cp1251', (russian * 40).encode('cp1251')


def boundaries(name, data, failures):
    """Lengths on both sides of every change of symbol size, and of the largest symbol's limit."""
    coarse = list(range(1, len(data) + 1, 16))
    sizes = dict(zip(coarse, (s if st == 0 else 0 for st, s, _ in run_dump([('size', data[:n]) for n in coarse]))))
    fine = []
    for a, b in zip(coarse, coarse[1:]):
        if sizes[a] != sizes[b]:
            fine.extend(range(a + 1, b))
    sizes.update(zip(fine, (s if st == 0 else 0 for st, s, _ in run_dump([('size', data[:n]) for n in fine]))))
    lengths = sorted(sizes)
    picked, seen = [], [sizes[lengths[0]]]
    for a, b in zip(lengths, lengths[1:]):
        if sizes[a] != sizes[b]:
            picked += [a, b]
            seen.append(sizes[b])
    if seen[-1] != 0:
        failures.append(f'{name}: {len(data)} bytes still fit; extend the input to reach the limit')
    if sizes[lengths[-1]] != 0 or 0 in seen[:-1]:
        failures.append(f'{name}: sizes {seen}: fitting is not monotonic in the length')
    if any(b <= a for a, b in zip(seen, seen[1:-1])):
        failures.append(f'{name}: sizes {seen} do not grow')
    if name == 'binary' and seen[:-1] != CHOSEN_SIZES:
        failures.append(f'binary: sizes {seen[:-1]}, expected every symbol size {CHOSEN_SIZES}')
    print(f'{name}: {len(seen) - 1} sizes, the largest holds {max(n for n in sizes if sizes[n])} bytes')
    return [(f'{name} {n}', 'auto', data[:n]) for n in picked if sizes[n]] + \
        [(f'{name} {n} (too large)', 'auto', data[:n]) for n in picked if not sizes[n]]


def main():
    failures = []
    cases = [
        ('all 256 byte values', 'auto', bytes(range(256))),
        ('all 256 byte values backwards', 'auto', bytes(range(255, -1, -1))),
        ('default template', 'auto', cp1251(DEFAULT_TEMPLATE)),
        ('filled template', 'auto', cp1251(DEFAULT_TEMPLATE.replace('FullName', 'Иванова Мария Петровна')
                                           .replace('Address', '191186, г. Санкт-Петербург, Невский пр., д. 28')
                                           .replace('Price', '1 250,00 руб.')
                                           .replace('Subject', 'Оплата «курсов» — 2-й этап'))),
        ('cp1251 name', 'auto', cp1251('Иванов Иван Иванович')),
        ('cp1251 every letter', 'auto', cp1251('АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя')),
        ('cp1251 signs', 'auto', cp1251('№ 5 — «кавычки» … €100 ‰ ±§©®')),
        ('zero only', 'auto', b'\0'),
    ]
    # Every byte value alone and between letters, so each takes its own path through the modes.
    # zxing-cpp takes a leading 0x1D (GS) for the GS1 flag and drops it (a second encoder's symbol
    # of GS NUL reads the same), so that byte alone starts after a letter.
    cases += [(f'byte {b:#04x}', 'auto', (b'x' if b == 0x1D else b'') + bytes([b]) + b'\0') for b in range(256)]
    cases += [(f'byte {b:#04x} in text', 'auto', b'ab' + bytes([b]) + b'CD') for b in range(256)]
    for name, data in alphabets():
        cases += boundaries(name, data, failures)
    cases += [(f'forced C{n}', f'C{n}', b'Forced shape 1') for n in range(1, 5)]
    cases += [(f'forced F{n}', f'F{n}', b'Forced shape 2') for n in range(1, 33)]

    results = run_dump([(shape, data) for _, shape, data in cases])
    checked = 0
    for (name, shape, data), (status, size, rows) in zip(cases, results):
        if name.endswith('(too large)'):
            # Refused with its own code, nothing drawn.
            if status != TOO_LARGE or size != 0:
                failures.append(f'{name}: status {status}, size {size}')
            continue
        if status != 0:
            failures.append(f'{name}: status {status}')
            continue
        if shape != 'auto':
            expected = (COMPACT_SIZES if shape[0] == 'C' else FULL_SIZES)[int(shape[1:]) - 1]
            if size != expected:
                failures.append(f'{name}: {size} modules a side, expected {expected}')
        image = render(rows)
        decoded = decode(image)
        checked += 1
        if decoded != data:
            shown = 'nothing' if decoded is None else f'{len(decoded)} bytes'
            kept = Path(tempfile.gettempdir(), 'aztec-' + name.replace(' ', '-') + '.png')
            write_png(kept, image)
            failures.append(f'{name} ({size} x {size}): read {shown}, expected {len(data)} bytes; symbol in {kept}')

    print(f'{checked} symbols read back, {len(failures)} failures')
    for failure in failures:
        print('FAIL', failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
