#!/usr/bin/python3
"""Runs the database import and export benchmark beside the SQLite shell on the same table.

usage: run_benchmark.py BUILD_TREE [ROWS]     (for example build/x86_64 100000)
The benchmark program imports ROWS rows of ten columns into a form through the wizard and the ODBC
driver and exports them into an empty table. The SQLite shell then dumps the same table as SQL text
and loads that dump into a new file. Prints rows per second of each and the ratios ours / shell, and
checks with the shell that the export wrote every row back as it was. The run has a driver list of its own (made
by unixODBC's installer in a temporary folder) whose default data source is a file of the run, so the
tests' data source is left alone.
"""
import os
import subprocess
import sys
import tempfile
import time

SQLITE3 = "/usr/bin/sqlite3"


def timed(args, **kwargs):
    start = time.perf_counter()
    subprocess.run(args, check=True, **kwargs)
    return time.perf_counter() - start


def main():
    tree = os.path.abspath(sys.argv[1])
    rows = sys.argv[2] if len(sys.argv) > 2 else "100000"
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    root = os.path.dirname(os.path.dirname(root))
    env = dict(os.environ)
    env.setdefault("WINEPREFIX", os.path.join(os.path.dirname(tree), "wine"))
    env.setdefault("WINEDEBUG", "-all")
    work = tempfile.mkdtemp()
    database = os.path.join(work, "bench.db")
    env["ODBCSYSINI"] = work
    subprocess.run(["odbcinst", "-i", "-d", "-f", os.path.join(root, "tools", "odbc", "sqlite3-driver.ini")],
                   env=env, check=True, capture_output=True)
    dsn = os.path.join(work, "default-dsn.ini")
    with open(dsn, "w") as out:
        out.write("[Default]\nDriver=SQLite3\nDatabase=%s\n" % database)
    open(os.path.join(work, "odbc.ini"), "w").close()  # the installer adds data sources only to a list that exists
    subprocess.run(["odbcinst", "-i", "-s", "-l", "-f", dsn], env=env, check=True, capture_output=True)
    env["VANTRY_BENCH_ROWS"] = rows
    env["VANTRY_BENCH_DATABASE"] = database
    program = os.path.join(tree, "bin", "DBImportBenchmark.exe")
    result = subprocess.run([os.path.join(root, "tools", "wine-run"), program], cwd=os.path.join(tree, "bin"),
                            env=env, capture_output=True, text=True)
    ours = {}
    for line in result.stdout.splitlines():
        parts = line.split()
        if len(parts) == 2 and not line.startswith("["):
            ours[parts[0]] = parts[1]
    if result.returncode != 0 or ours.get("database") != database:
        print("the benchmark program failed:", result.returncode, result.stdout[-3000:], result.stderr[-2000:])
        subprocess.run(["rm", "-rf", work])
        return 1
    count = int(rows)

    dump = os.path.join(work, "bench.sql")
    with open(dump, "w") as out:
        dump_seconds = timed([SQLITE3, database, ".dump bench"], stdout=out)
    with open(dump) as source:
        load_seconds = timed([SQLITE3, os.path.join(work, "loaded.db")], stdin=source)
    written = subprocess.run([SQLITE3, database, "SELECT count(*) FROM bench_out"], check=True,
                             capture_output=True, text=True).stdout.strip()
    differing = subprocess.run(
        [SQLITE3, database, "SELECT count(*) FROM (SELECT * FROM bench EXCEPT SELECT * FROM bench_out)"],
        check=True, capture_output=True, text=True).stdout.strip()
    subprocess.run(["rm", "-rf", work])

    import_rate = float(ours["import_rows_per_second"])
    export_rate = float(ours["export_rows_per_second"])
    dump_rate = count / dump_seconds
    load_rate = count / load_seconds
    print("%-34s %12s %10s" % ("", "rows/s", "seconds"))
    print("%-34s %12.0f %10s" % ("import through the wizard", import_rate, ours["import_seconds"]))
    print("%-34s %12.0f %10.3f" % ("sqlite3 shell: .dump of the table", dump_rate, dump_seconds))
    print("%-34s %12.0f %10s" % ("export through the wizard", export_rate, ours["export_seconds"]))
    print("%-34s %12.0f %10.3f" % ("sqlite3 shell: load of the dump", load_rate, load_seconds))
    print("ratio import / dump: %.3f" % (import_rate / dump_rate))
    print("ratio export / load: %.3f" % (export_rate / load_rate))
    if written != ours["exported_rows"]:
        print("the exported table holds %s rows, not %s" % (written, ours["exported_rows"]))
        return 1
    if differing != "0":
        print("%s rows of the table did not come back from the export" % differing)
        return 1
    print("rows: %d imported, %s exported, every one as it was (checked by the sqlite3 shell)" % (count, written))
    return 0


if __name__ == "__main__":
    sys.exit(main())
