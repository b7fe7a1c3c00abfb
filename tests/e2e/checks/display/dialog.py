"""The show-surface dialog, cancelled after its refused spacings, drew nothing."""
from e2echeck import expect, read_dxf, work_path

drawn = [e.dxftype() for e in read_dxf(work_path("out.dxf")).modelspace()]
expect(not drawn, "the cancelled show-surface dialog drew %s" % drawn)
print("nothing drawn")
