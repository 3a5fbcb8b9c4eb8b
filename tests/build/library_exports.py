"""The library as a host sees it without running it: exactly one export,
undecorated "DoIt"; static imports from the libraries the system always
resolves itself only (any other would be looked for in the host's folder
first); on i686 the callee removes the 20 bytes of its five
arguments (ret $0x14) and the settings-change handler takes its arguments in
registers (nothing read from the stack) and answers false in AL; a version
resource.

usage: library_exports.py OBJDUMP DLL
"""
import re
import subprocess
import sys


# The only libraries the DLL may import statically: a host process has them
# loaded already, from the system folder. Every other system library is
# loaded at run time from the system folder by full path.
ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "oleaut32.dll", "msvcrt.dll"}


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def function_body(disassembly, symbol):
    """The instructions of a function up to its first return."""
    match = re.search(r"<" + re.escape(symbol) + r">:\n(.*?)(?:\n\n|\Z)", disassembly, re.S)
    if not match:
        return None
    instructions = [line.split("\t")[-1].strip() for line in match.group(1).splitlines()]
    end = next((i for i, text in enumerate(instructions) if text.startswith("ret")), None)
    return instructions[:end + 1] if end is not None else instructions


def main():
    objdump, dll = sys.argv[1], sys.argv[2]
    failures = []
    headers = run(objdump, "-p", dll)
    table = headers.split("[Ordinal/Name Pointer] Table", 1)
    listing = table[1].split("\n\n", 1)[0] if len(table) == 2 else ""
    names = re.findall(r"\[\s*\d+\]\s+(\S+)", listing)
    if names != ["DoIt"]:
        failures.append(f"exports {names}, expected exactly ['DoIt']")
    imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", headers)}
    if not imports or imports - ALLOWED_IMPORTS:
        failures.append(f"imports {sorted(imports)}; allowed only {sorted(ALLOWED_IMPORTS)}")

    if "pei-i386" in run(objdump, "-f", dll):
        disassembly = run(objdump, "-d", dll)
        body = function_body(disassembly, "_DoIt@20")
        if body is None or body[-1] != "ret    $0x14":
            failures.append("_DoIt@20 does not end with ret $0x14")
        handler = [s for s in re.findall(r"<(\S*SettingsChangeHandler\S*)>:", disassembly)]
        if len(handler) != 1:
            failures.append(f"settings-change handler not found: {handler}")
        else:
            instructions = function_body(disassembly, handler[0])
            if any("(%esp)" in i or "(%ebp)" in i for i in instructions):
                failures.append(f"the handler reads the stack: {instructions}")
            if not instructions or not instructions[-1].startswith("ret") or "$" in instructions[-1]:
                failures.append(f"the handler does not return plainly: {instructions}")
            if not any(re.match(r"xor +%eax,%eax|mov +\$0x0,%eax|xor +%al,%al", i) for i in instructions):
                failures.append(f"the handler does not answer false: {instructions}")

    if "VS_VERSION_INFO" not in run("strings", "-el", dll):
        failures.append("no version resource")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{dll}: {'ok' if not failures else 'faulty'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
