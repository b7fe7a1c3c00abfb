"""What the text-file jobs leave: the surfaces of out.dxf against the points
of a survey file, read here the way a surveyor reads the file (first
character "#" or the comment marker: not a point; fields cut at the
delimiter or every `width` characters; columns counted from 1)."""
import os
import sys

from e2echeck import fail, read_dxf, source_path, work_path

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "points_drawing"))
from surfaces import surfaces  # noqa: E402


def file_points(name, encoding="ascii", comment="#", delimiter=" ", width=None, columns=(1, 2, 3)):
    """(x, y, z) of every point line of samples/points/<name>; the last
    height of a position wins."""
    with open(source_path("samples", "points", name), encoding=encoding, newline="") as f:
        text = f.read().lstrip("\ufeff")
    found = {}
    for line in text.split("\n"):
        line = line[:-1] if line.endswith("\r") else line
        if not line or line[0] in (comment, "#"):
            continue
        if width:
            fields = [line[i * width:(i + 1) * width] for i in range(50)] + [line[50 * width:]]
        else:
            fields = [f for f in line.split(delimiter) if f]
        if max(columns) > len(fields):
            continue
        x, y, z = (round(float(fields[c - 1]), 6) for c in columns)
        found[(x, y)] = z
    return sorted((x, y, z) for (x, y), z in found.items())


def expect_drawing(expected):
    """out.dxf holds exactly these surfaces with these points."""
    got = surfaces(read_dxf(work_path("out.dxf")))
    if sorted(got) != sorted(expected):
        fail("the drawing holds the surfaces %s, not %s" % (sorted(got), sorted(expected)))
    for name, points in expected.items():
        if got[name] != points:
            missing = [p for p in points if p not in got[name]][:5]
            extra = [p for p in got[name] if p not in points][:5]
            fail("surface %s: %d points, not %d; missing %s; not expected %s"
                 % (name, len(got[name]), len(points), missing, extra))
    print(", ".join("%s: %d points" % (n, len(p)) for n, p in sorted(expected.items())))
