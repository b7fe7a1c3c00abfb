#!/usr/bin/python3
"""Writes entities.dxf, the survey drawing that point loading reads.

Run with Debian's /usr/bin/python3 (python3-ezdxf) from this folder:
    /usr/bin/python3 make_entities.py
then renew points_drawing.dxf (the same drawing holding the surface
"Teren"): the test PointsDrawing.* of build/bin/test_module_points makes
that drawing anew and compares it with the file; when they differ it names
the drawing it made, to copy here.

Plan (x, y) positions are far apart, so every point stays its own unless
a case shares one on purpose (the line's end and the arc's start).

  layer TEREN  line (0,0,10)-(10,0,11); arc centre (10,5,12) r 5 from
               (10,0,12) to (10,10,12); LW polyline at elevation 13
               (20,0) (25,5) (20,10); 2D polyline at 14 (30,0) (35,5);
               3D polyline (40,0,15) (45,5,16) (40,10,17); circle centre
               (50,5,18); 3D face (80,0,1) (85,0,2) (85,5,3) (85,5,3)
  layer KOTE   points (60,0,19) (60,10,20); texts "123.5" at (70,0,0),
               "abc" at (70,10,5), "" at (70,20,7); KOTA references at
               (90,0,0) VISINA "101.25" and (90,10,0) VISINA ""; STABLO
               (no attributes) at (100,0,21); ZNAK at (110,0,22)
  layer OSTALO line (0,50,30)-(10,50,31), point (120,0,32)
"""
import ezdxf

doc = ezdxf.new("R2000")
for name, colour in [("TEREN", 3), ("KOTE", 1), ("OSTALO", 8)]:
    doc.layers.add(name, color=colour)

kota = doc.blocks.new("KOTA", base_point=(0, 0))
kota.add_point((0, 0))
kota.add_attdef("VISINA", insert=(0.5, 0), text="0.00", dxfattribs={"height": 0.5})
kota.add_attdef("BROJ", insert=(0.5, -1), text="0", dxfattribs={"height": 0.5})
stablo = doc.blocks.new("STABLO", base_point=(0, 0))
stablo.add_circle((0, 0), 1)
znak = doc.blocks.new("ZNAK", base_point=(0, 0))
znak.add_line((-1, 0), (1, 0))
znak.add_attdef("OZNAKA", insert=(0, 0.5), text="?", dxfattribs={"height": 0.5})

msp = doc.modelspace()
teren = {"layer": "TEREN"}
kote = {"layer": "KOTE"}
ostalo = {"layer": "OSTALO"}

msp.add_line((0, 0, 10), (10, 0, 11), dxfattribs=teren)
msp.add_arc((10, 5, 12), 5, 270, 90, dxfattribs=teren)
msp.add_lwpolyline([(20, 0), (25, 5), (20, 10)], dxfattribs={"layer": "TEREN", "elevation": 13})
msp.add_polyline2d([(30, 0), (35, 5)], dxfattribs={"layer": "TEREN", "elevation": (0, 0, 14)})
msp.add_polyline3d([(40, 0, 15), (45, 5, 16), (40, 10, 17)], dxfattribs=teren)
msp.add_circle((50, 5, 18), 2, dxfattribs=teren)
msp.add_3dface([(80, 0, 1), (85, 0, 2), (85, 5, 3), (85, 5, 3)], dxfattribs=teren)

msp.add_point((60, 0, 19), dxfattribs=kote)
msp.add_point((60, 10, 20), dxfattribs=kote)
msp.add_text("123.5", dxfattribs={"layer": "KOTE", "insert": (70, 0, 0), "height": 1})
msp.add_text("abc", dxfattribs={"layer": "KOTE", "insert": (70, 10, 5), "height": 1})
msp.add_text("", dxfattribs={"layer": "KOTE", "insert": (70, 20, 7), "height": 1})

for position, visina in [((90, 0, 0), "101.25"), ((90, 10, 0), "")]:
    ref = msp.add_blockref("KOTA", position, dxfattribs=kote)
    ref.add_attrib("VISINA", visina, insert=(position[0] + 0.5, position[1], 0))
    ref.add_attrib("BROJ", "7", insert=(position[0] + 0.5, position[1] - 1, 0))
msp.add_blockref("STABLO", (100, 0, 21), dxfattribs=kote)
znak_ref = msp.add_blockref("ZNAK", (110, 0, 22), dxfattribs=kote)
znak_ref.add_attrib("OZNAKA", "Z1", insert=(110, 0.5, 0))

msp.add_line((0, 50, 30), (10, 50, 31), dxfattribs=ostalo)
msp.add_point((120, 0, 32), dxfattribs=ostalo)

doc.saveas("entities.dxf")
