#!/usr/bin/python3
"""The peers of bench_projection on the same data, with Debian's python3-scipy and
python3-ezdxf. Prints "key value" lines (seconds of CPU time).

  peers.py DIR   reads DIR/points.xyz and DIR/vertices.xy as bench_projection wrote them

scipy_triangulate_seconds: scipy's Delaunay of the surface's points (not compared: the
surface is built once, before any drape). scipy_vertices_seconds: scipy interpolating the
10,000 vertices of the road on that triangulation, without the crossings of triangle sides
or the arcs that a drape adds: a lower bound of draping. ezdxf_markers_seconds: ezdxf adding
10,000 references of a marker block with one attribute each.
"""
import sys
import time

import ezdxf
import numpy as np
from scipy.interpolate import LinearNDInterpolator
from scipy.spatial import Delaunay


def report(key, value):
    print("%s %.6g" % (key, value))


folder = sys.argv[1]
xyz = np.fromfile(folder + "/points.xyz", dtype="<f8").reshape(-1, 3)
xy = np.fromfile(folder + "/vertices.xy", dtype="<f8").reshape(-1, 2)

t = time.process_time()
tri = Delaunay(xyz[:, :2])
report("scipy_triangulate_seconds", time.process_time() - t)
interpolate = LinearNDInterpolator(tri, xyz[:, 2])
t = time.process_time()
z = interpolate(xy)
report("scipy_vertices_seconds", time.process_time() - t)
report("scipy_vertices_on", int(np.count_nonzero(~np.isnan(z))))

doc = ezdxf.new("R2000")
marker = doc.blocks.new("KVX_ELEV")
marker.add_line((-1, 0), (1, 0))
marker.add_line((0, -1), (0, 1))
marker.add_circle((0, 0), 0.5)
marker.add_attdef("ELEV", insert=(0.6, 0.2), text="0.00", dxfattribs={"height": 0.5})
msp = doc.modelspace()
t = time.process_time()
for (x, y), h in zip(xy, z):
    ref = msp.add_blockref("KVX_ELEV", (x, y + 1.0, h))
    ref.add_auto_attribs({"ELEV": "%.2f" % h})
report("ezdxf_markers_seconds", time.process_time() - t)
