"""The definitions of the surfaces a saved drawing holds (points, break
lines, swaps), decoded here from the surface file format without our code
(product/engine/KvbFormat.h), and the break-line segments that a drawing's
entities make, computed from ezdxf's view of them."""
from e2echeck import expect
# Name -> {"points", "lines", "swaps"} of every surface kept in the drawing.
from surfacebytes import drawing_definitions as definitions


def segments(doc, types=("LINE", "LWPOLYLINE", "POLYLINE"), layers=None):
    """The segments (x1, y1, z1, x2, y2, z2) of the drawing's lines and
    polylines of the given types on the given layers (None: all), one per
    pair of consecutive vertices, no closing segment."""
    out = []
    for e in doc.modelspace():
        if e.dxftype() not in types or (layers is not None and e.dxf.layer not in layers):
            continue
        if e.dxftype() == "LINE":
            vertices = [tuple(e.dxf.start), tuple(e.dxf.end)]
        elif e.dxftype() == "LWPOLYLINE":
            vertices = [(x, y, e.dxf.elevation) for x, y in e.get_points("xy")]
        else:
            z = e.dxf.elevation[2] if not e.is_3d_polyline else None
            vertices = [(v.dxf.location[0], v.dxf.location[1], v.dxf.location[2] if z is None else z)
                        for v in e.vertices]
        for a, b in zip(vertices, vertices[1:]):
            out.append(tuple(round(float(c), 6) for c in (*a, *b)))
    return out


def expect_lines(doc, surface, expected):
    """The surface holds exactly these break lines (in any order)."""
    got = definitions(doc)
    expect(surface in got, "the drawing holds no surface %s (it holds %s)" % (surface, sorted(got)))
    lines = got[surface]["lines"]
    missing = sorted(set(expected) - set(lines))
    extra = sorted(set(lines) - set(expected))
    expect(not missing and not extra and len(lines) == len(expected),
           "surface %s: %d break lines; missing %s; not expected %s" % (surface, len(lines), missing, extra))
