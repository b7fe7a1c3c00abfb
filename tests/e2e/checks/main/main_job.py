"""The README's main job, run as scripts/run-sample.sh runs it (from a
folder holding the samples), and what its drawing must show: the surface
"Teren" as 3D faces that follow the creek's break line, contours with their
labels along the path up the eastern slope, the draped road and the
elevation markers, the job's pictures written.

Usage: main_job.py CADHOST MODULE REPO WORK
"""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
from e2echeck import Png, expect, read_dxf  # noqa: E402

cadhost, module, repo, work = sys.argv[1:5]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(os.path.join(work, "out"))
shutil.copytree(os.path.join(repo, "samples"), os.path.join(work, "samples"))
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
done = subprocess.run([cadhost, "--open", "samples/site.dxf", "--load", module, "--job", "samples/demo.job",
                       "--save", "out/site.dxf", "--render", "out/site.png"],
                      cwd=work, env=env, capture_output=True, text=True, timeout=600)
expect(done.returncode == 0, "the main job ended with %d:\n%s" % (done.returncode, done.stderr[-3000:]))
for name in ("site.png", "site-crossing.png", "site-survey.svg"):
    expect(os.path.getsize(os.path.join(work, "out", name)) > 1000, "out/%s is missing or empty" % name)

doc = read_dxf(os.path.join(work, "out", "site.dxf"))
msp = doc.modelspace()


def on(kind, layer):
    return [e for e in msp.query(kind) if e.dxf.layer == layer]


def key(p):
    return (round(p[0], 3), round(p[1], 3))


faces = on("3DFACE", "Teren_TIN")
expect(len(faces) >= 800, "only %d faces of \"Teren\" on Teren_TIN" % len(faces))
edges = set()
for f in faces:
    corners = [key(f.dxf.get(v)) for v in ("vtx0", "vtx1", "vtx2")]
    for a, b in zip(corners, corners[1:] + corners[:1]):
        edges.add(frozenset((a, b)))
    zs = [f.dxf.get(v)[2] for v in ("vtx0", "vtx1", "vtx2")]
    expect(all(245 < z < 265 for z in zs), "a face has corners at %r, off the site's relief" % zs)

# The creek is a break line: each of its segments is an edge of the faces,
# or a chain of edges where a crossing split it.
creek = on("POLYLINE", "BREAKLINES")
expect(len(creek) == 1, "the creek's 3D polyline is not kept once on BREAKLINES")
knots = [key(p) for p in creek[0].points()]
expect(len(knots) == 9, "the creek has %d vertices, not its 9" % len(knots))
vertices = {p for e in edges for p in e}
for a, b in zip(knots, knots[1:]):
    if frozenset((a, b)) in edges:
        continue
    # A split segment: vertices of the faces on the segment joining a to b.
    on_line = sorted((p for p in vertices
                      if abs((b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0])) < 1e-3 * max(
                          abs(b[0] - a[0]), abs(b[1] - a[1]))
                      and min(a[0], b[0]) - 1e-6 <= p[0] <= max(a[0], b[0]) + 1e-6
                      and min(a[1], b[1]) - 1e-6 <= p[1] <= max(a[1], b[1]) + 1e-6),
                     key=lambda p: (p[0] - a[0]) ** 2 + (p[1] - a[1]) ** 2)
    expect(on_line[0] == a and on_line[-1] == b and
           all(frozenset(pq) in edges for pq in zip(on_line, on_line[1:])),
           "the creek's segment %r-%r is not followed by the triangles' edges" % (a, b))

contours = on("LWPOLYLINE", "Teren_CONTOURS")
expect(len(contours) >= 15, "only %d contours on Teren_CONTOURS" % len(contours))
labels = sorted(t.dxf.text for t in on("TEXT", "Teren_CONTOURS"))
expect(labels == ["257", "258", "259", "260"], "the labels along the path are %r, not 257 to 260" % labels)
expect(len(on("WIPEOUT", "Teren_CONTOURS")) == 4, "each label needs its mask")
expect(len(on("LWPOLYLINE", "0")) == 1, "the labels' path is not left on layer 0")

drapes = on("POLYLINE", "Teren_DRAPE")
expect(len(drapes) == 1, "the road is draped %d times, not once" % len(drapes))
road = list(drapes[0].points())
expect(len(road) > 20, "the draped road has %d vertices: its arc and the triangle edges it crosses are missing"
       % len(road))
expect(all(245 < p[2] < 265 for p in road), "the draped road leaves the terrain")
expect(len(on("INSERT", "Teren_ELEV")) >= 2, "the elevation markers are missing")

# The picture: the terrain filled on the dark background, the creek (cyan)
# drawn over it.
png = Png(os.path.join(work, "out", "site.png"))
cyan = png.count(lambda p: p[2] > 150 and p[1] > 150 and p[0] < 120)
expect(cyan > 150, "the creek hardly shows in the main job's picture (%d cyan pixels)" % cyan)

# Another program reads the saved drawing: LibreCAD prints the faces,
# contours and labels (its print is mostly ink; a drawing it could not read
# prints blank).
printed = subprocess.run([sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                                       "librecad_print.py"), "--ink",
                          os.path.join(work, "out", "site.dxf"), "0.03"], capture_output=True, text=True, timeout=600)
expect(printed.returncode == 0, "LibreCAD's print of out/site.dxf: %s%s" % (printed.stdout, printed.stderr[-2000:]))
print("main job: %d faces, %d contours, labels %s, road of %d vertices" % (len(faces), len(contours), labels,
                                                                          len(road)))
