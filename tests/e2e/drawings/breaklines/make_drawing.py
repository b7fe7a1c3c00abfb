#!/usr/bin/python3
"""Writes breaklines.dxf, the drawing the break-line and swap jobs work on.

Run with Debian's /usr/bin/python3 (python3-ezdxf) from this folder:
    /usr/bin/python3 make_drawing.py

  layer SURVEY  points of a small site: a 5 x 5 grid, 0..40 by 10, whose
                rows are nudged so that no four points share a circle, and
                the corner (52, 52); z = x / 10 + y / 20
  layer CREEK   3D polyline (2,3,1) (12,14,2) (25,21,3) (37,33,4)
  layer ROAD    line (5,36,8)-(35,36,9); LW polyline at elevation 7:
                (3,8) (15,6) (27,8) (38,6); closed LW polyline at 6:
                (18,25) (24,25) (24,31) (18,31) (its closing side is no
                segment); 2D polyline at 5: (33,2) (36,12) (31,22)
  layer OTHER   line (1,1,0)-(39,39,0); 3D polyline (30,30,1) (35,38,2);
                arc, circle, point and text (never break lines)
  layer SINGLE  a LW polyline of one vertex (nothing to join)
  layer QUAD    four points for the swaps: A (100,0,0) B (110,0,1)
                C (112,12,2) D (100,10,3); their triangles are ABD and
                BCD (C lies outside the circle through A, B and D)
"""
import ezdxf

doc = ezdxf.new("R2000")
for name, colour in [("SURVEY", 7), ("CREEK", 5), ("ROAD", 1), ("OTHER", 8), ("SINGLE", 2), ("QUAD", 4)]:
    doc.layers.add(name, color=colour)
msp = doc.modelspace()

for i in range(5):
    for j in range(5):
        x, y = 10.0 * i + 0.3 * (j % 2) + 0.07 * i * j, 10.0 * j + 0.2 * (i % 3)
        msp.add_point((x, y, x / 10 + y / 20), dxfattribs={"layer": "SURVEY"})
msp.add_point((52, 52, 52 / 10 + 52 / 20), dxfattribs={"layer": "SURVEY"})

msp.add_polyline3d([(2, 3, 1), (12, 14, 2), (25, 21, 3), (37, 33, 4)], dxfattribs={"layer": "CREEK"})

msp.add_line((5, 36, 8), (35, 36, 9), dxfattribs={"layer": "ROAD"})
msp.add_lwpolyline([(3, 8), (15, 6), (27, 8), (38, 6)], dxfattribs={"layer": "ROAD", "elevation": 7})
msp.add_lwpolyline([(18, 25), (24, 25), (24, 31), (18, 31)], close=True,
                   dxfattribs={"layer": "ROAD", "elevation": 6})
msp.add_polyline2d([(33, 2), (36, 12), (31, 22)], dxfattribs={"layer": "ROAD", "elevation": (0, 0, 5)})

msp.add_line((1, 1, 0), (39, 39, 0), dxfattribs={"layer": "OTHER"})
msp.add_polyline3d([(30, 30, 1), (35, 38, 2)], dxfattribs={"layer": "OTHER"})
msp.add_arc((20, 20, 0), 5, 0, 90, dxfattribs={"layer": "OTHER"})
msp.add_circle((10, 30, 0), 2, dxfattribs={"layer": "OTHER"})
msp.add_point((15, 15, 3), dxfattribs={"layer": "OTHER"})
msp.add_text("creek", dxfattribs={"layer": "OTHER", "insert": (5, 5, 0), "height": 1})

msp.add_lwpolyline([(45, 45)], dxfattribs={"layer": "SINGLE"})

for p in [(100, 0, 0), (110, 0, 1), (112, 12, 2), (100, 10, 3)]:
    msp.add_point(p, dxfattribs={"layer": "QUAD"})

doc.saveas("breaklines.dxf")
