#!/usr/bin/env python3
"""Renders one theme image, drawn as SVG, for a display scale.

Usage: make_theme_images.py SVG SCALE OUTPUT INI...

An image is a strip of frames (ImageCount of them, side by side or stacked
as ImageLayout says, in the INI sections that name the image). Each frame is
scaled to a whole number of pixels, so that the strip still divides into
equal frames: a 13-pixel frame at 150 % becomes 20 pixels, not 19.5.
"""
import math
import re
import subprocess
import sys

IMAGE_KEYS = {"IMAGEFILE", "IMAGEFILE1", "IMAGEFILE2", "IMAGEFILE3", "IMAGEFILE4",
              "IMAGEFILE5", "STOCKIMAGEFILE", "GLYPHIMAGEFILE"}


def frame_layouts(ini_paths):
    """Image file name (upper case) to (count, vertical), from the first
    section that names it."""
    layouts = {}
    for path in ini_paths:
        with open(path, encoding="utf-8") as f:
            sections, current = [], None
            for line in f:
                line = line.split(";", 1)[0].strip()
                if line.startswith("["):
                    current = {}
                    sections.append(current)
                elif current is not None and "=" in line:
                    key, value = line.split("=", 1)
                    current[key.strip().upper()] = value.strip()
        for values in sections:
            count = int(values.get("IMAGECOUNT", "1") or 1)
            vertical = values.get("IMAGELAYOUT", "").upper() == "VERTICAL"
            for key in IMAGE_KEYS & values.keys():
                layouts.setdefault(values[key].upper(), (max(count, 1), vertical))
    return layouts


def svg_size(path):
    with open(path, encoding="utf-8") as f:
        tag = re.search(r"<svg\b[^>]*>", f.read()).group(0)
    width = float(re.search(r'\bwidth="([0-9.]+)"', tag).group(1))
    height = float(re.search(r'\bheight="([0-9.]+)"', tag).group(1))
    return width, height


def scaled(length, scale):
    return max(1, math.floor(length * scale / 100 + 0.5))


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    svg, scale, output, inis = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4:]
    name = re.sub(r"\.svg$", ".png", svg.replace("\\", "/").rsplit("/", 1)[-1], flags=re.I)
    count, vertical = frame_layouts(inis).get(name.upper(), (1, False))
    width, height = svg_size(svg)
    if vertical:
        w, h = scaled(width, scale), scaled(height / count, scale) * count
    else:
        w, h = scaled(width / count, scale) * count, scaled(height, scale)
    subprocess.run(["rsvg-convert", "-w", str(w), "-h", str(h), svg, "-o", output], check=True)


if __name__ == "__main__":
    main()
