#!/usr/bin/python3
"""Writes wrapper_drawing.dxf, the drawing the CAD wrapper tests read.

Run with Debian's /usr/bin/python3 (python3-ezdxf) from this folder:
    /usr/bin/python3 make_drawing.py

Every entity sits on a layer named after its kind, so a test finds it by
layer. The named object dictionary holds two surfaces in the form of the
product's previous generation: a dictionary "KVX_SURFACE" with the list of
names and the active name, and one dictionary "KVX_SURFACE.<name>" per
surface, each value an xrecord under its key.
"""
import ezdxf

doc = ezdxf.new("R2000")
doc.linetypes.add("DASHED", pattern=[0.75, 0.5, -0.25], description="Dashed __ __ __")
for name, colour in [("LINE", 1), ("ARC", 2), ("CIRCLE", 3), ("POINT", 4), ("TEXT", 5), ("LWPOLYLINE", 6),
                     ("POLYLINE2D", 7), ("POLYLINE3D", 8), ("FACE", 9), ("INSERT", 10), ("DRAW", 11)]:
    doc.layers.add(name, color=colour)
doc.layers.get("DRAW").dxf.linetype = "DASHED"

block = doc.blocks.new("MARK", base_point=(0, 0))
block.add_circle((0, 0), 0.5)
block.add_attdef("ELEV", insert=(1, 0), text="0.00", dxfattribs={"height": 0.5})
block.add_attdef("NAME", insert=(1, -1), text="?", dxfattribs={"height": 0.5})

msp = doc.modelspace()
msp.add_line((0, 0, 1), (10, 0, 2), dxfattribs={"layer": "LINE"})
msp.add_arc((5, 5, 0), 2, 0, 90, dxfattribs={"layer": "ARC"})
msp.add_circle((20, 20, 3), 1.5, dxfattribs={"layer": "CIRCLE"})
msp.add_point((7, 8, 9), dxfattribs={"layer": "POINT"})
msp.add_text("123.5", dxfattribs={"layer": "TEXT", "insert": (30, 30, 0), "height": 2})
msp.add_lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], close=True,
                   dxfattribs={"layer": "LWPOLYLINE", "elevation": 5})
msp.add_polyline2d([(0, 0), (5, 5), (10, 0)], dxfattribs={"layer": "POLYLINE2D", "elevation": (0, 0, 3)})
msp.add_polyline3d([(0, 0, 1), (5, 5, 2), (10, 0, 3)], dxfattribs={"layer": "POLYLINE3D"})
msp.add_3dface([(0, 0, 1), (1, 0, 2), (1, 1, 3), (1, 1, 3)], dxfattribs={"layer": "FACE"})
ref = msp.add_blockref("MARK", (50, 50, 0), dxfattribs={"layer": "INSERT"})
ref.add_attrib("ELEV", "100.25", insert=(51, 50, 0), dxfattribs={"height": 0.5})
ref.add_attrib("NAME", "P1", insert=(51, 49, 0), dxfattribs={"height": 0.5})


def xrecord(dictionary, key, tags):
    record = dictionary.add_xrecord(key)
    record.reset(tags)


root = doc.rootdict
surfaces = root.add_new_dict("KVX_SURFACE")
xrecord(surfaces, "PLOHE", [(1, "Teren"), (1, "Cesta")])
xrecord(surfaces, "AKTIVNA", [(1, "Teren")])
teren = root.add_new_dict("KVX_SURFACE.Teren")
xrecord(teren, "TOCKE", [(10, (0.0, 0.0, 100.0)), (10, (10.0, 0.0, 101.5)), (10, (0.0, 10.0, 102.25))])
xrecord(teren, "C_MNT", [(70, 3)])
xrecord(teren, "L_MNT", [(1, "MNT")])
xrecord(teren, "LT_MNT", [(1, "DASHED")])
xrecord(teren, "DESCRIPTION", [(1, "Old terrain")])
cesta = root.add_new_dict("KVX_SURFACE.Cesta")
xrecord(cesta, "TOCKE", [(10, (1.0, 2.0, 3.0))])

doc.saveas("wrapper_drawing.dxf")
