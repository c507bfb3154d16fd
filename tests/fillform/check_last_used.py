#!/usr/bin/env python3
"""The last-used table that the library rewrites reads back unchanged with the host's sqlite3 tool:
keys and ids with quotes and non-ASCII text, one row per key, and the editor's tables untouched."""
import subprocess
import sys
import tempfile
from pathlib import Path

wine_run, writer, script = sys.argv[1:4]


def sqlite(db, sql):
    return subprocess.run(["sqlite3", str(db), sql], check=True, capture_output=True,
                          text=True, encoding="utf-8").stdout


with tempfile.TemporaryDirectory() as folder:
    db = Path(folder) / "Профили 'q'.db"
    subprocess.run(["sqlite3", str(db)], input=Path(script).read_text(encoding="utf-8"),
                   check=True, text=True, encoding="utf-8")
    tables_before = sqlite(db, "SELECT * FROM groups; SELECT * FROM profiles; SELECT * FROM fields;")
    entries = [("-2", "12"), ("o'b", "-2"), ("3", "名前 'x'"), ("-3", "13")]
    args = [wine_run, writer, "Z:" + str(db).replace("/", "\\")]
    for key, value in entries:
        args += [key, value]
    result = subprocess.run(args, capture_output=True)
    if result.returncode != 0:
        sys.exit(f"writer failed with {result.returncode}: {result.stderr!r}")
    rows = sqlite(db, "SELECT group_id, profile_id FROM Last_Used_Groups_Profiles;")
    expected = "".join(f"{key}|{value}\n" for key, value in entries)
    if rows != expected:
        sys.exit(f"last-used rows:\n{rows}expected:\n{expected}")
    if sqlite(db, "SELECT * FROM groups; SELECT * FROM profiles; SELECT * FROM fields;") != tables_before:
        sys.exit("the editor's tables changed")
print("last-used table as written")
