#!/usr/bin/env python3
"""The layer check refuses each kind of include it guards, planted in a scratch
copy of the tree (never in the tree itself): portable code that includes a
module's win/ code, a room that includes a higher room, a file in no room, and
a circle of three files. The untouched copy passes. Exits 1 on any miss.
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
COPIED = ("app", "convert", "framework", "profiles", "program", "skin", "resources")


def scratch_copy(into):
    for folder in COPIED:
        shutil.copytree(ROOT / folder, into / folder, ignore=shutil.ignore_patterns("*.png", "*.svg"))
    for rel in ("cmake/modules.cmake", "docs/ARCHITECTURE.md", "tools/check_layers.py"):
        (into / rel).parent.mkdir(parents=True, exist_ok=True)
        shutil.copy(ROOT / rel, into / rel)


def run_check(tree):
    done = subprocess.run([sys.executable, str(tree / "tools/check_layers.py")],
                          capture_output=True, text=True)
    return done.returncode, done.stdout


def add_include(path, header):
    text = path.read_text()
    path.write_text(f'#include "{header}"\n' + text)


def plant_portable_to_win(tree):
    add_include(tree / "skin/theme_text.cpp", "skin/win/theme/theme_class.h")
    return "skin/theme_text.cpp:1: #include \"skin/win/theme/theme_class.h\": portable code"


def plant_room_upwards(tree):
    add_include(tree / "skin/win/theme/theme_class.cpp", "skin/win/windows/skin_windows.h")
    return "the room theme/ may not include the higher room windows/"


def plant_roomless_file(tree):
    (tree / "skin/win/stray.cpp").write_text('#include "skin/win/theme/theme_class.h"\n')
    return "skin/win/stray.cpp: in no room of skin/win/"


def plant_circle(tree):
    room = tree / "skin/win/objects"
    for name, next_name in (("ring_a", "ring_b"), ("ring_b", "ring_c"), ("ring_c", "ring_a")):
        (room / f"{name}.h").write_text(
            f'#pragma once\n#include "skin/win/objects/{next_name}.h"\n')
    return ("3 files include each other in a circle: skin/win/objects/ring_a, "
            "skin/win/objects/ring_b, skin/win/objects/ring_c")


def main():
    failures = []
    with tempfile.TemporaryDirectory() as base:
        clean = pathlib.Path(base) / "clean"
        scratch_copy(clean)
        code, out = run_check(clean)
        if code != 0:
            failures.append(f"the untouched copy does not pass:\n{out}")
        for plant in (plant_portable_to_win, plant_room_upwards, plant_roomless_file,
                      plant_circle):
            tree = pathlib.Path(base) / plant.__name__
            shutil.copytree(clean, tree)
            expected = plant(tree)
            code, out = run_check(tree)
            if code != 1 or expected not in out:
                failures.append(f"{plant.__name__}: exit {code}, no line with {expected!r}:\n{out}")
    for f in failures:
        print(f)
    if failures:
        print(f"check_layers_test: {len(failures)} failed")
        return 1
    print("check_layers_test: every planted include refused, the untouched copy passes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
