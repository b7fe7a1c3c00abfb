"""drawing_own_files: the opened drawing and the copy, both saved without a question."""
from e2echeck import expect, read_dxf, work_path

for name in ("theirs.dxf", "copy.dxf"):
    layer = read_dxf(work_path(name)).layers.get("0")
    expect(layer.color == 3, "%s was not saved after the change: layer 0 has colour %d" % (name, layer.color))
