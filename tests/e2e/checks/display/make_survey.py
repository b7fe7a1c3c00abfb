"""Writes the survey the display jobs load and the drawing they start from:

  display_survey.xyz   17000 shots "x y z" in a 1000 x 1000 site, enough for
                       more than 32767 triangles (the 16-bit tag wraps)
  display_area.dxf     a closed lightweight polyline, the area of the grid

Usage: make_survey.py FOLDER"""
import math
import os
import random
import sys

import ezdxf

folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
rng = random.Random(20261206)
seen = set()
with open(os.path.join(folder, "display_survey.xyz"), "w") as out:
    out.write("# x y z\n")
    while len(seen) < 17000:
        x, y = round(rng.uniform(0, 1000), 3), round(rng.uniform(0, 1000), 3)
        if (x, y) in seen:
            continue
        seen.add((x, y))
        z = 100 + 20 * math.sin(x / 150) * math.cos(y / 200) + rng.uniform(0, 0.5)
        out.write("%.3f %.3f %.3f\n" % (x, y, z))

doc = ezdxf.new("R2010")
doc.modelspace().add_lwpolyline([(120, 140), (610, 180), (700, 520), (380, 760), (150, 500)], close=True)
doc.saveas(os.path.join(folder, "display_area.dxf"))
