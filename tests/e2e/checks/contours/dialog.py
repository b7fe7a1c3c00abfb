"""The contour dialog, cancelled after its refused intervals, drew nothing."""
from contourcheck import contours
from e2echeck import expect, read_dxf, work_path

expect(not contours(read_dxf(work_path("out.dxf"))), "the cancelled contour dialog drew contours")
print("no contours")
