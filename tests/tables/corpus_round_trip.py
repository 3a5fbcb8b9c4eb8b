"""Every corpus table copied into a template folder and detached under Wine
reads back record for record as before (python3-dbfread and python3-dbf), and
differs from its original by the index bit of byte 28 at most. Index files
named after a table are gone; memo files, other files and a Linux symbolic
link's target outside the template folder are untouched.

usage: corpus_round_trip.py WINE_RUN SCAN_EXE CORPUS_DIR
"""
import pathlib
import shutil
import sys
import tempfile

import dbf
import dbfread

from wine_tree import cmp_differences, copy_writable, detached_or_same, is_table, scan


def read_dbfread(path):
    try:
        table = dbfread.DBF(str(path), load=True, ignore_missing_memofile=True)
        return [list(r.items()) for r in table.records]
    except Exception as error:  # the outcome, failures included, is compared
        return f"{type(error).__name__}: {error}"


def read_dbf(path):
    try:
        table = dbf.Table(str(path))
        table.open(dbf.READ_ONLY)
        try:
            return [tuple(record) for record in table]
        finally:
            table.close()
    except Exception as error:
        return f"{type(error).__name__}: {error}"


def main():
    wine_run, scan_exe, corpus = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    failures = []
    with tempfile.TemporaryDirectory(prefix="qesh-corpus-") as work:
        work = pathlib.Path(work)
        original, template = work / "original", work / "TempLateTemp"
        copy_writable(corpus, original)
        copy_writable(corpus, template)
        # A folder outside the template, reached only through a Linux link.
        copy_writable(corpus / "jdbfdriver", work / "outside")
        (template / "link").symlink_to(work / "outside", target_is_directory=True)

        scan(wine_run, scan_exe, template)

        tables = [p for p in original.rglob("*") if p.is_file() and is_table(p)]
        readable = 0
        for before in sorted(tables):
            relative = before.relative_to(original)
            after = template / relative
            if not after.exists():
                failures.append(f"{relative}: removed")
                continue
            problem = detached_or_same(before, after)
            if problem:
                failures.append(f"{relative}: {problem}")
            elif cmp_differences(before, after) not in ([], [29]):
                failures.append(f"{relative}: cmp -l lists more than byte 28")
            for reader in (read_dbfread, read_dbf):
                a, b = reader(before), reader(after)
                if a != b:
                    failures.append(f"{relative}: {reader.__name__} differs: {a!r:.200} / {b!r:.200}")
                readable += not isinstance(b, str)
        # Index files named after a table in their folder (any letter case) go;
        # every other file stays as it was.
        stems = {(t.parent, t.stem.lower()) for t in tables}
        others = [p for p in original.rglob("*") if p.is_file() and not is_table(p)]
        removed = 0
        for before in others:
            after = template / before.relative_to(original)
            owned = (before.suffix.upper() in (".MDX", ".CDX")
                     and (before.parent, before.stem.lower()) in stems)
            if owned:
                removed += 1
                if after.exists():
                    failures.append(f"{before.relative_to(original)}: index file was kept")
            elif not after.exists() or after.read_bytes() != before.read_bytes():
                failures.append(f"{before.relative_to(original)}: changed or removed")
        for before in (corpus / "jdbfdriver").iterdir():
            after = work / "outside" / before.name
            if not after.exists():
                failures.append(f"outside/{before.name}: removed through a symbolic link")
            elif after.read_bytes() != before.read_bytes():
                failures.append(f"outside/{before.name}: changed through a symbolic link")
        print(f"{len(tables)} tables and {len(others)} other files compared, "
              f"{removed} index files removed, {readable} table reads succeeded")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures or len(tables) < 45 or removed < 8 else 0


if __name__ == "__main__":
    sys.exit(main())
