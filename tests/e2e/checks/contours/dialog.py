"""The contour dialogs of dialog.job: the cancelled ones drew nothing (no
contour, no path, no line of the rubber band); the label dialog's OK
without contours to cross drew its two paths and one empty group."""
import ezdxf

from e2echeck import expect, read_dxf, work_path

doc = read_dxf(work_path("out.dxf"))
paths = sorted([(round(x), round(y)) for x, y, *_ in e.get_points()]
               for e in doc.modelspace() if e.dxftype() == "LWPOLYLINE")
others = [e.dxftype() for e in doc.modelspace() if e.dxftype() != "LWPOLYLINE"]
expect(paths == [[(10, 10), (50, 20)], [(70, 10), (90, 40)]], "the labels' paths are %s" % paths)
expect(not others, "the dialogs drew %s" % others)
# The audit of read_dxf removes empty groups: counted in the drawing as saved.
groups = [len(group) for group in ezdxf.readfile(work_path("out.dxf")).objects.query("GROUP")]
expect(groups == [0], "the groups hold %s entities, expected one empty group" % groups)
print("two paths, one empty group")
