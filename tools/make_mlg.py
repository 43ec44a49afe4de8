#!/usr/bin/env python3
"""Builds the language file mlg.txt from its readable source.

The source is UTF-8. Its [mlg] section is copied as it is; in every other
section each line "key|text" becomes one "^"-terminated entry of that
section's single "text" value. The output is UTF-16LE with a byte-order mark
and CRLF line ends, which the platform's INI functions read as Unicode.

Usage: make_mlg.py SOURCE OUTPUT
"""
import re
import sys

KEY = re.compile(r"^-?\d+--?\d+$")
LIST_LIMIT = 1023  # characters of "list" the program reads
TEXT_LIMIT = 524287  # characters of "text" the program reads


def fail(where, message):
    sys.exit(f"{where}: {message}")


def parse(path):
    header = []  # lines of [mlg]
    sections = {}  # name -> [(key, text)], in file order
    current = None
    with open(path, encoding="utf-8") as f:
        for n, raw in enumerate(f, 1):
            where = f"{path}:{n}"
            line = raw.rstrip("\r\n")  # trailing blanks belong to the text
            if not line.strip() or line.startswith(";"):
                continue
            m = re.fullmatch(r"\[(.+)\]\s*", line)
            if m:
                current = m.group(1)
                if current != "mlg":
                    if current in sections:
                        fail(where, f"section [{current}] appears twice")
                    sections[current] = []
                continue
            if current is None:
                fail(where, "line outside a section")
            if current == "mlg":
                header.append(line)
                continue
            key, bar, text = line.partition("|")
            if not bar or not KEY.match(key):
                fail(where, f"expected key|text, got {line!r}")
            if "^" in text:
                fail(where, "a text cannot contain ^")
            if any(k == key for k, _ in sections[current]):
                fail(where, f"key {key} appears twice in [{current}]")
            sections[current].append((key, text))
    return header, sections


def check(path, header, sections):
    lists = [h.partition("=")[2] for h in header if h.partition("=")[0].strip() == "list"]
    if len(lists) != 1:
        fail(path, "[mlg] needs exactly one list= line")
    value = lists[0]
    if not value.endswith("^") or len(value) > LIST_LIMIT:
        fail(path, "list= must end with ^ and fit in 1023 characters")
    names = value.split("^")[:-1]
    if sorted(names) != sorted(sections):
        fail(path, f"list names {names} do not match the sections {list(sections)}")
    # Every pack must name the same controls; a key missing in one language
    # would leave the previous language's text on screen after a switch.
    first = names[0]
    keys = {k for k, _ in sections[first]}
    for name in names[1:]:
        other = {k for k, _ in sections[name]}
        if other != keys:
            fail(path, f"[{name}] differs from [{first}]: "
                       f"missing {sorted(keys - other)}, extra {sorted(other - keys)}")
    return names


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    src, out = sys.argv[1], sys.argv[2]
    header, sections = parse(src)
    names = check(src, header, sections)
    lines = ["[mlg]"] + header
    for name in names:
        text = "".join(f"{k}|{t}^" for k, t in sections[name])
        if len(text) > TEXT_LIMIT:
            fail(src, f"[{name}] text is longer than {TEXT_LIMIT} characters")
        lines += ["", f"[{name}]", f"text={text}"]
    data = "\ufeff" + "\r\n".join(lines) + "\r\n"
    with open(out, "wb") as f:
        f.write(data.encode("utf-16-le"))


if __name__ == "__main__":
    main()
