"""convert_cancel.job: Cancel saved nothing, and the old surfaces stay."""
from e2echeck import expect, read_dxf, work_path
from surfacedxf import engine_surfaces, old_names, old_records

doc = read_dxf(work_path("out.dxf"))
surfaces, _ = engine_surfaces(doc)
expect(surfaces == {}, "Cancel saved surfaces: %s" % sorted(surfaces))
names, active = old_names(doc)
expect(names == ["Teren", "Iskop", "Nasip"] and active == "Teren", "old list %r, active %r" % (names, active))
expect(old_records(doc) == ["Iskop", "Nasip", "Teren"], "old records %r" % old_records(doc))
