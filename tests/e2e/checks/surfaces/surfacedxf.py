"""Reading what the surface jobs leave in a drawing, with ezdxf: the
engine's surfaces (named object dictionary -> KVLX_VANTOR2 -> SURFACES, one
xrecord per surface, and CURRENT) and the old-format records (KVX_SURFACE
and KVX_SURFACE.<name>)."""

from e2echeck import expect


def _tags(xrecord):
    return [(t.code, t.value) for t in xrecord.tags]


def engine_surfaces(doc):
    """{name: record} and the current surface's name (None without one).

    A record: storage, description, path, points, triangles, layers
    ({type: (layer, colour, linetype)}) and the surface file's bytes."""
    root = doc.rootdict
    if "KVLX_VANTOR2" not in root:
        return {}, None
    folder = root["KVLX_VANTOR2"]
    surfaces, current = {}, None
    if "SURFACES" in folder:
        for _, xrecord in folder["SURFACES"].items():
            tags = _tags(xrecord)
            value = dict((c, v) for c, v in tags if c in (1, 2, 3, 4, 90, 91))
            layers, kind = {}, None
            for code, v in tags:
                if code == 70:
                    kind = v
                    layers[kind] = [None, None, None]
                elif code in (300, 71, 301) and kind is not None:
                    layers[kind][{300: 0, 71: 1, 301: 2}[code]] = v
            surfaces[value.get(2)] = {
                "storage": value.get(1), "description": value.get(3, ""), "path": value.get(4, ""),
                "points": value.get(90), "triangles": value.get(91),
                "layers": {k: tuple(v) for k, v in layers.items()},
                "bytes": b"".join(v for c, v in tags if c == 310),
            }
    if "CURRENT" in folder:
        current = dict(_tags(folder["CURRENT"])).get(2)
    return surfaces, current


def old_names(doc):
    """PLOHE as stored (None when KVX_SURFACE is gone) and AKTIVNA."""
    root = doc.rootdict
    if "KVX_SURFACE" not in root:
        return None, None
    d = root["KVX_SURFACE"]
    names = [v for c, v in _tags(d["PLOHE"]) if c == 1] if "PLOHE" in d else []
    active = dict(_tags(d["AKTIVNA"])).get(1) if "AKTIVNA" in d else None
    return names, active


def old_records(doc):
    """The names of the KVX_SURFACE.<name> dictionaries."""
    return sorted(k[len("KVX_SURFACE."):] for k in doc.rootdict.keys() if k.startswith("KVX_SURFACE."))


def expect_names(surfaces, names, where):
    expect(sorted(surfaces) == sorted(names), "%s: surfaces %s, expected %s" % (where, sorted(surfaces), sorted(names)))
