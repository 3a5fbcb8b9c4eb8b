"""Every header host imports DoIt, by its undecorated name, from
qesh_deleteIndex_dbf.dll: the header's declaration links to the library's one
export on i686 (stdcall) and x86_64 alike.

usage: host_imports.py OBJDUMP FOLDER HOST...
"""
import pathlib
import re
import subprocess
import sys

LIBRARY = "qesh_deleteIndex_dbf.dll"


def imported_names(objdump, binary):
    """The names each DLL is asked for, from `objdump -p`."""
    dump = subprocess.run([objdump, "-p", str(binary)], check=True, capture_output=True,
                          text=True).stdout
    names, current = {}, None
    for line in dump.splitlines():
        match = re.match(r"\s*DLL Name: (\S+)", line)
        if match:
            current = names.setdefault(match.group(1).lower(), [])
            continue
        entry = re.match(r"\s+[0-9a-f]+\s+[0-9a-f]*\s*([A-Za-z_][\w@]*)\s*$", line)
        if current is not None and entry:
            current.append(entry.group(1))
    return names


def main():
    objdump, folder, hosts = sys.argv[1], pathlib.Path(sys.argv[2]), sys.argv[3:]
    failures = 0
    for host in hosts:
        binary = folder / f"{host}.exe"
        if not binary.exists():
            print(f"{host}: FAIL: not built")
            failures += 1
            continue
        from_library = imported_names(objdump, binary).get(LIBRARY.lower(), [])
        print(f"{host}: {LIBRARY}: {', '.join(from_library) or 'nothing'}")
        if from_library != ["DoIt"]:
            print(f"  FAIL: expected exactly DoIt from {LIBRARY}")
            failures += 1
    print(f"{len(hosts)} hosts checked, {failures} failed")
    return 1 if failures or len(hosts) < 8 else 0


if __name__ == "__main__":
    sys.exit(main())
