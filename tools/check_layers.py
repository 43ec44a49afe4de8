#!/usr/bin/env python3
"""Names every #include of the product code that breaks the layer table.

The table is read from cmake/modules.cmake, the same lines that make one
library per module, and must agree with the table in docs/ARCHITECTURE.md.
A module's portable code (its root folder) includes the standard library and
the modules the table allows, never a win/ folder; its win/ code may add
Windows headers and, in the modules that build dialogs, resources/resource.h.
A win/ folder split into rooms (ROOMS, each with its row in the docs) keeps
every file in a room, and a room includes its own and lower rooms only.
No files include each other in a circle of more than two (a file and its
header count as one). Exits 1 on any breach.
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
# Win/ folders split into rooms: their sub-folders, lowest first.
ROOMS = {"skin": ["system", "theme", "objects", "windows", "engine"]}


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


def read_documented_rooms():
    """The rooms the docs name in rows such as "| `skin/win/theme/` | ... |"."""
    rooms = {}
    for line in ARCHITECTURE.read_text().splitlines():
        m = re.match(r"\|\s*`(\w+)/win/(\w+)/`\s*\|", line.strip())
        if m:
            rooms.setdefault(m.group(1), []).append(m.group(2))
    return rooms


def room_of(rel):
    """(module, index of its room) for a file of a win/ folder split into rooms."""
    parts = rel.split("/")
    if len(parts) < 3 or parts[1] != "win" or parts[0] not in ROOMS:
        return None
    rooms = ROOMS[parts[0]]
    if len(parts) > 3 and parts[2] in rooms:
        return parts[0], rooms.index(parts[2])
    return parts[0], -1


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
        room = room_of(rel)
        if room and room[1] < 0:
            found.append(f"{rel}: in no room of {module}/win/ ({', '.join(ROOMS[module])})")
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
            target_room = room_of(name)
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
            elif not win and name.split("/")[1:2] == ["win"]:
                found.append(f"{where}: portable code includes the Win32 code of {first}/")
            elif target_room and room and target_room[0] == room[0] and target_room[1] > room[1]:
                rooms = ROOMS[module]
                found.append(f"{where}: the room {rooms[room[1]]}/ may not include the higher "
                             f"room {rooms[target_room[1]]}/")
    return found, count


def unit(rel):
    """A file and its header are one unit: the path without its ending."""
    return rel.rsplit(".", 1)[0]


def circles(table):
    """Every circle of units that include each other, largest first."""
    edges = {}
    for _module, rel in product_files(table):
        targets = edges.setdefault(unit(rel), set())
        for line in (ROOT / rel).read_text().splitlines():
            m = INCLUDE.match(line)
            if m and m.group(1) == '"' and (ROOT / m.group(2)).is_file():
                if unit(m.group(2)) != unit(rel):
                    targets.add(unit(m.group(2)))
    # Tarjan's strongly connected components, without recursion.
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    for start in sorted(edges):
        if start in index:
            continue
        work = [(start, iter(sorted(edges.get(start, ()))))]
        index[start] = low[start] = len(index)
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is not None:
                if child not in index:
                    index[child] = low[child] = len(index)
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(edges.get(child, ())))))
                elif child in on_stack:
                    low[node] = min(low[node], index[child])
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    top = stack.pop()
                    on_stack.discard(top)
                    component.append(top)
                    if top == node:
                        break
                if len(component) > 1:
                    found.append(sorted(component))
    return sorted(found, key=len, reverse=True)


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
    documented_rooms = read_documented_rooms()
    if documented_rooms != ROOMS:
        problems.append(f"docs/ARCHITECTURE.md: its rooms {documented_rooms} differ from {ROOMS}")
    found, count = breaches(table, dialogs)
    problems += found
    for circle in circles(table):
        if len(circle) > 2:
            problems.append(f"{len(circle)} files include each other in a circle: "
                            + ", ".join(circle))
        else:
            print(f"note: {circle[0]} and {circle[1]} include each other")
    for p in problems:
        print(p)
    if problems:
        print(f"check_layers: {len(problems)} breaches of the layer table")
        return 1
    print(f"check_layers: {count} includes follow the layer table")
    return 0


if __name__ == "__main__":
    sys.exit(main())
