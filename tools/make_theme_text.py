#!/usr/bin/env python3
"""Turns a theme INI written as UTF-8 into the form the theme file carries:
UTF-16 little-endian with a byte-order mark and CR LF after every line, the
last one included (the reader drops a last line without its CR).

Usage: make_theme_text.py SOURCE OUTPUT [IMAGE_SOURCE_DIR]

It also refuses mistakes the reader would skip silently: text after the "]"
of a section name, and, given IMAGE_SOURCE_DIR, image files without an SVG
source there.
"""
import os
import re
import sys

IMAGE_KEYS = {"IMAGEFILE", "IMAGEFILE1", "IMAGEFILE2", "IMAGEFILE3", "IMAGEFILE4",
              "IMAGEFILE5", "STOCKIMAGEFILE", "GLYPHIMAGEFILE"}


def check(lines, source, image_dir):
    errors = []
    for number, line in enumerate(lines, 1):
        # The reader takes a section name up to the line's last character.
        if line.lstrip().startswith("[") and not line.endswith("]"):
            errors.append(f"{source}:{number}: the line must end with the section's \"]\"")
        # The default scheme is found by the first "[File." anywhere in the text.
        if "[File." in line and not line.lstrip().startswith("[File."):
            errors.append(f"{source}:{number}: \"[File.\" outside a section name")
        match = re.match(r"\s*([A-Za-z0-9]+)\s*=\s*(.*?)\s*$", line)
        if image_dir and match and match.group(1).upper() in IMAGE_KEYS:
            name = match.group(2)
            stem, ext = os.path.splitext(name)
            if ext.lower() != ".png" or not os.path.isfile(os.path.join(image_dir, stem + ".svg")):
                errors.append(f"{source}:{number}: no image source for {name}")
    return errors


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    source, output = sys.argv[1], sys.argv[2]
    image_dir = sys.argv[3] if len(sys.argv) == 4 else None
    with open(source, encoding="utf-8") as f:
        lines = f.read().splitlines()
    errors = check(lines, source, image_dir)
    if errors:
        sys.exit("\n".join(errors))
    text = "".join(line + "\r\n" for line in lines)
    with open(output, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


if __name__ == "__main__":
    main()
