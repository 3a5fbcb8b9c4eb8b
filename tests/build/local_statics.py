"""The library's own code has no function-local static that is initialised
on first use: it is compiled with -fno-threadsafe-statics, so two threads
making their first calls at once would both initialise it. The compiler
marks every such static with a guard variable; there must be none.

usage: local_statics.py NM ARCHIVE_OR_OBJECT...  (arguments may be ;-lists)
"""
import subprocess
import sys


def main():
    nm, files = sys.argv[1], [f for arg in sys.argv[2:] for f in arg.split(";") if f]
    if not files:
        print("no object files to check")
        return 1
    guarded = []
    for path in files:
        symbols = subprocess.run([nm, "-C", path], check=True, capture_output=True,
                                 text=True).stdout
        guarded += [f"{path}: {line.split('guard variable for ', 1)[1]}"
                    for line in symbols.splitlines() if "guard variable for " in line]
    for line in guarded:
        print(f"FAIL: initialised on first use without a lock: {line}")
    print(f"{len(files)} files checked, {len(guarded)} guarded statics")
    return 1 if guarded else 0


if __name__ == "__main__":
    sys.exit(main())
