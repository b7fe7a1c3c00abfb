#!/usr/bin/python3
"""Reads a DXF file written by our saver with ezdxf, audits it and compares
its content with the drawing it was loaded from (written by ezdxf).

usage: check_drawing.py ORIGINAL.dxf OURS.dxf
Exits 1 and lists every problem when ezdxf reports audit errors or the
content differs; 0 when the two drawings agree.
"""
import math
import sys

import ezdxf

TOL = 1e-9


def same(a, b):
    """Equality that takes floats (also inside vectors and tuples) within TOL."""
    if isinstance(a, float) or isinstance(b, float):
        return math.isclose(float(a), float(b), rel_tol=TOL, abs_tol=TOL)
    if hasattr(a, "isclose"):
        return a.isclose(b, abs_tol=TOL)
    if isinstance(a, (list, tuple)) and isinstance(b, (list, tuple)):
        return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    return a == b


GEOMETRY = {
    "LINE": ["start", "end", "thickness"],
    "ARC": ["center", "radius", "start_angle", "end_angle", "extrusion"],
    "CIRCLE": ["center", "radius", "extrusion"],
    "POINT": ["location"],
    "TEXT": ["text", "insert", "height", "rotation", "style", "halign", "valign", "width"],
    "ATTDEF": ["tag", "text", "prompt", "insert", "height", "flags"],
    "ATTRIB": ["tag", "text", "insert", "height", "flags"],
    "LWPOLYLINE": ["elevation", "flags"],
    "POLYLINE": ["flags"],
    "3DFACE": ["vtx0", "vtx1", "vtx2", "vtx3", "invisible"],
    "INSERT": ["name", "insert", "xscale", "yscale", "zscale", "rotation"],
}
COMMON = ["handle", "layer", "color", "linetype", "lineweight"]


def entity_facts(e):
    facts = {"type": e.dxftype()}
    for name in COMMON + GEOMETRY.get(e.dxftype(), []):
        facts[name] = e.dxf.get(name, e.dxf.get_default(name))
    if e.dxftype() == "LWPOLYLINE":
        facts["points"] = [tuple(p) for p in e.get_points("xyseb")]
    if e.dxftype() == "POLYLINE":
        facts["vertices"] = [(tuple(v.dxf.location), v.dxf.get("bulge", 0.0), v.dxf.handle) for v in e.vertices]
    if e.dxftype() == "INSERT":
        facts["attribs"] = [entity_facts(a) for a in e.attribs]
    xdata = {}
    if e.xdata:
        for app in e.xdata.data:
            xdata[app] = [(t.code, t.value) for t in e.get_xdata(app)]
    facts["xdata"] = xdata
    return facts


def compare(path, a, b, problems):
    if isinstance(a, dict) and isinstance(b, dict):
        for k in sorted(set(a) | set(b), key=str):
            if k not in b:
                problems.append(f"{path}.{k}: missing in ours")
            elif k not in a:
                problems.append(f"{path}.{k}: only in ours")
            else:
                compare(f"{path}.{k}", a[k], b[k], problems)
    elif isinstance(a, list) and isinstance(b, list) and a and isinstance(a[0], dict):
        if len(a) != len(b):
            problems.append(f"{path}: {len(a)} items in the original, {len(b)} in ours")
        for i, (x, y) in enumerate(zip(a, b)):
            compare(f"{path}[{i}]", x, y, problems)
    elif not same(a, b):
        problems.append(f"{path}: original {a!r}, ours {b!r}")


def xrecord_tree(d):
    out = {}
    for key, obj in d.items():
        if obj.dxftype() == "DICTIONARY":
            out[key] = {"handle": obj.dxf.handle, "entries": xrecord_tree(obj)}
        elif obj.dxftype() == "XRECORD":
            out[key] = {"handle": obj.dxf.handle, "tags": [(t.code, t.value) for t in obj.tags]}
    return out


def drawing_facts(doc):
    facts = {}
    facts["layers"] = {l.dxf.name: {"color": l.color, "on": l.is_on(), "frozen": l.is_frozen(),
                                    "linetype": l.dxf.linetype, "lineweight": l.dxf.lineweight,
                                    "handle": l.dxf.handle} for l in doc.layers}
    facts["linetypes"] = {}
    for lt in doc.linetypes:
        dashes = [t.value for t in lt.pattern_tags.tags if t.code == 49] if lt.pattern_tags else []
        facts["linetypes"][lt.dxf.name.upper()] = {"description": lt.dxf.description, "dashes": dashes}
    facts["appids"] = sorted(a.dxf.name for a in doc.appids)
    facts["styles"] = {s.dxf.name: s.dxf.font for s in doc.styles if s.dxf.name}
    facts["modelspace"] = [entity_facts(e) for e in doc.modelspace()]
    facts["blocks"] = {b.name: {"base": b.block.dxf.base_point, "entities": [entity_facts(e) for e in b]}
                       for b in doc.blocks if not b.name.startswith("*")}
    facts["groups"] = {name: {"description": g.dxf.description, "selectable": g.dxf.selectable,
                              "members": [e.dxf.handle for e in g]} for name, g in doc.groups}
    uv = doc.rootdict.get("UV_TEST")
    facts["UV_TEST"] = xrecord_tree(uv) if uv is not None else None
    return facts


def main(original_path, ours_path):
    problems = []
    ours = ezdxf.readfile(ours_path)
    auditor = ours.audit()
    for err in auditor.errors:
        problems.append(f"audit error: {err.message}")
    for fix in auditor.fixes:
        problems.append(f"audit had to fix: {fix.message}")
    original = ezdxf.readfile(original_path)
    compare("drawing", drawing_facts(original), drawing_facts(ours), problems)
    for p in problems:
        print(p)
    print(f"check_drawing: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
