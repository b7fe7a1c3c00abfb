#!/usr/bin/python3
"""Writes a drawing with every kind the host keeps, made by ezdxf (another
program than ours): layers, linetypes, a block with attribute definitions
inserted with attributes, every entity kind, extended data, nested
dictionaries, xrecords of every value kind and groups.

usage: make_drawing.py OUT.dxf
"""
import sys

import ezdxf


def main(out_path):
    doc = ezdxf.new("R2013", setup=False)
    doc.header["$INSUNITS"] = 6
    doc.linetypes.add("DASHDOT_UV", pattern=[2.0, 1.2, -0.3, 0.0, -0.5], description="Dash dot __ . __")
    doc.layers.add("SURVEY", color=3, linetype="DASHDOT_UV")
    doc.layers.add("ROADS", color=1, lineweight=50)
    hidden = doc.layers.add("HIDDEN", color=5)
    hidden.off()
    frozen = doc.layers.add("FROZEN", color=6)
    frozen.freeze()
    doc.layers.add("Čelik ŽÄ", color=2)
    doc.appids.add("UV_APP")
    doc.appids.add("UV_OTHER")
    doc.styles.add("LABELS", font="arial.ttf")

    blk = doc.blocks.new("ELEV_MARK", base_point=(1, 2, 0))
    blk.add_circle((0, 0), 0.5, dxfattribs={"layer": "SURVEY"})
    blk.add_line((-1, 0), (1, 0))
    blk.add_attdef("ELEV", insert=(0.7, 0.2), text="0.00", dxfattribs={"height": 0.3, "prompt": "Elevation?"})
    blk.add_attdef("CODE", insert=(0.7, -0.5), text="PT",
                   dxfattribs={"height": 0.2, "prompt": "Code", "flags": 1})

    msp = doc.modelspace()
    line = msp.add_line((0, 0, 0), (10, 5, 1), dxfattribs={"layer": "ROADS", "color": 256, "lineweight": 35})
    line.set_xdata("UV_APP", [(1000, "road edge"), (1002, "{"), (1070, 7), (1071, 123456), (1002, "}"),
                              (1040, 2.5), (1010, (1.0, 2.0, 3.0)), (1004, b"\x01\x02\xfe"),
                              (1005, "2F")])
    line.set_xdata("UV_OTHER", [(1000, "Žluťoučký kůň")])
    msp.add_arc((5, 5), 3, 30, 120, dxfattribs={"layer": "SURVEY", "color": 0})
    msp.add_circle((-4, 2, 1.5), 2.25, dxfattribs={"linetype": "DASHDOT_UV"})
    msp.add_point((3, 4, 101.25), dxfattribs={"layer": "SURVEY", "color": 4})
    msp.add_text("Bod 1 – ŠČ", dxfattribs={"insert": (3, 4.5), "height": 0.5, "rotation": 15,
                                          "style": "LABELS", "layer": "SURVEY"})
    centred = msp.add_text("centred", dxfattribs={"height": 0.4})
    centred.set_placement((20, 20), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
    lw = msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (10, 0, 0, 0, 0), (10, 10, 0, 0, -1.0), (0, 10)],
                            format="xyseb", dxfattribs={"layer": "ROADS", "elevation": 12.5})
    lw.closed = True
    p2 = msp.add_polyline2d([(0, 0), (5, 0), (5, 5)], dxfattribs={"layer": "ROADS"})
    p2.vertices[1].dxf.bulge = 0.25
    p2.close(True)
    msp.add_polyline3d([(0, 0, 100), (10, 0, 101.5), (10, 10, 99.25), (20, 15, 98.0)],
                       dxfattribs={"layer": "SURVEY"})
    msp.add_3dface([(0, 0, 1), (1, 0, 2), (1, 1, 3), (0, 1, 4)], dxfattribs={"invisible": 0b0101})
    msp.add_3dface([(5, 5, 1), (6, 5, 2), (6, 6, 3)])
    ref = msp.add_blockref("ELEV_MARK", (50, 60, 100.5), dxfattribs={"xscale": 2, "yscale": 2, "rotation": 30})
    ref.add_auto_attribs({"ELEV": "100.50", "CODE": "TR"})
    msp.add_blockref("ELEV_MARK", (70, 60, 99.0)).add_auto_attribs({"ELEV": "99.00", "CODE": "ST"})

    group = doc.groups.new("ROAD_EDGES", description="edges of the road", selectable=True)
    group.extend([line, lw])
    doc.groups.new("POINTS_ONLY", selectable=False).extend([p2])

    root = doc.rootdict.add_new_dict("UV_TEST")
    sub = root.add_new_dict("SURFACES")
    xrec = sub.add_xrecord("Teren")
    xrec.reset([(1, "Terén – sever"), (2, "second"), (300, "long text"), (70, 3), (90, 123456789), (170, -4),
                (280, 1), (40, 1.5), (140, -0.125), (10, (1.0, 2.0, 3.0)), (11, (4.0, 5.0, 6.0)),
                (310, b"\x00\x10\x20\xff"), (340, line.dxf.handle), (360, lw.dxf.handle)])
    root.add_xrecord("EMPTYISH").reset([(1, "only")])
    doc.saveas(out_path)


if __name__ == "__main__":
    main(sys.argv[1])
