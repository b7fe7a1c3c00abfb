"""convert.job: names with "_%d", the old list rewritten in reverse order,
the active name passed on, and the whole old dictionary erased with the
last old surface."""
from e2echeck import expect, read_dxf, work_path
from surfacedxf import engine_surfaces, expect_names, old_names, old_records

doc = read_dxf(work_path("step1.dxf"))
names, active = old_names(doc)
expect(names == ["Nasip", "Teren"], "step1: PLOHE %r" % names)
expect(active == "Teren", "step1: AKTIVNA %r" % active)
expect(old_records(doc) == ["Nasip", "Teren"], "step1: old records %r" % old_records(doc))
surfaces, _ = engine_surfaces(doc)
expect_names(surfaces, ["Vantor1_Iskop", "Vantor1_Iskop_1", "Vantor1_Iskop_2", "Vantor1_Nasip"], "step1")
iskop = surfaces["Vantor1_Iskop_2"]
expect(iskop["points"] == 13 and iskop["description"] == "Foundation pit", "Vantor1_Iskop_2: %r" % iskop)
expect(iskop["layers"][1] == ("ISKOP_MNT", 1, "Continuous"), "Iskop's triangle layer %r" % (iskop["layers"][1],))
# Keys the old record lacks leave the engine's defaults.
expect(iskop["layers"][2][0] == "Vantor1_Iskop_2_GRID", "Iskop's grid layer %r" % (iskop["layers"][2],))
# The boundary takes nothing from the old record: a new surface's, with its own name.
fresh = surfaces["Vantor1_Iskop"]["layers"][3]
expect(iskop["layers"][3] == ("Vantor1_Iskop_2_BOUNDARY",) + tuple(fresh[1:]),
       "Iskop's boundary layer %r, a new surface's %r" % (iskop["layers"][3], fresh))
nasip = surfaces["Vantor1_Nasip"]
expect(nasip["points"] == 9 and nasip["description"] == "", "Vantor1_Nasip: %r" % nasip)

doc = read_dxf(work_path("step2.dxf"))
names, active = old_names(doc)
expect(names == ["Nasip"] and active == "Nasip", "step2: PLOHE %r, AKTIVNA %r" % (names, active))
expect(old_records(doc) == ["Nasip"], "step2: old records %r" % old_records(doc))

doc = read_dxf(work_path("out.dxf"))
expect(old_names(doc) == (None, None) and old_records(doc) == [], "out: old records remain: %r" % old_records(doc))
surfaces, _ = engine_surfaces(doc)
expect_names(surfaces, ["Vantor1_Iskop", "Vantor1_Iskop_1", "Vantor1_Iskop_2", "Vantor1_Nasip", "Vantor1_Nasip_1",
                        "Vantor1_Teren"], "out")
expect(surfaces["Vantor1_Teren"]["points"] == 49, "Vantor1_Teren has %r points" % surfaces["Vantor1_Teren"]["points"])
expect(surfaces["Vantor1_Nasip_1"]["points"] == 9, "Vantor1_Nasip_1 has %r points" % surfaces["Vantor1_Nasip_1"]["points"])
