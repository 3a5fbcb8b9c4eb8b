"""Each host built from the release imports exactly DoIt, by that undecorated
name, from qesh_deleteIndex_dbf.dll: an i686 import library that kept the
stdcall decoration (DoIt@20) would link and then fail when the host starts.
Read from the files, so it checks the i686 hosts where they cannot run.

usage: hosts_import_doit.py OBJDUMP EXE...
"""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "header"))
from host_imports import LIBRARY, imported_names  # noqa: E402


def main():
    objdump, hosts = sys.argv[1], sys.argv[2:]
    failures = 0
    for host in hosts:
        names = imported_names(objdump, host).get(LIBRARY.lower(), [])
        print(f"{host}: {LIBRARY}: {', '.join(names) or 'nothing'}")
        if names != ["DoIt"]:
            print(f"  FAIL: expected exactly DoIt from {LIBRARY}")
            failures += 1
    return 1 if failures or not hosts else 0


if __name__ == "__main__":
    sys.exit(main())
