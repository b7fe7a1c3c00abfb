"""drawing_save_through_link: the link kept, the drawing it points to replaced with its mode."""
import os

from drawingsafety import expect_no_temporaries, mode_of
from e2echeck import expect, read_dxf, source_path, work_path

expect(os.path.islink(work_path("link.dxf")), "link.dxf is no longer a link")
expect(os.readlink(work_path("link.dxf")) == "real/target.dxf", "link.dxf points elsewhere")
expect(mode_of("real/target.dxf") == 0o640, "the link's drawing has mode %o" % mode_of("real/target.dxf"))
saved = sorted(e.dxftype() for e in read_dxf(work_path("real/target.dxf")).modelspace())
opened = sorted(e.dxftype() for e in read_dxf(source_path("tests", "e2e", "drawings", "kept_kinds.dxf")).modelspace())
expect(saved == opened, "the link's drawing is not the one saved: %s" % saved[:10])
expect_no_temporaries("", "real")
