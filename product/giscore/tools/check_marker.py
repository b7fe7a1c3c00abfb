#!/usr/bin/python3
"""Checks an elevation-marker drawing with ezdxf, an independent reader.

    /usr/bin/python3 check_marker.py KVX_ELEV.dxf

Exits 0 when the file reads, ezdxf's audit finds no error, and the block
"KVX_ELEV" holds exactly one attribute definition (tag "ELEV") beside some
marker geometry; otherwise prints what is wrong, naming the file, and exits 1.
"""
import sys

import ezdxf


def problems(path):
    try:
        doc = ezdxf.readfile(path)
    except (IOError, ezdxf.DXFStructureError) as e:
        return ["cannot read: %s" % e]
    out = []
    auditor = doc.audit()
    out += ["audit: %s" % e.message for e in auditor.errors]
    block = doc.blocks.get("KVX_ELEV")
    if block is None:
        return out + ["no block KVX_ELEV"]
    attdefs = [e for e in block if e.dxftype() == "ATTDEF"]
    if len(attdefs) != 1:
        out.append("block KVX_ELEV has %d attribute definitions, expected 1" % len(attdefs))
    elif attdefs[0].dxf.tag != "ELEV":
        out.append("attribute tag is %r, expected 'ELEV'" % attdefs[0].dxf.tag)
    if not any(e.dxftype() in ("LINE", "CIRCLE") for e in block):
        out.append("block KVX_ELEV has no marker geometry")
    if tuple(block.block.dxf.base_point) != (0.0, 0.0, 0.0):
        out.append("block base point is %s, expected the origin" % (tuple(block.block.dxf.base_point),))
    return out


def main():
    if len(sys.argv) != 2:
        print("usage: check_marker.py FILE.dxf", file=sys.stderr)
        return 2
    found = problems(sys.argv[1])
    for p in found:
        print("%s: %s" % (sys.argv[1], p), file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
