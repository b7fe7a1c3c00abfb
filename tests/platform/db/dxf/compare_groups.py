#!/usr/bin/python3
"""Compares a drawing our writer saved with the file it was read from, group
by group: every record of the original (header variables, classes, tables
and their entries, blocks, entities, objects) must come back with the same
groups in the same order, and each section's records in the file's order.

usage: compare_groups.py ORIGINAL.dxf SAVED.dxf

Numbers compare by value ("0" and "0.0" are the same number); every other
value compares as text, after decoding the original from its code page
(our writer writes UTF-8). What the writer may change, and why:
- $ACADVER, $HANDSEED and $DWGCODEPAGE: the version and code page it
  writes, and the seed above every handle it gave.
- A layer an entity names that the layer table lacks: the reader adds it,
  so that every entity's layer exists for the layer commands and the
  picture, and the table's count (70) grows by the layers added.
Prints one line per difference and "compare_groups: N differences"; exits 1
when there are any.
"""
import sys

OWN_HEADER = {"$ACADVER", "$HANDSEED", "$DWGCODEPAGE"}
CODE_PAGES = {"ANSI_1250": "cp1250", "ANSI_1251": "cp1251", "ANSI_1252": "cp1252", "ANSI_1253": "cp1253",
              "ANSI_1254": "cp1254", "ANSI_1257": "cp1257"}


def read_tags(path):
    raw = open(path, "rb").read()
    encoding = "utf-8"
    if b"$ACADVER" in raw:
        lines = raw.decode("latin-1").splitlines()
        header = {lines[i].strip(): lines[i + 2].strip() for i in range(len(lines) - 2) if lines[i].strip()
                  in ("$ACADVER", "$DWGCODEPAGE")}
        if header.get("$ACADVER", "AC1021") < "AC1021":
            encoding = CODE_PAGES.get(header.get("$DWGCODEPAGE", "").upper(), "cp1252")
    lines = raw.decode(encoding, errors="replace").splitlines()
    return [(int(lines[i].strip()), lines[i + 1].strip()) for i in range(0, len(lines) - 1, 2)]


def records(tags):
    """(section, type, tags) of every record; header variables as ("HEADER", "$NAME", values)."""
    out, section, i = [], None, 0
    while i < len(tags):
        code, value = tags[i]
        if code == 0 and value == "SECTION":
            section = tags[i + 1][1]
            i += 2
            continue
        j = i + 1
        if section == "HEADER" and code == 9:
            while j < len(tags) and tags[j][0] not in (0, 9):
                j += 1
            out.append((section, value, tags[i + 1:j]))
        elif code == 0:
            while j < len(tags) and tags[j][0] != 0:
                j += 1
            if value not in ("ENDSEC", "ENDTAB", "EOF"):
                out.append((section, value, tags[i + 1:j]))
        i = j
    return out


def key_of(section, kind, tags):
    if section == "HEADER":
        return kind
    for code, value in tags:
        if code == (105 if kind == "DIMSTYLE" else 5):
            return value.upper()
    if section == "CLASSES":
        return "CLASS " + next((v for c, v in tags if c == 1), "?")
    return None


def same(a, b):
    if a[0] != b[0]:
        return False
    if a[1] == b[1]:
        return True
    try:
        return float(a[1]) == float(b[1])
    except ValueError:
        return False


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if not same(x, y):
            return f"group {i}: original {x}, saved {y}"
    return f"original has {len(a)} groups, saved {len(b)}" + (
        f"; first extra {b[len(a)]}" if len(b) > len(a) else f"; first missing {a[len(b)]}")


def main(original_path, saved_path):
    original = records(read_tags(original_path))
    saved = records(read_tags(saved_path))
    saved_by_key = {key_of(*r): r for r in saved}
    original_keys = {key_of(*r) for r in original}
    problems = []

    def value(tags, code):
        return next((v for c, v in tags if c == code), None)

    # Layers the original's entities name but its table lacks.
    defined = {value(t, 2).upper() for s, k, t in original if k == "LAYER" and value(t, 2) is not None}
    named = {value(t, 8).upper() for s, k, t in original if s in ("ENTITIES", "BLOCKS") and value(t, 8)}
    missing = named - defined
    added_layers = [r for r in saved if r[1] == "LAYER" and key_of(*r) not in original_keys
                    and (value(r[2], 2) or "").upper() in missing]
    allowed_added = {key_of(*r) for r in added_layers}

    for section, kind, tags in original:
        key = key_of(section, kind, tags)
        if key is None or key in OWN_HEADER:
            continue
        where = f"{section} {kind} {key}" if section != "HEADER" else f"header {key}"
        if key not in saved_by_key:
            problems.append(f"{where}: missing")
            continue
        s_section, s_kind, s_tags = saved_by_key[key]
        if (s_section, s_kind) != (section, kind):
            problems.append(f"{where}: saved as {s_section} {s_kind}")
            continue
        if kind == "TABLE" and value(tags, 2) == "LAYER" and added_layers:
            s_tags = [(c, str(int(v) - len(added_layers))) if c == 70 else (c, v) for c, v in s_tags]
        if len(tags) != len(s_tags) or not all(same(a, b) for a, b in zip(tags, s_tags)):
            problems.append(f"{where}: {first_difference(tags, s_tags)}")

    for section, kind, tags in saved:
        key = key_of(section, kind, tags)
        if key is not None and key not in original_keys and key not in allowed_added and key not in OWN_HEADER:
            problems.append(f"{section} {kind} {key}: added")

    # Each section's records in the file's order.
    for name in ("HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"):
        a = [key_of(*r) for r in original if r[0] == name and key_of(*r) not in OWN_HEADER]
        keep = set(a)
        b = [key_of(*r) for r in saved if r[0] == name and key_of(*r) in keep]
        if a != b:
            at = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
            problems.append(f"{name}: records in another order from record {at} "
                            f"(original {a[at:at + 3]}, saved {b[at:at + 3]})")

    for p in problems:
        print(p)
    print(f"compare_groups: {len(problems)} differences")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
