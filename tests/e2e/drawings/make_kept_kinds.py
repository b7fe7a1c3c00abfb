#!/usr/bin/python3
"""Writes drawings/kept_kinds.dxf: the drawing of the data-loss report, made
by ezdxf: MTEXT, SPLINE, ELLIPSE, HATCH, a DIMENSION with its block, a
LEADER, a LINE and a TEXT.

usage: make_kept_kinds.py OUT.dxf
"""
import sys

import ezdxf

doc = ezdxf.new("R2013", setup=False)
msp = doc.modelspace()
msp.add_mtext("{\\fArial|b1;Title block}\\PSurveyed 2009", dxfattribs={"insert": (0, 30), "char_height": 2})
msp.add_spline([(0, 0), (10, 8), (20, 2), (30, 10)])
msp.add_ellipse((50, 10), major_axis=(10, 0), ratio=0.5)
hatch = msp.add_hatch(color=3)
hatch.paths.add_polyline_path([(40, 20), (60, 20), (60, 30), (40, 30)], is_closed=True)
msp.add_linear_dim(base=(0, -10), p1=(0, -5), p2=(30, -5)).render()
msp.add_leader([(30, 30), (35, 35), (45, 35)])
msp.add_line((0, -20), (60, -20))
msp.add_text("north", dxfattribs={"insert": (0, -25), "height": 2})
doc.saveas(sys.argv[1])
