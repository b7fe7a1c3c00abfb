"""The pictures of the sample: the PNG of --render at --render-size, the
job's own PNG and SVG at the default size; ink on them, the road in red."""
import re

from e2echeck import Png, expect, inked, reddish, work_path

out = Png(work_path("out.png"))
expect((out.width, out.height) == (640, 480), "out.png is %dx%d, not 640x480" % (out.width, out.height))
ink = out.count(inked)
expect(1000 < ink < 640 * 480 // 4, "out.png has %d inked pixels" % ink)
expect(out.count(reddish) > 100, "the red road is missing from out.png")
# The margin stays white: nothing is drawn on the picture's edges.
edge = [out.pixel(x, 0) for x in range(640)] + [out.pixel(0, y) for y in range(480)]
expect(not any(inked(p) for p in edge), "out.png is drawn up to its edge")

job = Png(work_path("job.PNG"))
expect((job.width, job.height) == (640, 480), "the job's PNG follows --render-size too")

with open(work_path("job.svg"), encoding="utf-8") as f:
    svg = f.read()
expect("<svg" in svg, "job.svg is not an SVG file")
expect(re.search(r'width="[0-9.]+(mm|px)?"', svg) is not None, "job.svg has no width")
expect(svg.count("<path") + svg.count("<polyline") > 50, "job.svg holds too little drawing")
print("render: %d inked pixels" % ink)
