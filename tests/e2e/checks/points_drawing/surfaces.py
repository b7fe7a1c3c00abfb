"""The surfaces a saved drawing holds, read without our code (see
surfacebytes.py): their points, for comparing with what a job put in."""
from e2echeck import fail
from surfacebytes import drawing_definitions


def surfaces(doc):
    """Name -> sorted list of (x, y, z) rounded to 6 decimals, for every
    surface kept in the drawing."""
    return {name: sorted(d["points"]) for name, d in drawing_definitions(doc).items()}


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
