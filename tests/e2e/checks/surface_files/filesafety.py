"""Setups and checks of the surface-file jobs: the files a job meets (earlier exports,
attached surveys, read-only files, links, full or read-only disks), made before it runs,
and what must hold after it: every protected file byte for byte as it was, and no
temporary file left behind."""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

from e2echeck import expect, source_path, work_path

# The surface jobs' reader of the drawing's surfaces (surfacedxf) lives beside their checks.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "surfaces"))

SAMPLE_KVB = source_path("samples", "site-2009.kvb")
SAMPLE_NAME = "Teren_2009"  # the surface name stored in SAMPLE_KVB
TEMPORARY = re.compile(r"\.tmp-[A-Za-z0-9]{6}$")


def copy_sample(rel, mode=None):
    """SAMPLE_KVB copied to work/rel, protected (see expect_unchanged)."""
    path = work_path(rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    shutil.copyfile(SAMPLE_KVB, path)
    if mode is not None:
        os.chmod(path, mode)
    protect(rel)
    return path


def _copy_of(rel):
    return work_path(os.path.join(".protected", rel.replace("/", "%")))


def protect(rel):
    os.makedirs(work_path(".protected"), exist_ok=True)
    shutil.copyfile(work_path(rel), _copy_of(rel))


def expect_unchanged(rel):
    path = work_path(rel)
    expect(os.path.isfile(path), rel + " is gone")
    with open(path, "rb") as now, open(_copy_of(rel), "rb") as before:
        expect(now.read() == before.read(), rel + " was changed")


def surface_name(path):
    """The surface name in a surface file's header."""
    with open(path, "rb") as f:
        data = f.read()
    expect(data[:4] == b"\x89KVB", path + " is not a surface file")
    (length,) = struct.unpack_from("<I", data, 16)
    return data[20:20 + length].decode("utf-8")


def mode_of(rel):
    return os.stat(work_path(rel)).st_mode & 0o7777


def expect_no_temporaries(*folders):
    for rel in folders:
        folder = work_path(rel)
        left = [n for n in os.listdir(folder) if TEMPORARY.search(n)]
        expect(not left, "temporary files left in %s: %s" % (rel or ".", ", ".join(left)))


def mount_tmpfs(rel, options):
    """A tmpfs mounted outside the work folder (so a failed run leaves no mount where the next
    run clears its folder) and linked as work/rel. Exits 77, which skips the test, where
    mounting is not permitted."""
    point = tempfile.mkdtemp(prefix="uv-e2e-")
    done = subprocess.run(["mount", "-t", "tmpfs", "-o", options, "tmpfs", point],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if done.returncode != 0:
        os.rmdir(point)
        print("mounting a tmpfs is not permitted here: " + done.stdout.strip())
        sys.exit(77)
    os.symlink(point, work_path(rel))
    return point


def unmount(rel):
    point = os.path.realpath(work_path(rel))
    subprocess.run(["umount", "-l", point], check=False)
    os.rmdir(point)


def fill(folder_rel):
    """Fills the file system of a folder until it takes no byte more."""
    fd = os.open(os.path.join(work_path(folder_rel), "filler"), os.O_WRONLY | os.O_CREAT, 0o644)
    for size in (65536, 4096, 1):
        try:
            while True:
                os.write(fd, b"\0" * size)
        except OSError:
            pass
    os.close(fd)
