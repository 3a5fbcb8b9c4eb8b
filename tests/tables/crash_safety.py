"""A walk killed at a random moment leaves every table either as it was or
detached (bit 0x01 of byte 28 cleared), never anything else, and no file
changes size. A child process walks a 2,000-table tree and is killed 20
times.

usage: crash_safety.py WINE_RUN SCAN_EXE CORPUS_DIR
"""
import pathlib
import random
import shutil
import subprocess
import sys
import tempfile
import time

from wine_tree import detached_or_same, is_table, windows_path

FOLDERS, TABLES_PER_FOLDER, KILLS = 20, 100, 20
# Real tables with the index flag set, as the tree's models.
MODELS = ["jdbfdriver/TEST.DBF", "infused-dbf/foxprodb/calls.dbf", "harbour/items.dbf",
          "DbfDataReader/client.dbf", "php-xbase/issue115.dbf"]


def build_tree(corpus, root):
    models = {m: (corpus / m).read_bytes() for m in MODELS}
    originals = {}
    for f in range(FOLDERS):
        folder = root / f"f{f:02d}"
        folder.mkdir(parents=True)
        for t in range(TABLES_PER_FOLDER):
            model = MODELS[(f + t) % len(MODELS)]
            table = folder / f"T{t:03d}.DBF"
            table.write_bytes(models[model])
            (folder / f"T{t:03d}.CDX").write_bytes(b"index")
            originals[table.relative_to(root)] = corpus / model
    return originals


def main():
    wine_run, scan_exe, corpus = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    rng = random.Random(2026)
    failures, interrupted = [], 0
    with tempfile.TemporaryDirectory(prefix="qesh-crash-") as work:
        root = pathlib.Path(work) / "TempLateTemp"
        host_path = windows_path(root) + "\\"

        # One whole walk, to learn how long a walk lasts here.
        originals = build_tree(corpus, root)
        start = time.monotonic()
        subprocess.run([wine_run, scan_exe, host_path], check=True, stdin=subprocess.DEVNULL)
        whole = time.monotonic() - start

        for kill in range(KILLS):
            shutil.rmtree(root)
            build_tree(corpus, root)
            child = subprocess.Popen([wine_run, scan_exe, host_path], stdin=subprocess.DEVNULL)
            time.sleep(rng.uniform(0.0, whole))
            child.kill()
            child.wait()
            detached = 0
            for relative, model in originals.items():
                table = root / relative
                problem = detached_or_same(model, table)
                if problem:
                    failures.append(f"kill {kill}: {relative}: {problem}")
                elif table.read_bytes() != model.read_bytes():
                    detached += 1
            flagged = sum(1 for m in originals.values() if m.read_bytes()[28] & 1)
            if 0 < detached < flagged:
                interrupted += 1
        print(f"a whole walk took {whole:.2f} s; {KILLS} kills, {interrupted} of them mid-walk")
    for failure in failures[:20]:
        print("FAIL:", failure)
    # The kills must really have cut walks short, or nothing was tested.
    return 1 if failures or interrupted < KILLS // 4 else 0


if __name__ == "__main__":
    sys.exit(main())
