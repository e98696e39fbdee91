#!/usr/bin/env python3
"""Checks that a picture of the main window (binary PPM, as `skarnwald
--screenshot window.ppm` saves it) shows the starfield background around the
controls: about 7 % of a fresh window's pixels are that dark, without the
background the grey form and white fields leave well under 1 %."""
import sys


def read_ppm(path):
    data = open(path, "rb").read()
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position)
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: no 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[position + 1:position + 1 + 3 * width * height]


def main():
    width, height, pixels = read_ppm(sys.argv[1])
    dark = sum(1 for i in range(0, len(pixels), 3) if max(pixels[i:i + 3]) < 40)
    share = dark / (width * height)
    print(f"{width}x{height} window, {share:.1%} dark")
    if share < 0.03:
        sys.exit("the window shows no background")


main()
