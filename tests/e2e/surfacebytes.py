"""The surfaces a saved drawing keeps, read without our code: ezdxf reads
the drawing, and the surface bytes are decoded here from the surface file
format (product/engine/KvbFormat.h):

    NOD -> "KVLX_VANTOR2" -> "SURFACES" -> one xrecord per surface:
        (1 storage) (2 name) ... (310 bytes of the surface file, in chunks)

    surface file: magic(8) version(2) oldest(2) H(4) header(H) crc(4)
                  B(8) body(B) crc(4) [sections the body does not need]
    body:         tolerance(f64) edge limit(f64)
                  points (u32 n, n x 3 f64), break lines (u32 n, n x 6 f64),
                  swaps (u32 n, n x 4 f64), layer records
"""
import struct
import zlib

from e2echeck import expect

MAGIC = b"\x89KVB\r\n\x1a\n"


def body(data, name):
    """The checked body of the surface file `data` of surface `name`."""
    expect(data[:8] == MAGIC, "surface %s: its bytes are not a surface file" % name)
    (h,) = struct.unpack_from("<I", data, 12)
    expect(zlib.crc32(data[:16 + h]) == struct.unpack_from("<I", data, 16 + h)[0],
           "surface %s: the header's checksum is wrong" % name)
    (b,) = struct.unpack_from("<Q", data, 20 + h)
    part = data[28 + h:28 + h + b]
    expect(zlib.crc32(part) == struct.unpack_from("<I", data, 28 + h + b)[0],
           "surface %s: the body's checksum is wrong" % name)
    return part


def definition(data, name):
    """{"points": [(x, y, z)], "lines": [(x1, y1, z1, x2, y2, z2)],
    "swaps": [(x1, y1, x2, y2)]} of the surface file `data`, each number
    rounded to 6 decimals."""
    part = body(data, name)
    at = 16
    result = {}
    for key, width in (("points", 3), ("lines", 6), ("swaps", 4)):
        (n,) = struct.unpack_from("<I", part, at)
        at += 4
        items = [struct.unpack_from("<%dd" % width, part, at + 8 * width * i) for i in range(n)]
        at += 8 * width * n
        result[key] = [tuple(round(c, 6) for c in item) for item in items]
    return result


def drawing_definitions(doc):
    """Name -> definition() of every surface kept in the drawing itself."""
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
        found[names[0]] = definition(b"".join(value for code, value in tags if code == 310), names[0])
    return found
