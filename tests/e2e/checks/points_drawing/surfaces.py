"""The surfaces a saved drawing holds, read without our code: ezdxf reads
the drawing, and the surface bytes are decoded here from the surface file
format (product/engine/KvbFormat.h):

    NOD -> "KVLX_VANTOR2" -> "SURFACES" -> one xrecord per surface:
        (1 storage) (2 name) ... (310 bytes of the surface file, in chunks)

    surface file: magic(8) version(2) oldest(2) H(4) header(H) crc(4)
                  B(8) body(B) crc(4)
    body:         tolerance(f64) edge limit(f64) n(u32) n x (x y z f64) ...
"""
import struct
import zlib

from e2echeck import expect, fail

MAGIC = b"\x89KVB\r\n\x1a\n"


def _points(data, name):
    expect(data[:8] == MAGIC, "surface %s: its bytes are not a surface file" % name)
    (h,) = struct.unpack_from("<I", data, 12)
    expect(zlib.crc32(data[:16 + h]) == struct.unpack_from("<I", data, 16 + h)[0],
           "surface %s: the header's checksum is wrong" % name)
    (b,) = struct.unpack_from("<Q", data, 20 + h)
    body = data[28 + h:28 + h + b]
    expect(zlib.crc32(body) == struct.unpack_from("<I", data, 28 + h + b)[0],
           "surface %s: the body's checksum is wrong" % name)
    (n,) = struct.unpack_from("<I", body, 16)
    return [struct.unpack_from("<3d", body, 20 + 24 * i) for i in range(n)]


def surfaces(doc):
    """Name -> sorted list of (x, y, z) rounded to 6 decimals, for every
    surface kept in the drawing."""
    root = doc.rootdict
    if "KVLX_VANTOR2" not in root:
        return {}
    folder = root["KVLX_VANTOR2"]
    if "SURFACES" not in folder:
        return {}
    found = {}
    for _, record in folder["SURFACES"].items():
        tags = list(record.tags)
        names = [value for code, value in tags if code == 2]
        storage = [value for code, value in tags if code == 1]
        expect(len(names) == 1, "a surface record without one name: %s" % tags[:4])
        if storage != ["dict"]:
            continue
        data = b"".join(value for code, value in tags if code == 310)
        found[names[0]] = sorted(tuple(round(c, 6) for c in p) for p in _points(data, names[0]))
    return found


def expect_surfaces(doc, expected):
    """Every surface with exactly its points, and no other surface."""
    got = surfaces(doc)
    if sorted(got) != sorted(expected):
        fail("the drawing holds the surfaces %s, not %s" % (sorted(got), sorted(expected)))
    for name, points in expected.items():
        want = sorted(tuple(float(c) for c in p) for p in points)
        if got[name] != want:
            missing = [p for p in want if p not in got[name]]
            extra = [p for p in got[name] if p not in want]
            fail("surface %s: %d points; missing %s; not expected %s" % (name, len(got[name]), missing, extra))
