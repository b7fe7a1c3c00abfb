"""The contour and label dialogs, each cancelled, drew nothing: no contour,
no label path, no line of the rubber band."""
from e2echeck import expect, read_dxf, work_path

drawn = [e.dxftype() for e in read_dxf(work_path("out.dxf")).modelspace()]
expect(not drawn, "the cancelled dialogs drew %s" % drawn)
print("nothing drawn")
