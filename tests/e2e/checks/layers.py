"""The layer verb's changes are in the saved drawing: SURVEY_POINTS off
(its colour kept), layer 0 blue and on."""
from e2echeck import expect, read_dxf, work_path

doc = read_dxf(work_path("out.dxf"))
points = doc.layers.get("SURVEY_POINTS")
expect(points.is_off(), "SURVEY_POINTS is still on")
expect(points.get_color() > 0, "SURVEY_POINTS lost its colour")
zero = doc.layers.get("0")
expect(zero.is_on() and zero.get_color() == 5, "layer 0 is not on and blue: colour %d" % zero.dxf.color)
print("SURVEY_POINTS off, 0 blue")
