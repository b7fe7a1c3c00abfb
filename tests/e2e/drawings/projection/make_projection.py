#!/usr/bin/python3
"""Writes the drawing and the survey file of the projection jobs.

Run with Debian's /usr/bin/python3 (python3-ezdxf) from this folder:
    /usr/bin/python3 make_projection.py

survey.xyz: 400 shots at random places over the square (0,0)-(100,100),
with its four corners, so the surface is the whole square. Elevations
follow a smooth slope with a ripple; the places are random, so no four
shots lie on one circle and every Delaunay triangulation of them is the
same one.

projection.dxf (R2000), every entity at elevations the surface does not
have, so that a draped or moved copy is told from its source:

  LINES   L1  line (10,10,0)-(90,80,0)
          L2  line (-20,50,0)-(50,50,5), starting off the surface
          A1  arc centre (50,50) r 20 from 0 to 90 degrees
          A2  arc centre (30,30) r 10 from 270 to 90 degrees (a half circle)
          P1  LW polyline at elevation 7: (10,90) bulge 0.5 (40,70) bulge
              -0.3 (70,90)
          P2  2D polyline at 4: (20,20) (40,25) bulge 0.4 (60,20)
          P3  3D polyline (80,10,1) (90,40,2) (70,60,3)
          U   LW polyline (90,95) (90,110) (110,110) (110,90) (95,90),
              leaving the surface through its top and coming back through
              its right side
  MARKS   circle centre (25,60) r 2; points (55,35) and (150,150) (off the
          surface); text "T1" at (35,45); TREE (no attributes) at (65,55);
          SPOT (attributes H "?" and NO "1"/"2") at (45,80) and (75,25)
  FACES   F1 (10,40) (20,40) (20,50) (10,50), all on the surface
          F2 (85,50) (120,50) (90,60) (85,60), corner 1 off the surface
          F3 (60,5) (70,5) (70,15) (60,-10), corner 3 off the surface
  OTHER   line (5,5)-(95,5)
"""
import math
import random

import ezdxf

rng = random.Random(14)


def terrain(x, y):
    return 200.0 + 0.2 * x + 3.0 * math.sin(y / 12.0) + 0.01 * x * y / 10.0


shots = [(0.0, 0.0), (100.0, 0.0), (100.0, 100.0), (0.0, 100.0)]
while len(shots) < 400:
    shots.append((round(rng.uniform(0.5, 99.5), 3), round(rng.uniform(0.5, 99.5), 3)))
with open("survey.xyz", "w") as f:
    for x, y in shots:
        f.write("%.3f %.3f %.3f\n" % (x, y, terrain(x, y)))

doc = ezdxf.new("R2000")
for name, colour in [("LINES", 3), ("MARKS", 1), ("FACES", 4), ("OTHER", 8)]:
    doc.layers.add(name, color=colour)

tree = doc.blocks.new("TREE", base_point=(0, 0))
tree.add_circle((0, 0), 1)
spot = doc.blocks.new("SPOT", base_point=(0, 0))
spot.add_point((0, 0))
spot.add_attdef("H", insert=(0.5, 0), text="?", dxfattribs={"height": 0.5})
spot.add_attdef("NO", insert=(0.5, -1), text="0", dxfattribs={"height": 0.5})

msp = doc.modelspace()
lines = {"layer": "LINES"}
marks = {"layer": "MARKS"}
faces = {"layer": "FACES"}

msp.add_line((10, 10, 0), (90, 80, 0), dxfattribs=lines)
msp.add_line((-20, 50, 0), (50, 50, 5), dxfattribs=lines)
msp.add_arc((50, 50), 20, 0, 90, dxfattribs=lines)
msp.add_arc((30, 30), 10, 270, 90, dxfattribs=lines)
msp.add_lwpolyline([(10, 90, 0, 0, 0.5), (40, 70, 0, 0, -0.3), (70, 90, 0, 0, 0)], format="xyseb",
                   dxfattribs={"layer": "LINES", "elevation": 7})
p2 = msp.add_polyline2d([(20, 20), (40, 25), (60, 20)], dxfattribs={"layer": "LINES", "elevation": (0, 0, 4)})
p2.vertices[1].dxf.bulge = 0.4
msp.add_polyline3d([(80, 10, 1), (90, 40, 2), (70, 60, 3)], dxfattribs=lines)
msp.add_lwpolyline([(90, 95), (90, 110), (110, 110), (110, 90), (95, 90)], dxfattribs=lines)

msp.add_circle((25, 60, 9), 2, dxfattribs=marks)
msp.add_point((55, 35, 9), dxfattribs=marks)
msp.add_point((150, 150, 9), dxfattribs=marks)
msp.add_text("T1", dxfattribs={"layer": "MARKS", "insert": (35, 45, 9), "height": 1})
msp.add_blockref("TREE", (65, 55, 9), dxfattribs=marks)
for position, number in [((45, 80, 9), "1"), ((75, 25, 9), "2")]:
    ref = msp.add_blockref("SPOT", position, dxfattribs=marks)
    ref.add_attrib("H", "?", insert=(position[0] + 0.5, position[1], 9))
    ref.add_attrib("NO", number, insert=(position[0] + 0.5, position[1] - 1, 9))

msp.add_3dface([(10, 40, 0), (20, 40, 0), (20, 50, 0), (10, 50, 0)], dxfattribs=faces)
msp.add_3dface([(85, 50, 0), (120, 50, 0), (90, 60, 0), (85, 60, 0)], dxfattribs=faces)
msp.add_3dface([(60, 5, 0), (70, 5, 0), (70, 15, 0), (60, -10, 0)], dxfattribs=faces)

msp.add_line((5, 5, 0), (95, 5, 0), dxfattribs={"layer": "OTHER"})

doc.saveas("projection.dxf")
