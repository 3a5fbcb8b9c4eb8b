"""make_bench_tree.py FOLDER FOLDERS TABLES_PER_FOLDER [mdx]

Writes a template tree for walk-bench's memory-of mode from the Linux side:
FOLDERS sub-folders F0, F1, ... of FOLDER, each with TABLES_PER_FOLDER small
dBASE III tables (index flag set) with an .MDX and a .CDX each, or with only
an .MDX. Wine makes each file of a large folder in time that grows with the
folder, so a folder of 100,000 entries is made here instead.
"""
import os
import sys


def model_table():
    table = bytearray(32 + 32 + 1 + 2 * 10 + 1)
    table[0] = 0x03
    table[4] = 2  # records
    table[8] = 65  # header length
    table[10] = 10  # record length
    table[28] = 0x01  # index flag
    table[32] = ord("N")
    table[43] = ord("C")
    table[48] = 9
    table[64] = 0x0D
    table[-1] = 0x1A
    return bytes(table)


def main():
    root, folders, per_folder = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    suffixes = [".MDX"] if sys.argv[4:] == ["mdx"] else [".MDX", ".CDX"]
    table, index = model_table(), b"\x5a" * 512
    for f in range(folders):
        folder = os.path.join(root, f"F{f}")
        os.makedirs(folder, exist_ok=True)
        for t in range(per_folder):
            base = os.path.join(folder, f"T{t}")
            with open(base + ".DBF", "wb") as out:
                out.write(table)
            for suffix in suffixes:
                with open(base + suffix, "wb") as out:
                    out.write(index)


if __name__ == "__main__":
    main()
