"""The lines the editor's test module drew, in the saved drawing."""
from e2echeck import expect, read_dxf, work_path

doc = read_dxf(work_path("out.dxf"))
found = sorted(tuple(round(c, 9) for c in tuple(e.dxf.start)[:2] + tuple(e.dxf.end)[:2])
               for e in doc.modelspace().query("LINE"))
wanted = sorted([
    (0, 0, 50, 0), (50, 0, 50, 30),                                               # UVLINE
    (100, 100, 120, 100), (120, 100, 120, 110), (120, 110, 100, 110), (100, 110, 100, 100),  # UVRECT
    (0, 0, -10, -10),                                                             # UVLINE after reloading
])
expect(found == wanted, "lines: %s" % found)
