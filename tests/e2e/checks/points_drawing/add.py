"""The surface "Teren" holds its three points and those of the survey
drawing's entities on TEREN and KOTE, by the text and block rules."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from e2echeck import read_dxf, work_path  # noqa: E402
from surfaces import expect_surfaces  # noqa: E402

TEREN = [(-50, -50, 1), (-40, -50, 2), (-50, -40, 3)]
SURVEY = [
    (0, 0, 10), (10, 0, 12), (10, 10, 12),     # line and arc share (10,0): the arc's Z stays
    (20, 0, 13), (25, 5, 13), (20, 10, 13),    # LW polyline at its elevation
    (30, 0, 14), (35, 5, 14),                  # 2D polyline
    (40, 0, 15), (45, 5, 16), (40, 10, 17),    # 3D polyline
    (50, 5, 18),                               # circle centre
    (80, 0, 1), (85, 0, 2), (85, 5, 3),        # 3D face with a repeated vertex
    (60, 0, 19), (60, 10, 20),                 # points
    (70, 0, 123.5), (70, 10, 0),               # texts "123.5" and "abc"; the empty one gives nothing
    (90, 0, 101.25),                           # KOTA by VISINA; the one with VISINA "" gives nothing
    (100, 0, 21),                              # STABLO, without attributes
]

doc = read_dxf(work_path("out.dxf"))
expect_surfaces(doc, {"Teren": TEREN + SURVEY})
print("Teren: %d points" % (len(TEREN) + len(SURVEY)))
