"""The i686 library, stripped, stays within 250 KB: it travels inside hosts
that ship it beside their own files.

usage: library_size.py STRIP DLL
"""
import os
import subprocess
import sys
import tempfile

LIMIT = 250_000


def main():
    strip, dll = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as folder:
        stripped = os.path.join(folder, "stripped.dll")
        subprocess.run([strip, "-o", stripped, dll], check=True)
        size = os.path.getsize(stripped)
    print(f"{os.path.basename(dll)} stripped: {size} bytes (limit {LIMIT})")
    if size > LIMIT:
        print("too large")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
