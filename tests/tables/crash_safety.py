"""A walk killed at any moment leaves the tables in a state the order of the
steps allows: every table is either as it was or detached (bit 0x01 of byte
28 cleared, nothing else changed, same size); a table whose index files are
gone (any of them) has its flag cleared; an "HSKM" table is gone only after
both its index files. A child process walks a tree of 400 tables and is
killed 20 times at random moments of the walk itself: the child reports each
table it has done and, from a random table on, waits after each table for
the word to go on; each kill lets it do one more table and strikes at a
random part of that table's time or the wait after it, so every kill lands
mid-walk, whatever Wine's start-up time or the speed of the walk.

usage: crash_safety.py WINE_RUN SCAN_EXE CORPUS_DIR
"""
import pathlib
import random
import shutil
import subprocess
import sys
import tempfile
import time

from wine_tree import detached_or_same, windows_path

FOLDERS, TABLES_PER_FOLDER, KILLS = 4, 100, 20
# Real tables with the index flag set, as the tree's models.
MODELS = ["jdbfdriver/TEST.DBF", "infused-dbf/foxprodb/calls.dbf", "harbour/items.dbf",
          "DbfDataReader/client.dbf", "php-xbase/issue115.dbf"]
MARKED_EVERY = 4  # every fourth table is an "HSKM" table


def build_tree(corpus, root):
    """Writes the tree; returns {table: (model, [index files])}."""
    models = {m: (corpus / m).read_bytes() for m in MODELS}
    tables = {}
    for f in range(FOLDERS):
        folder = root / f"f{f:02d}"
        folder.mkdir(parents=True)
        for t in range(TABLES_PER_FOLDER):
            model = MODELS[(f + t) % len(MODELS)]
            name = f"HSKM{t:03d}" if t % MARKED_EVERY == 0 else f"T{t:03d}"
            table = folder / f"{name}.DBF"
            table.write_bytes(models[model])
            indexes = [folder / f"{name}.MDX", folder / f"{name}.CDX"]
            for index in indexes:
                index.write_bytes(b"index")
            tables[table.relative_to(root)] = (corpus / model, [i.relative_to(root) for i in indexes])
    return tables


def check(root, tables):
    """The problems found, and how many tables were handled (patched or gone)."""
    problems, handled = [], 0
    for relative, (model, indexes) in tables.items():
        table = root / relative
        indexes_gone = [i.name for i in indexes if not (root / i).exists()]
        if not table.exists():
            handled += 1
            if not relative.name.startswith("HSKM"):
                problems.append(f"{relative}: a table without the marker is gone")
            elif len(indexes_gone) != len(indexes):
                problems.append(f"{relative}: gone before its index files")
            continue
        problem = detached_or_same(model, table)
        if problem:
            problems.append(f"{relative}: {problem}")
            continue
        detached = table.read_bytes() != model.read_bytes()
        handled += detached
        if indexes_gone and not detached:
            problems.append(f"{relative}: index files {indexes_gone} gone, flag still set")
    return problems, handled


def run_until_walking(wine_run, scan_exe, host_path, *hold_from):
    child = subprocess.Popen([wine_run, scan_exe, host_path, *map(str, hold_from)],
                             stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    line = child.stdout.readline().strip()
    if line != "walking":
        child.kill()
        child.wait()
        raise RuntimeError(f"scan-folder said {line!r} instead of 'walking'")
    return child


def main():
    wine_run, scan_exe, corpus = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    rng = random.Random(2026)
    failures, interrupted = [], 0
    with tempfile.TemporaryDirectory(prefix="qesh-crash-") as work:
        root = pathlib.Path(work) / "TempLateTemp"
        host_path = windows_path(root) + "\\"

        # One whole walk, timed from its start to its end, and checked.
        tables = build_tree(corpus, root)
        child = run_until_walking(wine_run, scan_exe, host_path)
        child.stdin.close()
        start = time.monotonic()
        lines = child.stdout.read().split()
        walk = time.monotonic() - start
        child.wait()
        problems, handled = check(root, tables)
        if lines[-1:] != ["walked"] or handled != len(tables) or problems:
            print(f"FAIL: the whole walk: said {lines[-1:]}, handled {handled} of {len(tables)}")
            failures += problems
        per_table = walk / len(tables)

        for kill in range(KILLS):
            shutil.rmtree(root)
            build_tree(corpus, root)
            after = rng.randrange(1, len(tables) - 1)
            child = run_until_walking(wine_run, scan_exe, host_path, after)
            while child.stdout.readline().strip() not in (str(after), "walked", ""):
                pass
            child.stdin.write("go\n")
            child.stdin.flush()
            time.sleep(rng.uniform(0.0, 2 * per_table))
            child.kill()
            child.wait()
            child.stdin.close()
            child.stdout.close()
            problems, handled = check(root, tables)
            failures += [f"kill {kill}: {p}" for p in problems]
            if 0 < handled < len(tables):
                interrupted += 1
        print(f"a walk of {len(tables)} tables took {walk:.2f} s; {KILLS} kills, "
              f"{interrupted} of them mid-walk")
    for failure in failures[:20]:
        print("FAIL:", failure)
    # The kills must really have cut walks short, or nothing was tested.
    if interrupted < KILLS:
        print(f"FAIL: only {interrupted} kills cut a walk short")
    return 1 if failures or interrupted < KILLS else 0


if __name__ == "__main__":
    sys.exit(main())
