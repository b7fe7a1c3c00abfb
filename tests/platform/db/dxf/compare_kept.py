#!/usr/bin/python3
"""Compares a drawing saved by our writer with the file it was read from,
record by record, after ezdxf's audit of the saved file.

usage: compare_kept.py ORIGINAL.dxf SAVED.dxf

Every record of the original with a handle (tables, their entries, blocks,
entities, objects) must be in the saved file under the same handle, of the
same kind and with the same owner. Kinds the drawing keeps whole must come
back with every group unchanged; the kinds it models must keep their
attributes as ezdxf reads them, their reactors, extension dictionary and
extended data. Header variables and classes must come back too.
Prints one line per problem and "compare_kept: N problems"; exits 1 when
there are any.
"""
import math
import sys

import ezdxf

import compare_groups  # beside this script: one reading of records for both comparisons

# Kinds the database models: written from its own values.
MODELLED = {"WIPEOUT", "WIPEOUTVARIABLES", "LINE", "POINT", "CIRCLE", "ARC", "TEXT", "ATTDEF", "ATTRIB", "LWPOLYLINE", "POLYLINE", "VERTEX",
            "3DFACE", "INSERT", "SEQEND", "BLOCK", "ENDBLK", "TABLE", "LTYPE", "LAYER", "STYLE", "APPID",
            "BLOCK_RECORD", "DICTIONARY", "XRECORD", "GROUP", "MTEXT", "ELLIPSE", "SPLINE", "HATCH"}
# Header variables our writer gives its own values.
OWN_HEADER = {"$ACADVER", "$HANDSEED", "$DWGCODEPAGE"}
TOL = 1e-9


def read_tags(path):
    with open(path, "rb") as f:
        lines = f.read().decode("utf-8", errors="replace").splitlines()
    return [(int(lines[i].strip()), lines[i + 1]) for i in range(0, len(lines) - 1, 2)]


def handle_of(kind, tags):
    for code, value in tags:
        if code == (105 if kind == "DIMSTYLE" else 5):
            return value.strip().upper()
    return None


def owner_of(tags):
    braces = False
    for code, value in tags:
        if code == 100:
            return None
        if code == 102:
            braces = value.startswith("{")
        elif code == 330 and not braces:
            return value.strip().upper()
    return None


def braces_and_xdata(tags):
    """The 102 groups with what they enclose, and the extended data."""
    out, inside = [], False
    for i, (code, value) in enumerate(tags):
        if code == 1001:
            return out + [("xdata",)] + [(c, v.strip()) for c, v in tags[i:]]
        if code == 102:
            inside = value.startswith("{")
            out.append((code, value))
        elif inside:
            out.append((code, value.strip().upper()))
    return out


def entries_of(tags):
    """A dictionary's (key, handle) entries in the order written."""
    return [(c, v.strip().upper() if c != 3 else v) for c, v in tags if c in (3, 350, 360)]


def angles_of(tags):
    """The texts of the angle groups (degrees) before the extended data."""
    out = set()
    for code, value in tags:
        if code == 1001:
            break
        if code in (50, 51):
            out.add((code, value.strip()))
    return out


def same(a, b):
    if isinstance(a, float) or isinstance(b, float):
        try:
            return math.isclose(float(a), float(b), rel_tol=TOL, abs_tol=TOL)
        except (TypeError, ValueError):
            return False
    if hasattr(a, "isclose") and hasattr(b, "isclose"):
        return a.isclose(b, abs_tol=TOL)
    if isinstance(a, (list, tuple)) and isinstance(b, (list, tuple)):
        return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    return a == b


def attribs(doc, handle):
    e = doc.entitydb.get(handle)
    return (None, {}) if e is None else (e, e.dxfattribs())


# Names compare ignoring case, as DXF names do.
NAMES = {"layer", "linetype", "style", "name", "dimstyle", "text_style"}
# What our writer may state that the original left to its default, by kind.
STATED = {"SEQEND": {"color", "linetype"}, "BLOCK": {"paperspace"}, "ENDBLK": {"paperspace"}}


def differs(kind, name, a, b, original_entity, r12):
    if r12 and name.endswith("_handle"):
        return False  # ezdxf makes these up for R12 files, which have no objects
    if name not in a:
        default = original_entity.dxf.get_default(name) if original_entity is not None else None
        return not (name in STATED.get(kind, ()) or name == "extrusion" or (default is not None and same(default, b[name])))
    if name not in b:
        return True
    if name in NAMES and isinstance(a[name], str) and isinstance(b[name], str):
        return a[name].casefold() != b[name].casefold()
    return not same(a[name], b[name])


def main(original_path, saved_path):
    problems = []
    saved_doc = ezdxf.readfile(saved_path)
    for err in saved_doc.audit().errors:
        problems.append(f"audit error: {err.message}")
    original_doc = ezdxf.readfile(original_path)
    r12 = original_doc.dxfversion <= "AC1009"

    original = compare_groups.records(read_tags(original_path))
    saved = compare_groups.records(read_tags(saved_path))
    saved_by_handle = {}
    for section, kind, tags in saved:
        h = handle_of(kind, tags)
        if h:
            saved_by_handle[h] = (section, kind, tags)
    saved_header = {kind: tags for section, kind, tags in saved if section == "HEADER"}
    saved_classes = [tags for section, kind, tags in saved if section == "CLASSES"]

    for section, kind, tags in original:
        if section == "HEADER":
            if kind not in OWN_HEADER and kind in saved_header and not same(
                    [(c, v.strip()) for c, v in tags], [(c, v.strip()) for c, v in saved_header[kind]]):
                problems.append(f"header {kind}: original {tags}, saved {saved_header[kind]}")
            elif kind not in saved_header:
                problems.append(f"header {kind}: missing")
            continue
        if section == "CLASSES":
            if tags not in saved_classes:
                problems.append(f"class {tags[0][1] if tags else '?'}: missing or changed")
            continue
        if kind in ("ENDSEC", "ENDTAB", "EOF"):
            continue
        h = handle_of(kind, tags)
        if h is None:
            continue
        where = f"{kind} {h}"
        if h not in saved_by_handle:
            problems.append(f"{where}: missing")
            continue
        s_section, s_kind, s_tags = saved_by_handle[h]
        if s_kind != kind:
            problems.append(f"{where}: saved as {s_kind}")
            continue
        # R12 files name no owners; vertices, attributes and SEQENDs we
        # write name their polyline or insert, as the DXF reference has it.
        if owner_of(tags) not in (None, "0") and owner_of(tags) != owner_of(s_tags) and not (
                kind in ("VERTEX", "SEQEND", "ATTRIB") and kind in MODELLED):
            problems.append(f"{where}: owner {owner_of(tags)}, saved {owner_of(s_tags)}")
        if kind not in MODELLED:
            if tags != s_tags:
                diff = [f"{a} | {b}" for a, b in zip(tags, s_tags) if a != b][:3]
                problems.append(f"{where}: groups changed ({len(tags)} -> {len(s_tags)}): {diff}")
        elif braces_and_xdata(tags) != braces_and_xdata(s_tags):
            problems.append(f"{where}: reactors, extension dictionary or extended data changed")
        if kind == "DICTIONARY" and entries_of(tags) != entries_of(s_tags):
            problems.append(f"{where}: entries changed or reordered: {entries_of(tags)} -> {entries_of(s_tags)}")
        # Angles come back as the file wrote them, not as the division of
        # their radians by the degree gives them (29.999999999999996).
        if kind in MODELLED and not angles_of(tags) <= angles_of(s_tags):
            problems.append(f"{where}: angles written differently: {sorted(angles_of(tags) - angles_of(s_tags))}")
        entity, a = attribs(original_doc, h)
        b = attribs(saved_doc, h)[1]
        for name in sorted(set(a) | set(b)):
            if name != "owner" and differs(kind, name, a, b, entity, r12):
                problems.append(f"{where}.{name}: original {a.get(name, '(none)')!r}, saved {b.get(name, '(none)')!r}")
    for p in problems:
        print(p)
    print(f"compare_kept: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
