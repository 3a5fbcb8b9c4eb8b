"""Makes a sample template folder of real tables (written with python3-dbf):
several table versions with the index flag set, their .MDX/.CDX index files,
an "HSKM" table and a sub-folder, and a bulk/ folder of BULK copies of the
first table, each with its .MDX, so that the job lasts long enough to watch
the bar advance.

usage: make_sample_template.py FOLDER [BULK]
"""
import pathlib
import sys

import dbf

FLAGS_OFFSET = 28

# (relative path, dBASE flavour, fields, records, flags byte, index files)
TABLES = [
    ("CUSTOMER.DBF", "db3", "name C(20); city C(15); since D",
     [("Wang Fang", "Beijing", dbf.Date(2019, 3, 1)), ("Li Na", "Shanghai", dbf.Date(2021, 7, 9))],
     0x01, [".MDX"]),
    ("orders.dbf", "vfp", "number N(6,0); notes M",
     [(1001, "first order"), (1002, "paid in cash")], 0x03, [".CDX"]),
    ("Stock.Dbf", "clp", "item C(12); qty N(5,0)", [("bolts", 120), ("nuts", 300)], 0x01,
     [".MDX", ".CDX"]),
    ("T_HSKM_01.DBF", "db3", "code C(4)", [("A1",), ("B2",)], 0x01, [".MDX"]),
    ("archive/HISTORY.DBF", "db3", "year N(4,0); total N(10,2)", [(2023, 99.5), (2024, 120.25)],
     0x01, [".MDX"]),
    ("archive/NOTES.DBF", "vfp", "topic C(10); body M", [("memo", "kept with its memo")], 0x02,
     []),
]


def set_flags(path, flags):
    with open(path, "r+b") as table:
        table.seek(FLAGS_OFFSET)
        table.write(bytes([flags]))


def main():
    root = pathlib.Path(sys.argv[1])
    for relative, flavour, fields, records, flags, indexes in TABLES:
        path = root / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        table = dbf.Table(str(path), fields, dbf_type=flavour)
        table.open(dbf.READ_WRITE)
        for record in records:
            table.append(record)
        table.close()
        # python3-dbf names the file in lower case; keep the chosen case.
        written = next(p for p in path.parent.iterdir() if p.name.lower() == path.name.lower())
        written.rename(path)
        set_flags(path, flags)
        for suffix in indexes:
            path.with_suffix(suffix).write_bytes(b"\x00" * 1024)
    (root / "README.TXT").write_text("Template tables of the sample host.\r\n")
    bulk = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    model = (root / TABLES[0][0]).read_bytes()
    for number in range(bulk):
        path = root / "bulk" / f"{number // 100:02d}" / f"B{number:04d}.DBF"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(model)
        path.with_suffix(".MDX").write_bytes(b"\x00" * 1024)


if __name__ == "__main__":
    main()
