"""Shared helpers of the tree tests: Wine paths, copies of the corpus, table
comparison."""
import os
import pathlib
import shutil
import stat
import subprocess

TABLE_SUFFIX = ".DBF"
FLAGS_OFFSET = 28


def windows_path(path):
    """The path as a Windows program under Wine sees it (drive Z: is /)."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


def is_table(path):
    return path.suffix.upper() == TABLE_SUFFIX


def copy_writable(source, target):
    """Copies a tree and gives every copy its write bit back: the source may
    be laid out read-only, and a read-only table is rightly left alone."""
    shutil.copytree(source, target, symlinks=True)
    for root, folders, files in os.walk(target):
        for name in folders + files:
            p = os.path.join(root, name)
            if not os.path.islink(p):
                os.chmod(p, os.stat(p).st_mode | stat.S_IWUSR)


def scan(wine_run, scan_exe, folder):
    """Runs the detachment over `folder` (a Linux path) under Wine."""
    host_path = windows_path(folder) + "\\"
    return subprocess.run([wine_run, scan_exe, host_path], check=True, timeout=300,
                          stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)


def cmp_differences(original, processed):
    """The offsets at which two files of one size differ, as `cmp -l` lists
    them (1-based)."""
    out = subprocess.run(["cmp", "-l", str(original), str(processed)], capture_output=True,
                         text=True)
    if out.returncode not in (0, 1) or "EOF" in out.stderr:
        raise AssertionError(f"cmp failed on {processed}: {out.stderr.strip()}")
    return [int(line.split()[0]) for line in out.stdout.splitlines()]


def detached_or_same(original, processed):
    """None when `processed` equals `original` or differs only by the index bit
    of the flags byte; otherwise what is wrong."""
    before, after = original.read_bytes(), processed.read_bytes()
    if len(before) != len(after):
        return f"size changed {len(before)} -> {len(after)}"
    if before == after:
        return None
    if before[:FLAGS_OFFSET] != after[:FLAGS_OFFSET] or \
            before[FLAGS_OFFSET + 1:] != after[FLAGS_OFFSET + 1:]:
        diffs = [i for i, (a, b) in enumerate(zip(before, after)) if a != b]
        return f"bytes changed at offsets {diffs[:10]}"
    if after[FLAGS_OFFSET] != before[FLAGS_OFFSET] & ~0x01 & 0xFF:
        return f"flags {before[FLAGS_OFFSET]:#04x} became {after[FLAGS_OFFSET]:#04x}"
    return None
