#!/usr/bin/env python3
"""The last-used table that the library rewrites reads back with the host's sqlite3 tool: keys and
ids with quotes and non-ASCII text, one row per key, the choice made in the dialog, and the editor's
tables untouched."""
import subprocess
import sys
import tempfile
from pathlib import Path

wine_run, writer, dialog_run, script = sys.argv[1:5]
EDITOR_TABLES = "SELECT * FROM groups; SELECT * FROM profiles; SELECT * FROM fields;"


def sqlite(db, sql):
    return subprocess.run(["sqlite3", str(db), sql], check=True, capture_output=True,
                          text=True, encoding="utf-8").stdout


def fixture(folder, name):
    db = Path(folder) / name
    subprocess.run(["sqlite3", str(db)], input=Path(script).read_text(encoding="utf-8"),
                   check=True, text=True, encoding="utf-8")
    return db


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def run(args, what):
    result = subprocess.run([wine_run] + args, capture_output=True)
    if result.returncode != 0:
        sys.exit(f"{what} failed with {result.returncode}: {result.stderr!r}")


def last_used(db):
    return sqlite(db, "SELECT group_id, profile_id FROM Last_Used_Groups_Profiles;")


with tempfile.TemporaryDirectory() as folder:
    # The rewrite itself: rows in the order given.
    db = fixture(folder, "Профили 'q'.db")
    before = sqlite(db, EDITOR_TABLES)
    entries = [("-2", "12"), ("o'b", "-2"), ("3", "名前 'x'"), ("-3", "13")]
    run([writer, windows_path(db)] + [part for entry in entries for part in entry], "writer")
    expected = "".join(f"{key}|{value}\n" for key, value in entries)
    if last_used(db) != expected:
        sys.exit(f"last-used rows:\n{last_used(db)}expected:\n{expected}")
    if sqlite(db, EDITOR_TABLES) != before:
        sys.exit("the editor's tables changed")

    # The dialog: group "O'Brien & Co" (entry 3), its profile "x' OR '1'='1" (entry 2), "Fill".
    # The stored rows of the other keys stay (the later of two rows of one key wins).
    db = fixture(folder, "dialog.db")
    run([dialog_run, windows_path(db), "3", "2"], "dialog")
    rows = sorted(last_used(db).splitlines())
    if rows != sorted(["-2|12", "1|11", "o'b|14"]):
        sys.exit(f"last-used rows after the dialog: {rows}")
    if sqlite(db, EDITOR_TABLES) != before:
        sys.exit("the dialog changed the editor's tables")
print("last-used table as written")
