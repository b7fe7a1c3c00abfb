"""drawing_picture_*: photo.png, a picture another program made, where the job draws, and ro.png,
the same read-only."""
import os
import struct
import zlib

from drawingsafety import protect
from e2echeck import work_path


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


# A 2 x 2 grey picture with another program's name in it.
rows = b"".join(b"\x00" + b"\x80" * 6 for _ in range(2))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 2, 8, 2, 0, 0, 0)) +
       chunk(b"tEXt", b"Software\x00a camera") + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
for name, mode in (("photo.png", 0o644), ("ro.png", 0o444)):
    with open(work_path(name), "wb") as f:
        f.write(png)
    os.chmod(work_path(name), mode)
    protect(name)
