"""drawing_replace_* agreed: theirs.dxf now holds the drawing that was open."""
from drawingsafety import expect_no_temporaries
from e2echeck import expect, read_dxf, source_path, work_path

saved = sorted(e.dxftype() for e in read_dxf(work_path("theirs.dxf")).modelspace())
opened = sorted(e.dxftype() for e in read_dxf(source_path("tests", "e2e", "drawings", "kept_kinds.dxf")).modelspace())
expect(saved == opened, "theirs.dxf does not hold the drawing saved: %s" % saved[:10])
expect_no_temporaries("")
