"""A drawing without surfaces stays without: no surface was made, and every
entity is kept."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from definition import definitions  # noqa: E402
from e2echeck import expect, read_dxf, source_path, work_path  # noqa: E402

doc = read_dxf(work_path("out.dxf"))
expect(definitions(doc) == {}, "a surface appeared: %s" % sorted(definitions(doc)))
original = read_dxf(source_path("tests", "e2e", "drawings", "breaklines", "breaklines.dxf"))
expect(len(doc.modelspace()) == len(original.modelspace()), "the drawing lost or gained entities")
print("no surface")
