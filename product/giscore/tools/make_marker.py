#!/usr/bin/python3
"""Writes the elevation-marker drawing, product/giscore/data/symbols/KVX_ELEV.dxf.

    /usr/bin/python3 product/giscore/tools/make_marker.py

Needs Debian's python3-ezdxf (scripts/setup.sh installs it).

The drawing holds the block "KVX_ELEV": a cross with a small circle at the
base point (0, 0), and one attribute definition, tag "ELEV", that receives
the elevation text to the upper right of the cross. The same marker is also
drawn in the model space, with $INSBASE at (0, 0, 0), so that a reader that
takes a whole drawing as one block definition gets the same block as one
that copies the named block. Everything is on layer "0" with colour and
linetype ByLayer, so an inserted marker takes the layer it is put on.
Sizes are drawing units at scale 1: a cross 1 wide, text 0.5 high.
"""
import os
import sys

import ezdxf

BLOCK = "KVX_ELEV"
TAG = "ELEV"


def draw_marker(space):
    space.add_line((-0.5, 0.0), (0.5, 0.0))
    space.add_line((0.0, -0.5), (0.0, 0.5))
    space.add_circle((0.0, 0.0), 0.2)
    space.add_attdef(
        TAG,
        insert=(0.35, 0.15),
        text="0.00",
        dxfattribs={"height": 0.5, "prompt": "Elevation", "layer": "0"},
    )


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data", "symbols", BLOCK + ".dxf")
    doc = ezdxf.new("R2000")
    doc.header["$INSBASE"] = (0.0, 0.0, 0.0)
    draw_marker(doc.blocks.new(BLOCK, base_point=(0.0, 0.0, 0.0)))
    draw_marker(doc.modelspace())
    doc.saveas(os.path.normpath(out))


if __name__ == "__main__":
    main()
