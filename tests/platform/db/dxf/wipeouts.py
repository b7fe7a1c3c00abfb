#!/usr/bin/python3
"""Wipeouts written by ezdxf and read back by it after our save.

usage: wipeouts.py make OUT.dxf        two wipeouts, frames shown
       wipeouts.py check ORIGINAL.dxf OURS.dxf
"""
import sys

import ezdxf

# A rectangle and a polygon, as the masks of two labels.
AREAS = [[(10, 20), (14, 20), (14, 22), (10, 22)], [(0, 0), (6, 1), (5, 4), (1, 3.5)]]


def boundary(w):
    return [(round(v.x, 9), round(v.y, 9)) for v in w.boundary_path_wcs()]


def make(path):
    doc = ezdxf.new("R2013")
    msp = doc.modelspace()
    for area in AREAS:
        msp.add_wipeout(area, dxfattribs={"layer": "LABELS"})
    doc.set_wipeout_variables(frame=1)
    doc.saveas(path)


def check(original_path, ours_path):
    problems = []
    theirs = ezdxf.readfile(original_path)
    ours = ezdxf.readfile(ours_path)
    auditor = ours.audit()
    problems += ["audit: " + str(e.message) for e in auditor.errors]
    a = list(theirs.modelspace().query("WIPEOUT"))
    b = list(ours.modelspace().query("WIPEOUT"))
    if len(a) != len(b):
        problems.append("%d wipeouts became %d" % (len(a), len(b)))
    for x, y in zip(a, b):
        if boundary(x) != boundary(y):
            problems.append("boundary %s became %s" % (boundary(x), boundary(y)))
        if x.dxf.layer != y.dxf.layer:
            problems.append("layer %s became %s" % (x.dxf.layer, y.dxf.layer))
    vars_ = ours.rootdict.get("ACAD_WIPEOUT_VARS")
    if vars_ is None or vars_.dxftype() != "WIPEOUTVARIABLES" or vars_.dxf.frame != 1:
        problems.append("the wipeout settings are not kept: %s" % vars_)
    if "WIPEOUT" not in [c.dxf.name for c in ours.classes]:
        problems.append("no WIPEOUT class")
    for p in problems:
        print(p)
    print("wipeouts: %d problems" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2])
    else:
        sys.exit(check(sys.argv[2], sys.argv[3]))
