"""The definitions of the surfaces a saved drawing holds (points, break
lines, swaps), decoded here from the surface file format without our code
(product/engine/KvbFormat.h), and the break-line segments that a drawing's
entities make, computed from ezdxf's view of them."""
import struct
import zlib

from e2echeck import expect

MAGIC = b"\x89KVB\r\n\x1a\n"


def _body(data, name):
    expect(data[:8] == MAGIC, "surface %s: its bytes are not a surface file" % name)
    (h,) = struct.unpack_from("<I", data, 12)
    expect(zlib.crc32(data[:16 + h]) == struct.unpack_from("<I", data, 16 + h)[0],
           "surface %s: the header's checksum is wrong" % name)
    (b,) = struct.unpack_from("<Q", data, 20 + h)
    body = data[28 + h:28 + h + b]
    expect(zlib.crc32(body) == struct.unpack_from("<I", data, 28 + h + b)[0],
           "surface %s: the body's checksum is wrong" % name)
    return body


def _decode(body):
    at = 16
    result = {}
    for key, width in (("points", 3), ("lines", 6), ("swaps", 4)):
        (n,) = struct.unpack_from("<I", body, at)
        at += 4
        items = [struct.unpack_from("<%dd" % width, body, at + 8 * width * i) for i in range(n)]
        at += 8 * width * n
        result[key] = [tuple(round(c, 6) for c in item) for item in items]
    return result


def definitions(doc):
    """Name -> {"points", "lines", "swaps"} of every surface kept in the drawing."""
    root = doc.rootdict
    if "KVLX_VANTOR2" not in root or "SURFACES" not in root["KVLX_VANTOR2"]:
        return {}
    found = {}
    for _, record in root["KVLX_VANTOR2"]["SURFACES"].items():
        tags = list(record.tags)
        names = [value for code, value in tags if code == 2]
        storage = [value for code, value in tags if code == 1]
        expect(len(names) == 1, "a surface record without one name: %s" % tags[:4])
        if storage != ["dict"]:
            continue
        found[names[0]] = _decode(_body(b"".join(value for code, value in tags if code == 310), names[0]))
    return found


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
