#!/usr/bin/env python3
"""Checks the kind of each deliverable from its own PE headers: machine, 32/64-bit, GUI or DLL, exports."""
import struct
import sys
from pathlib import Path

I386, AMD64 = 0x14C, 0x8664
PE32, PE32PLUS = 0x10B, 0x20B
GUI = 2
DLL_FLAG = 0x2000


def parse(path):
    data = Path(path).read_bytes()
    assert data[:2] == b"MZ", f"{path}: no MZ header"
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", f"{path}: no PE signature"
    machine, sections, _, _, _, opt_size, flags = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    subsystem = struct.unpack_from("<H", data, opt + 68)[0]
    dirs = opt + (96 if magic == PE32 else 112)
    export_rva = struct.unpack_from("<I", data, dirs)[0]
    section_table = opt + opt_size
    rows = [struct.unpack_from("<8sIIII", data, section_table + 40 * i) for i in range(sections)]

    def offset(rva):
        for _, vsize, vaddr, rsize, raw in rows:
            if vaddr <= rva < vaddr + max(vsize, rsize):
                return rva - vaddr + raw
        raise ValueError(f"rva {rva:#x} outside every section")

    exports = []
    if export_rva:
        e = offset(export_rva)
        count, names_rva = struct.unpack_from("<I", data, e + 24)[0], struct.unpack_from("<I", data, e + 32)[0]
        for i in range(count):
            name_off = offset(struct.unpack_from("<I", data, offset(names_rva) + 4 * i)[0])
            exports.append(data[name_off:data.index(b"\0", name_off)].decode())
    return dict(machine=machine, magic=magic, subsystem=subsystem, dll=bool(flags & DLL_FLAG), exports=exports)


def check(path, machine, magic, dll, subsystem=None, exports=None, export_part=None):
    info = parse(path)
    problems = []
    if info["machine"] != machine:
        problems.append(f"machine {info['machine']:#x}, expected {machine:#x}")
    if info["magic"] != magic:
        problems.append(f"optional header {info['magic']:#x}, expected {magic:#x}")
    if info["dll"] != dll:
        problems.append("DLL flag " + ("set" if info["dll"] else "missing"))
    if subsystem is not None and info["subsystem"] != subsystem:
        problems.append(f"subsystem {info['subsystem']}, expected {subsystem}")
    if exports is not None and sorted(info["exports"]) != sorted(exports):
        problems.append(f"exports {info['exports']}, expected exactly {exports}")
    if export_part is not None and not any(export_part in name for name in info["exports"]):
        problems.append(f"no export containing {export_part}")
    print(("FAIL " if problems else "ok   ") + str(path) + ("" if not problems else ": " + "; ".join(problems)))
    return not problems


def main():
    bin32, bin64 = Path(sys.argv[1]), Path(sys.argv[2])
    results = [
        check(bin32 / "Orvello.exe", I386, PE32, False, subsystem=GUI),
        check(bin32 / "Scrivel.exe", I386, PE32, False, subsystem=GUI),
        check(bin32 / "Quillet.dll", I386, PE32, True, export_part="CFillForm"),
        check(bin64 / "Drovemark.dll", AMD64, PE32PLUS, True, exports=["DllCanUnloadNow", "DllGetClassObject"]),
    ]
    sys.exit(0 if all(results) else 1)


if __name__ == "__main__":
    main()
