#!/usr/bin/python3
"""Writes samples/site.dxf: a small survey site for the host's main job.

Layers SURVEY_POINTS (spot heights as POINT entities at their elevation),
LABELS (TEXT with each point's number and elevation), BREAKLINES (a 3D
polyline along the creek bed), ROADS (the road centreline, a lightweight
polyline with a curve) and ELEVATION_MARKS (an elevation-marker block with an
ELEV attribute, inserted at the benchmarks).

The heights come from a smooth made-up terrain sampled on a jittered grid
with a fixed seed, so every run writes the same drawing.

usage: make_site.py [OUT.dxf]   (default: samples/site.dxf beside this folder)
"""
import math
import os
import random
import sys

import ezdxf

ORIGIN_X, ORIGIN_Y = 1000.0, 2000.0
WIDTH, DEPTH = 180.0, 120.0


def terrain(x, y):
    """Elevation in metres at site coordinates (x, y from the south-west corner)."""
    slope = 250.0 + 0.045 * x + 0.02 * y
    hills = 2.5 * math.sin(x / 38.0) * math.cos(y / 29.0)
    creek = -3.0 * math.exp(-((y - 0.35 * x - 30.0) ** 2) / 120.0)
    return slope + hills + creek


def main(out_path):
    rng = random.Random(20240611)
    doc = ezdxf.new("R2013", setup=False)
    doc.header["$INSUNITS"] = 6  # metres
    doc.layers.add("SURVEY_POINTS", color=3)
    doc.layers.add("LABELS", color=7)
    doc.layers.add("BREAKLINES", color=4)
    doc.layers.add("ROADS", color=1, lineweight=35)
    doc.layers.add("ELEVATION_MARKS", color=2)
    doc.styles.add("SURVEY", font="romans.shx")

    mark = doc.blocks.new("ELEV_MARK")
    mark.add_circle((0, 0), 0.75, dxfattribs={"layer": "0"})
    mark.add_line((-1.2, 0), (1.2, 0), dxfattribs={"layer": "0"})
    mark.add_line((0, -1.2), (0, 1.2), dxfattribs={"layer": "0"})
    mark.add_attdef("ELEV", insert=(1.0, 0.4), text="0.00",
                    dxfattribs={"height": 0.8, "prompt": "Elevation", "style": "SURVEY"})

    msp = doc.modelspace()
    number = 0
    for row in range(6):
        for col in range(7):
            x = col * WIDTH / 6 + rng.uniform(-6.0, 6.0)
            y = row * DEPTH / 5 + rng.uniform(-5.0, 5.0)
            x, y = min(max(x, 0.0), WIDTH), min(max(y, 0.0), DEPTH)
            z = round(terrain(x, y), 3)
            number += 1
            wx, wy = ORIGIN_X + x, ORIGIN_Y + y
            msp.add_point((wx, wy, z), dxfattribs={"layer": "SURVEY_POINTS"})
            msp.add_text(f"{number} {z:.2f}", dxfattribs={"insert": (wx + 0.8, wy + 0.8), "height": 1.2,
                                                          "layer": "LABELS", "style": "SURVEY"})

    # The creek bed as a break line, following the valley of the terrain.
    creek = []
    for i in range(9):
        x = 5.0 + i * (WIDTH - 10.0) / 8
        y = min(max(0.35 * x + 30.0 + rng.uniform(-1.0, 1.0), 0.0), DEPTH)
        creek.append((ORIGIN_X + x, ORIGIN_Y + y, round(terrain(x, y) - 0.4, 3)))
    msp.add_polyline3d(creek, dxfattribs={"layer": "BREAKLINES"})

    # The road centreline: a straight, a curve to the left (bulge), a straight.
    road = [(ORIGIN_X + 10.0, ORIGIN_Y + 100.0, 0.0, 0.0, 0.0),
            (ORIGIN_X + 80.0, ORIGIN_Y + 95.0, 0.0, 0.0, 0.35),
            (ORIGIN_X + 130.0, ORIGIN_Y + 60.0, 0.0, 0.0, 0.0),
            (ORIGIN_X + 170.0, ORIGIN_Y + 15.0, 0.0, 0.0, 0.0)]
    msp.add_lwpolyline(road, format="xyseb", dxfattribs={"layer": "ROADS"})

    # Benchmarks with their elevation in the marker's attribute.
    for bx, by in ((15.0, 10.0), (165.0, 12.0), (90.0, 110.0), (60.0, 55.0)):
        z = round(terrain(bx, by), 2)
        ref = msp.add_blockref("ELEV_MARK", (ORIGIN_X + bx, ORIGIN_Y + by, z),
                               dxfattribs={"layer": "ELEVATION_MARKS"})
        ref.add_auto_attribs({"ELEV": f"{z:.2f}"})

    doc.saveas(out_path)


if __name__ == "__main__":
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "site.dxf")
    main(os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else default))
