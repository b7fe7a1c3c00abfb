"""The peer of bench_show's DXF figures: python3-ezdxf writing and reading
3D faces tagged as SHOW tags them, in MB/s of DXF text.

  ezdxf_peer.py FACES SCRATCH.dxf"""
import os
import random
import sys
import time

import ezdxf

count, path = int(sys.argv[1]), sys.argv[2]
rng = random.Random(3)
doc = ezdxf.new("R2010")
for app in ("KV2_SurfaceName", "KV2_TrinagleId"):
    doc.appids.new(app)
doc.layers.add("Teren_TIN", color=8)
msp = doc.modelspace()
for i in range(count):
    x, y = rng.uniform(0, 1000), rng.uniform(0, 1000)
    face = msp.add_3dface([(x, y, 100.0), (x + 1, y, 101.0), (x, y + 1, 102.0), (x, y + 1, 102.0)],
                          dxfattribs={"layer": "Teren_TIN"})
    face.set_xdata("KV2_SurfaceName", [(1000, "Teren")])
    face.set_xdata("KV2_TrinagleId", [(1070, (i + 32768) % 65536 - 32768)])
t = time.process_time()
doc.saveas(path)
save = time.process_time() - t
megabytes = os.path.getsize(path) / 1e6
t = time.process_time()
ezdxf.readfile(path)
read = time.process_time() - t
os.remove(path)
print("ezdxf_faces %d" % count)
print("ezdxf_megabytes %.6g" % megabytes)
print("ezdxf_save_mb_per_second %.6g" % (megabytes / save))
print("ezdxf_read_mb_per_second %.6g" % (megabytes / read))
