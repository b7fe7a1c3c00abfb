"""What the mark module drew, through its commands and entry function."""
from e2echeck import close, expect, read_dxf, work_path

doc = read_dxf(work_path("out.dxf"))
marks = doc.modelspace().query('*[layer=="MARKS"]')
lines = sorted((tuple(e.dxf.start), tuple(e.dxf.end)) for e in marks.query("LINE"))
expect(len(lines) == 2, "expected 2 lines, found %s" % lines)
expect(close(lines[0][0], (0, 0, 0)) and close(lines[0][1], (100, 0, 0)), "first line: %s" % (lines[0],))
expect(close(lines[1][0], (0, 10, 5)) and close(lines[1][1], (100, 10, 5)), "second line: %s" % (lines[1],))
texts = sorted((e.dxf.text, tuple(e.dxf.insert)[:2]) for e in marks.query("TEXT"))
expect([t for t, _ in texts] == ["Teren \u010ci\u0161\u0107enje", "again and again"], "texts: %s" % texts)
expect(close(texts[0][1], (50, 50)) and close(texts[1][1], (20, 20)), "text places: %s" % texts)
expect(doc.layers.get("MARKS").color == 1, "the MARKS layer lost its colour")
