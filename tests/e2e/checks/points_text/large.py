"""large.job: Teren holds the 7000 places of large.xyz in the file's order,
the first 2000 with the heights of their second lines."""
from e2echeck import expect, read_dxf, work_path
from surfacebytes import drawing_definitions

points = drawing_definitions(read_dxf(work_path("out.dxf")))["Teren"]["points"]
want = [(k, k % 97, k + 7000 if k < 2000 else k) for k in range(7000)]
expect(len(points) == len(want), "Teren has %d points, not %d" % (len(points), len(want)))
wrong = [(k, p) for k, (p, w) in enumerate(zip(points, want)) if p != w]
expect(not wrong, "%d points out of place or height, the first: %r" % (len(wrong), wrong[:3]))
print("7000 points in the file's order")
