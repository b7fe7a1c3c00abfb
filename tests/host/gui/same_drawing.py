"""Two saved drawings hold the same thing: the same entities of model
space (kind, layer, points and texts) and the same surfaces with the same
points. Used to check that a recorded desktop session replayed in batch
gives the drawing the person made.

    same_drawing.py FIRST.dxf SECOND.dxf [SURFACE MIN_POINTS]
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e", "checks",
                                "points_drawing"))
from e2echeck import expect, read_dxf  # noqa: E402
from surfaces import surfaces  # noqa: E402


def entities(doc):
    found = []
    for e in doc.modelspace():
        kind = e.dxftype()
        key = [kind, e.dxf.layer]
        for name in ("start", "end", "insert", "center", "location"):
            if e.dxf.hasattr(name):
                key.append(tuple(round(c, 6) for c in e.dxf.get(name)))
        if kind in ("TEXT", "MTEXT"):
            key.append(e.dxf.text)
        found.append(tuple(key))
    return sorted(found, key=repr)


first, second = read_dxf(sys.argv[1]), read_dxf(sys.argv[2])
a, b = entities(first), entities(second)
expect(a == b, "the entities differ: %d against %d; first differences %s"
       % (len(a), len(b), [x for x in a if x not in b][:3] + [x for x in b if x not in a][:3]))
sa, sb = surfaces(first), surfaces(second)
expect(sa == sb, "the surfaces differ: %s against %s"
       % ({k: len(v) for k, v in sa.items()}, {k: len(v) for k, v in sb.items()}))
if len(sys.argv) > 4:
    name, least = sys.argv[3], int(sys.argv[4])
    expect(len(sa.get(name, [])) >= least, "surface %s holds %d points, fewer than %d"
           % (name, len(sa.get(name, [])), least))
print("the same drawing: %d entities, surfaces %s" % (len(a), {k: len(v) for k, v in sa.items()}))
