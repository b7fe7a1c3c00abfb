"""samples/old-surfaces.dxf, as read by ezdxf and as cadhost writes it
again: three old surfaces with their points, settings and description."""
from e2echeck import expect, read_dxf, source_path, work_path
from surfacedxf import old_names, old_records

for path in (source_path("samples", "old-surfaces.dxf"), work_path("out.dxf")):
    doc = read_dxf(path)
    names, active = old_names(doc)
    expect(names == ["Teren", "Iskop", "Nasip"] and active == "Teren", "%s: PLOHE %r, AKTIVNA %r" % (path, names, active))
    expect(old_records(doc) == ["Iskop", "Nasip", "Teren"], "%s: records %r" % (path, old_records(doc)))
    teren = doc.rootdict["KVX_SURFACE.Teren"]
    points = [t for t in teren["TOCKE"].tags if t.code == 10]
    expect(len(points) == 49, "%s: Teren has %d points" % (path, len(points)))
    expect(all(len(p.value) == 3 for p in points), "%s: Teren's points are not 3D" % path)
    expect([t.value for t in teren["DESCRIPTION"].tags] == ["Site survey, 2009"], "%s: description" % path)
    expect([t.value for t in teren["C_MREZA"].tags] == [9], "%s: grid colour" % path)
    expect([t.value for t in teren["LT_MREZA"].tags] == ["DASHED"], "%s: grid linetype" % path)
