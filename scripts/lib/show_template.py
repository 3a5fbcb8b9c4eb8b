"""Lists a template folder: every file, and for tables the flags byte and
the records as python3-dbfread reads them; the bulk/ folder in one summary
line.

usage: show_template.py FOLDER
"""
import pathlib
import sys

import dbfread


def main():
    root = pathlib.Path(sys.argv[1])
    bulk = root / "bulk"
    if bulk.is_dir():
        tables = [p for p in bulk.rglob("*") if p.suffix.upper() == ".DBF"]
        flagged = sum(1 for p in tables if p.read_bytes()[28] & 0x01)
        indexes = sum(1 for p in bulk.rglob("*") if p.suffix.upper() == ".MDX")
        print(f"bulk/: {len(tables)} tables, {flagged} with the index flag, {indexes} index files")
    for path in sorted(p for p in root.rglob("*") if p.is_file() and bulk not in p.parents):
        relative = path.relative_to(root)
        if path.suffix.upper() == ".DBF":
            data = path.read_bytes()
            try:
                rows = len(dbfread.DBF(str(path), load=True, ignore_missing_memofile=True).records)
                readable = f"{rows} records readable"
            except Exception as error:
                readable = f"unreadable: {error}"
            print(f"{relative}: table, byte 28 = {data[28]:#04x}, {readable}")
        else:
            print(f"{relative}: {path.stat().st_size} bytes")


if __name__ == "__main__":
    main()
