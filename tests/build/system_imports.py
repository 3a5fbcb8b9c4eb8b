"""Every Windows program and library we build imports system DLLs only.

usage: system_imports.py OBJDUMP BIN_FOLDER
"""
import pathlib
import re
import subprocess
import sys

# DLLs that ship with every Windows installation.
SYSTEM = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll", "shell32.dll",
    "ole32.dll", "oleaut32.dll", "comctl32.dll", "uxtheme.dll", "version.dll", "msimg32.dll",
    "ws2_32.dll", "psapi.dll", "comdlg32.dll", "ntdll.dll", "shlwapi.dll", "bcrypt.dll",
    "oleacc.dll",
}


def main():
    objdump, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    binaries = sorted(p for p in folder.iterdir() if p.suffix.lower() in (".exe", ".dll"))
    if not binaries:
        print(f"no Windows binaries in {folder}")
        return 1
    failures = 0
    for binary in binaries:
        dump = subprocess.run([objdump, "-p", str(binary)], check=True, capture_output=True,
                              text=True).stdout
        imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", dump)}
        foreign = sorted(imports - SYSTEM)
        print(f"{binary.name}: {', '.join(sorted(imports))}")
        if not imports or foreign:
            print(f"  FAIL: imports beyond the system DLLs: {foreign}")
            failures += 1
    print(f"{len(binaries)} binaries checked, {failures} with foreign imports")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
