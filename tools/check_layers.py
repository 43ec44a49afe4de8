#!/usr/bin/env python3
"""Names every #include of the product code that breaks the layer table.

The table is read from cmake/modules.cmake, the same lines that make one
library per module, and must agree with the table in docs/ARCHITECTURE.md.
A module's portable code (its root folder) includes the standard library and
the modules the table allows; its win/ code may add Windows headers and, in
the modules that build dialogs, resources/resource.h. Exits 1 on any breach.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
MODULES_CMAKE = ROOT / "cmake" / "modules.cmake"
ARCHITECTURE = ROOT / "docs" / "ARCHITECTURE.md"
# Built on its own as a side component: Windows headers, nothing of ours.
SIDE_COMPONENTS = ("app/auxdmo/",)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def read_table():
    """{module: set of modules it may use}, and the modules that build dialogs."""
    text = MODULES_CMAKE.read_text()
    table = {}
    for m in re.finditer(r"^vm_module\((\w+)((?:\s+\w+)*)\)", text, re.M):
        table[m.group(1)] = set(m.group(2).split())
    dialogs = re.search(r"^set\(VM_DIALOG_MODULES((?:\s+\w+)*)\)", text, re.M)
    return table, set(dialogs.group(1).split()) if dialogs else set()


def read_documented_table():
    """The rows of the table under "Which module may use which" in the docs."""
    table = {}
    for line in ARCHITECTURE.read_text().splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) != 2 or not re.fullmatch(r"`\w+/`", cells[0]):
            continue
        uses = set(re.findall(r"`(\w+)/`", cells[1]))
        table[cells[0].strip("`/")] = uses
    return table


def product_files(table):
    for module in sorted(table):
        for path in sorted((ROOT / module).rglob("*")):
            if path.suffix in (".cpp", ".h") and path.is_file():
                yield module, path.relative_to(ROOT).as_posix()


def breaches(table, dialogs):
    found = []
    count = 0
    for module, rel in product_files(table):
        side = rel.startswith(SIDE_COMPONENTS)
        win = side or "/win/" in rel
        for number, line in enumerate((ROOT / rel).read_text().splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            count += 1
            bracket, name = m.groups()
            closing = ">" if bracket == "<" else '"'
            where = f"{rel}:{number}: #include {bracket}{name}{closing}"
            if bracket == "<":
                # Standard headers have no extension; anything else is a system header.
                if "." in name and not win:
                    found.append(f"{where}: portable code includes a system header")
                continue
            first = name.split("/")[0]
            if ".." in name.split("/") or "/" not in name:
                found.append(f"{where}: include by the path from the source root")
            elif side:
                found.append(f"{where}: the side component uses nothing of ours")
            elif first == "resources":
                if not win or module not in dialogs:
                    found.append(f"{where}: only the win/ code of {', '.join(sorted(dialogs))} "
                                 "includes the dialog ids")
            elif first not in table:
                found.append(f"{where}: {first}/ is no module of the program")
            elif first != module and first not in table[module]:
                allowed = ", ".join(sorted(table[module])) or "nothing of ours"
                found.append(f"{where}: {module}/ may use {allowed}")
    return found, count


def main():
    table, dialogs = read_table()
    if not table:
        print(f"check_layers: no vm_module lines in {MODULES_CMAKE}")
        return 1
    problems = []
    documented = read_documented_table()
    if documented != table:
        problems.append("docs/ARCHITECTURE.md: its table differs from cmake/modules.cmake: "
                        f"docs {sorted((k, sorted(v)) for k, v in documented.items())}, "
                        f"build {sorted((k, sorted(v)) for k, v in table.items())}")
    found, count = breaches(table, dialogs)
    problems += found
    for p in problems:
        print(p)
    if problems:
        print(f"check_layers: {len(problems)} breaches of the layer table")
        return 1
    print(f"check_layers: {count} includes follow the layer table")
    return 0


if __name__ == "__main__":
    sys.exit(main())
