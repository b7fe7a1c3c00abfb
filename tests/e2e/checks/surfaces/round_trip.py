"""round_trip.job: the converted surface written to teren.kvb, read into
site.dxf and written again to again.kvb: equal files, and the surface in
the second drawing holds the old points and settings."""
from e2echeck import expect, read_dxf, work_path
from surfacedxf import engine_surfaces, old_names, old_records

with open(work_path("teren.kvb"), "rb") as f:
    first = f.read()
with open(work_path("again.kvb"), "rb") as f:
    again = f.read()
expect(first[:8] == b"\x89KVB\r\n\x1a\n", "teren.kvb is not a surface file")
expect(first == again, "the surface read into the second drawing differs from the one written (%d and %d bytes)"
       % (len(first), len(again)))

surfaces, _ = engine_surfaces(read_dxf(work_path("second.dxf")))
teren = surfaces.get("Vantor1_Teren")
expect(teren is not None, "second.dxf has no surface Vantor1_Teren: %s" % sorted(surfaces))
expect(teren["points"] == 49 and teren["triangles"] > 0, "points %r, triangles %r" % (teren["points"], teren["triangles"]))
expect(teren["description"] == "Site survey, 2009", "description %r" % teren["description"])
expect(teren["layers"][1] == ("TEREN_MNT", 8, "Continuous"), "triangle layer %r" % (teren["layers"][1],))
expect(teren["layers"][2] == ("TEREN_MREZA", 9, "DASHED"), "grid layer %r" % (teren["layers"][2],))
expect(teren["layers"][4] == teren["layers"][5] == ("TEREN_PROJEKCIJE", 5, "Continuous"),
       "projection layers %r %r" % (teren["layers"][4], teren["layers"][5]))

# The first drawing: Teren converted and erased; the list rewritten in reverse.
doc = read_dxf(work_path("first.dxf"))
names, active = old_names(doc)
expect(names == ["Nasip", "Iskop"], "PLOHE: %r" % names)
expect(active == "Nasip", "AKTIVNA: %r" % active)
expect(old_records(doc) == ["Iskop", "Nasip"], "old records: %r" % old_records(doc))
