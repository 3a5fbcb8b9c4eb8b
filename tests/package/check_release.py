"""The release as packaged: dist/SHA256SUMS lists exactly the two archives
with their checksums; each archive holds exactly the files a host developer
is promised, under one top folder named after it; and the version is the
project's (CMakeLists.txt) everywhere: the archive names, the DLL's version
resource, the CMake package's ConfigVersion and CHANGELOG.md's top entry (in
the archive and in the repository). The DLL of each archive is of its
architecture.

usage: check_release.py DIST SOURCE_DIR
"""
import hashlib
import pathlib
import re
import struct
import sys
import zipfile

NAME = "qesh_deleteIndex_dbf"
FILES = {
    f"bin/{NAME}.dll",
    f"include/{NAME}.h",
    f"lib/lib{NAME}.dll.a",
    f"lib/{NAME}.lib",
    f"lib/{NAME}.def",
    f"lib/cmake/{NAME}/{NAME}Config.cmake",
    f"lib/cmake/{NAME}/{NAME}ConfigVersion.cmake",
    f"pascal/{NAME}.pas",
    "README.md",
    "LICENSE",
    "CHANGELOG.md",
}
MACHINES = {"win32": 0x14C, "win64": 0x8664}
FIXED_FILE_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def project_version(source_dir):
    text = (source_dir / "CMakeLists.txt").read_text()
    return re.search(r"^project\(\S+ VERSION ([0-9.]+)", text, re.M).group(1)


def changelog_version(text):
    match = re.search(r"^## (\S+)", text, re.M)
    return match.group(1) if match else None


def dll_versions(dll):
    """FILEVERSION and PRODUCTVERSION of VS_FIXEDFILEINFO, and the
    FileVersion and ProductVersion strings, each as text."""
    at = dll.find(FIXED_FILE_INFO_SIGNATURE)
    if at < 0:
        return {}
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", dll, at + 8)
    dotted = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    found = {"FILEVERSION": dotted(file_ms, file_ls),
             "PRODUCTVERSION": dotted(product_ms, product_ls)}
    for key in ("FileVersion", "ProductVersion"):
        # A String block: the key in UTF-16, NUL padding to 32 bits, the value.
        match = re.search(re.escape(key.encode("utf-16-le")) + rb"(?:\0\0)+((?:[^\0]\0)+)\0\0",
                          dll)
        found[key] = match.group(1).decode("utf-16-le") if match else None
    return found


def pe_machine(dll):
    pe = struct.unpack_from("<I", dll, 0x3C)[0]
    return struct.unpack_from("<H", dll, pe + 4)[0] if dll[pe:pe + 4] == b"PE\0\0" else None


def check_archive(path, arch, version, failures):
    top = path.stem
    with zipfile.ZipFile(path) as archive:
        names = {n for n in archive.namelist() if not n.endswith("/")}
        outside = sorted(n for n in names if not n.startswith(top + "/"))
        if outside:
            failures.append(f"{path.name}: outside the top folder {top}/: {outside}")
        held = {n[len(top) + 1:] for n in names if n.startswith(top + "/")}
        if held != FILES:
            failures.append(f"{path.name}: missing {sorted(FILES - held)}, "
                            f"unexpected {sorted(held - FILES)}")
            return
        read = lambda name: archive.read(f"{top}/{name}")
        dll = read(f"bin/{NAME}.dll")
        machine = pe_machine(dll)
        if machine != MACHINES[arch]:
            failures.append(f"{path.name}: the DLL's machine is {machine!r}, "
                            f"not {MACHINES[arch]:#x}")
        four = f"{version}.0"
        versions = dll_versions(dll)
        for key in ("FILEVERSION", "PRODUCTVERSION", "FileVersion", "ProductVersion"):
            if versions.get(key) != four:
                failures.append(f"{path.name}: the DLL's {key} is {versions.get(key)!r}, "
                                f"not {four}")
        config_version = read(f"lib/cmake/{NAME}/{NAME}ConfigVersion.cmake").decode()
        match = re.search(r'set\(PACKAGE_VERSION "([^"]*)"\)', config_version)
        if not match or match.group(1) != version:
            failures.append(f"{path.name}: ConfigVersion says {match and match.group(1)!r}")
        top_entry = changelog_version(read("CHANGELOG.md").decode())
        if top_entry != version:
            failures.append(f"{path.name}: CHANGELOG.md's top entry is {top_entry!r}")
        print(f"{path.name}: {len(held)} files, {arch} DLL, version {versions.get('FileVersion')}")


def main():
    dist, source_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    version = project_version(source_dir)
    failures = []
    archives = {arch: dist / f"{NAME}-{version}-{arch}.zip" for arch in MACHINES}

    sums = {}
    for line in (dist / "SHA256SUMS").read_text().splitlines():
        digest, name = line.split(maxsplit=1)
        sums[name.lstrip("*")] = digest
    if set(sums) != {p.name for p in archives.values()}:
        failures.append(f"SHA256SUMS lists {sorted(sums)}, not the archives of {version}")
    for arch, path in archives.items():
        if not path.exists():
            failures.append(f"{path.name}: missing")
            continue
        digest = hashlib.sha256(path.read_bytes()).hexdigest()
        if sums.get(path.name) != digest:
            failures.append(f"{path.name}: checksum {digest}, SHA256SUMS says "
                            f"{sums.get(path.name)}")
        check_archive(path, arch, version, failures)

    repo_entry = changelog_version((source_dir / "CHANGELOG.md").read_text())
    if repo_entry != version:
        failures.append(f"CHANGELOG.md's top entry is {repo_entry!r}, the project's {version}")
    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"version {version}: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
