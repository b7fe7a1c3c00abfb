"""Helpers for the end-to-end checkers: read what a job wrote and fail with
a message that says what is wrong. Checkers run in the job's work folder
with /usr/bin/python3, which has Debian's ezdxf."""

import os
import struct
import sys
import zlib

import ezdxf


def fail(message):
    print("check failed: " + message, file=sys.stderr)
    sys.exit(1)


def expect(condition, message):
    if not condition:
        fail(message)


def work_path(name):
    folder = sys.argv[1] if len(sys.argv) > 1 else os.getcwd()
    return os.path.join(folder, name)


def source_path(*parts):
    """A file of the repository (this file lives in tests/e2e)."""
    return os.path.normpath(os.path.join(os.path.dirname(__file__), "..", "..", *parts))


def read_dxf(path):
    """The drawing, read by ezdxf and audited: any audit error fails."""
    expect(os.path.isfile(path), path + " was not written")
    try:
        doc = ezdxf.readfile(path)
    except Exception as e:  # ezdxf raises several kinds
        fail("ezdxf cannot read %s: %s" % (path, e))
    auditor = doc.audit()
    expect(not auditor.has_errors, "ezdxf finds errors in %s: %s"
           % (path, "; ".join(str(e.message) for e in auditor.errors)))
    return doc


def close(a, b, tol=1e-6):
    return all(abs(x - y) <= tol for x, y in zip(a, b))


class Png:
    """An 8-bit RGB or RGBA PNG, decoded with the standard library."""

    def __init__(self, path):
        expect(os.path.isfile(path), path + " was not written")
        with open(path, "rb") as f:
            data = f.read()
        expect(data[:8] == b"\x89PNG\r\n\x1a\n", path + " is not a PNG file")
        pos, idat = 8, b""
        while pos < len(data):
            length, kind = struct.unpack(">I4s", data[pos:pos + 8])
            body = data[pos + 8:pos + 8 + length]
            if kind == b"IHDR":
                self.width, self.height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
                expect(depth == 8 and colour in (2, 6) and interlace == 0,
                       "%s: only 8-bit RGB(A) without interlacing is read here" % path)
                self.channels = 3 if colour == 2 else 4
            elif kind == b"IDAT":
                idat += body
            pos += 12 + length
        self.rows = self._unfilter(zlib.decompress(idat))

    def _unfilter(self, raw):
        n, stride, rows, prev, pos = self.channels, self.width * self.channels, [], None, 0
        for _ in range(self.height):
            kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
            pos += 1 + stride
            up = prev or bytearray(stride)
            for i in range(stride):
                a = line[i - n] if i >= n else 0
                b = up[i]
                c = up[i - n] if i >= n else 0
                if kind == 1:
                    line[i] = (line[i] + a) & 255
                elif kind == 2:
                    line[i] = (line[i] + b) & 255
                elif kind == 3:
                    line[i] = (line[i] + (a + b) // 2) & 255
                elif kind == 4:
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
            rows.append(line)
            prev = line
        return rows

    def pixel(self, x, y):
        row, n = self.rows[y], self.channels
        return tuple(row[x * n:x * n + 3])

    def count(self, test):
        return sum(1 for y in range(self.height) for x in range(self.width) if test(self.pixel(x, y)))


def inked(rgb):
    return min(rgb) < 235


def reddish(rgb):
    r, g, b = rgb
    return r > 150 and r - g > 60 and r - b > 60
