#!/usr/bin/env python3
"""Checks i686 binaries with objdump.

  check_exports.py exports OBJDUMP DLL DEF
      Every export the .def lists is exported under its plain name (no "_"
      prefix, no "@n" suffix), nothing else is exported, and the code at each
      export returns only with "ret $n", n being the argument bytes the .def
      gives (plain "ret" for none): a standard-call function that the
      caller's declaration matches.

  check_exports.py no-imports OBJDUMP EXE NAME...
      The program imports none of the named libraries (they are loaded by name
      at run time, so a missing one cannot stop the program from starting).
"""
import re
import subprocess
import sys


def objdump(tool, *args):
    return subprocess.run([tool, *args], check=True, stdout=subprocess.PIPE, text=True,
                          errors="replace").stdout


def expected_exports(def_path):
    expected = {}
    with open(def_path, encoding="ascii") as f:
        for line in f:
            m = re.match(r"\s*(\w+)\s*=\s*\w+@(\d+)\s*$", line)
            if m:
                expected[m.group(1)] = int(m.group(2))
    return expected


def exported_addresses(headers):
    image_base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", headers, re.M).group(1), 16)
    rvas = {int(i): int(rva, 16) for i, rva in
            re.findall(r"^\s*\[\s*(\d+)\] \+base\[\s*\d+\] ([0-9a-fA-F]+) Export RVA", headers, re.M)}
    names = {}
    table = headers.split("[Ordinal/Name Pointer] Table", 1)
    if len(table) == 2:
        for i, name in re.findall(r"^\s*\[\s*(\d+)\] (\S+)\s*$", table[1].split("\n\n", 1)[0], re.M):
            names[name] = image_base + rvas[int(i)]
    return names


def functions(disassembly):
    """Instructions of every labelled block, by start address."""
    blocks, current = {}, None
    for line in disassembly.splitlines():
        m = re.match(r"^([0-9a-f]+) <[^>]+>:$", line)
        if m:
            current = blocks.setdefault(int(m.group(1), 16), [])
        elif current is not None and "\t" in line:
            current.append(line.split("\t")[-1].strip())
    return blocks


def check_exports(tool, dll, def_path):
    expected = expected_exports(def_path)
    exported = exported_addresses(objdump(tool, "-p", dll))
    blocks = functions(objdump(tool, "-d", dll))
    faults = []
    if set(exported) != set(expected):
        faults.append(f"exports {sorted(exported)} differ from the .def's {sorted(expected)}")
    for name, address in exported.items():
        if name.startswith("_") or "@" in name:
            faults.append(f"{name}: decorated export name")
        if name not in expected:
            continue
        code = blocks.get(address)
        if code is None:
            faults.append(f"{name}: no code found at {address:#x}")
            continue
        want = f"ret    ${expected[name]:#x}" if expected[name] else "ret"
        returns = [i for i in code if re.match(r"ret[lw]?\b", i)]
        if not returns or any(r != want for r in returns):
            faults.append(f"{name}: returns with {returns}, expected '{want}'")
    return faults


def check_no_imports(tool, exe, names):
    imported = {m.lower() for m in re.findall(r"DLL Name: (\S+)", objdump(tool, "-p", exe))}
    return [f"{exe} imports {n}" for n in names if n.lower() in imported]


def main(argv):
    if len(argv) == 5 and argv[1] == "exports":
        faults = check_exports(argv[2], argv[3], argv[4])
    elif len(argv) >= 4 and argv[1] == "no-imports":
        faults = check_no_imports(argv[2], argv[3], argv[4:])
    else:
        print(__doc__)
        return 2
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
