#!/usr/bin/env python3
"""Encode time of our Aztec encoder (AztecBench.exe under Wine) beside Debian's zint making the
same symbols (23 % error correction, the same bytes). A benchmark that prints figures, not a test.

usage: bench_vs_zint.py AztecBench.exe   (from the checkout: tools/wine-run is used to start it)
"""
import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

RUNNER = Path(__file__).resolve().parents[2] / 'tools' / 'wine-run'
TEXT = 'Invoice 2024-117: 3 x Paper A4, 1 250,00; Ivanova M.P., Nevsky 28. '
SIZES = [100, 1500]
BATCH = 200  # symbols per zint run, so its process start is shared


def payload(size):
    return (TEXT * (size // len(TEXT) + 1))[:size]



def time_zint(data):
    """Seconds per symbol: one process making BATCH symbols (--batch), and one process per symbol."""
    with tempfile.TemporaryDirectory() as folder:
        lines = Path(folder, 'in.txt')
        lines.write_text((data + '\n') * BATCH)
        start = time.perf_counter()
        subprocess.run(['zint', '-b', '92', '--secure=2', '--batch', '--dump', '-i', str(lines)],
                       check=True, stdout=subprocess.DEVNULL)
        batch = (time.perf_counter() - start) / BATCH
        runs = 20
        start = time.perf_counter()
        for _ in range(runs):
            subprocess.run(['zint', '-b', '92', '--secure=2', '--dump', '-d', data], check=True, stdout=subprocess.DEVNULL)
        single = (time.perf_counter() - start) / runs
    return batch, single


def main():
    bench = sys.argv[1]
    stdin = ''.join(payload(size) + '\n' for size in SIZES)
    out = subprocess.run([str(RUNNER), bench], input=stdin, capture_output=True, text=True, check=True,
                         env=dict(os.environ, WINEDEBUG='-all')).stdout.split('\n')
    print(f'{"bytes":>6} {"ours: side":>10} {"us/symbol":>10}   {"zint: side":>10} {"us/symbol":>10} {"us/process":>11}')
    for size, line in zip(SIZES, out):
        _, side, micros, _ = line.split()
        batch, single = time_zint(payload(size))
        dump = subprocess.run(['zint', '-b', '92', '--secure=2', '--dump', '-d', payload(size)],
                              check=True, capture_output=True, text=True).stdout.strip().split('\n')
        print(f'{size:>6} {side:>10} {float(micros):>10.1f}   {len(dump):>10} {batch * 1e6:>10.1f} {single * 1e6:>11.1f}')
    print('ours: generate_aztec in a loop under Wine (64-bit, optimised -O2 in every build type);')
    print(f'zint: us/symbol = one zint process making {BATCH} symbols (--batch --dump), us/process = one zint run per symbol.')


if __name__ == '__main__':
    main()
