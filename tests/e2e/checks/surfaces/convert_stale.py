"""convert_stale.job: a row converted twice gives a second surface without
points; the last names converted from the dialog's list leave the list of
old names empty and no old surface active."""
from e2echeck import expect, read_dxf, work_path
from surfacedxf import engine_surfaces, expect_names, old_names, old_records

doc = read_dxf(work_path("step1.dxf"))
names, active = old_names(doc)
expect(sorted(names) == ["Nasip", "Teren"] and active == "Teren", "step1: PLOHE %r, AKTIVNA %r" % (names, active))
expect(old_records(doc) == ["Nasip", "Teren"], "step1: old records %r" % old_records(doc))
surfaces, _ = engine_surfaces(doc)
expect_names(surfaces, ["Vantor1_Iskop", "Vantor1_Iskop_1"], "step1")
points = {name: s["points"] for name, s in surfaces.items()}
expect(points == {"Vantor1_Iskop": 13, "Vantor1_Iskop_1": 0}, "step1: points %r" % points)

doc = read_dxf(work_path("out.dxf"))
expect(old_names(doc) == ([], ""), "out: PLOHE and AKTIVNA %r" % (old_names(doc),))
expect(old_records(doc) == [], "out: old records remain: %r" % old_records(doc))
surfaces, _ = engine_surfaces(doc)
points = {name: s["points"] for name, s in surfaces.items()}
expect(points == {"Vantor1_Iskop": 13, "Vantor1_Iskop_1": 0, "Vantor1_Nasip": 9, "Vantor1_Teren": 49},
       "out: points %r" % points)
print("stale rows converted as they should be")
