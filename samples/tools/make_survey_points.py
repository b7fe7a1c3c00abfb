#!/usr/bin/python3
"""Writes the survey point files of samples/points/: the shots of the site of
samples/site.dxf, on the same made-up terrain (make_site.py), as a total
station or a field book would hand them over.

  site.xyz            X Y Z separated by spaces, "#" comments on top: loads with the
                      text page's defaults
  site_fixed.txt      fixed columns 12 characters wide: number, X, Y, Z, code
                      (fixed width 12, X column 2, Y 3, Z 4)
  site_sections.txt   one section per instrument station ("#Stajaliste 1", ...),
                      fields separated by commas, ";" comments
                      (comment marker ";", delimiter ",", X column 2, Y 3, Z 4)
  site_utf16.txt      UTF-16 little-endian with a byte-order mark, Croatian
                      names in its comments, X Y Z separated by spaces

The shots lie on a jittered grid over the site (x 1000 to 1180, y 2000 to
2120), with a fixed seed, so every run writes the same files.

usage: make_survey_points.py [FOLDER]   (default: samples/points beside this folder)
"""
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_site import DEPTH, ORIGIN_X, ORIGIN_Y, WIDTH, terrain  # noqa: E402

STATIONS = 3
CODES = ["TER", "TER", "TER", "RUB", "JARAK", "PUT"]


def shots():
    """(number, x, y, z, code) of every shot, numbered from 101."""
    rng = random.Random(20141107)
    out = []
    columns, rows = 24, 16
    for row in range(rows):
        for col in range(columns):
            x = col * WIDTH / (columns - 1) + rng.uniform(-2.5, 2.5)
            y = row * DEPTH / (rows - 1) + rng.uniform(-2.5, 2.5)
            x, y = min(max(x, 0.0), WIDTH), min(max(y, 0.0), DEPTH)
            z = terrain(x, y) + rng.uniform(-0.02, 0.02)
            out.append((101 + len(out), ORIGIN_X + x, ORIGIN_Y + y, z, rng.choice(CODES)))
    return out


def write(path, text, encoding="ascii", newline="\r\n"):
    with open(path, "w", encoding=encoding, newline=newline) as f:
        f.write(text)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    points = shots()

    lines = ["# Site survey, levelled shots", "# X Y Z (m)"]
    lines += ["%.3f %.3f %.3f" % (x, y, z) for _, x, y, z, _ in points]
    write(os.path.join(folder, "site.xyz"), "\n".join(lines) + "\n", newline="\n")

    lines = ["# Field book export, columns of 12 characters", "#       No.           X           Y           Z  Code"]
    lines += ["%12d%12.3f%12.3f%12.3f  %s" % p for p in points]
    write(os.path.join(folder, "site_fixed.txt"), "\n".join(lines) + "\n")

    lines = ["; Shots by instrument station: number, X, Y, Z, code"]
    per_station = (len(points) + STATIONS - 1) // STATIONS
    for s in range(STATIONS):
        lines.append("#Stajaliste %d" % (s + 1))
        lines += ["%d,%.3f,%.3f,%.3f,%s" % p for p in points[s * per_station:(s + 1) * per_station]]
    write(os.path.join(folder, "site_sections.txt"), "\n".join(lines) + "\n")

    # Every third shot, with the names a Croatian field crew writes.
    lines = ["# Snimanje terena: Đakovo, potok Čađavica", "# Mjerio: Željko Šimić", "# X Y Z"]
    lines += ["%.3f %.3f %.3f" % (x, y, z) for _, x, y, z, _ in points[::3]]
    write(os.path.join(folder, "site_utf16.txt"), "\ufeff" + "\n".join(lines) + "\n", encoding="utf-16-le")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "points"))
