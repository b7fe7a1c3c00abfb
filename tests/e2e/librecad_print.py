#!/usr/bin/python3
"""Prints drawings with LibreCAD (Debian's librecad, `librecad dxf2pdf`) and
looks at the prints: another program must read what ours saved and draw it.

usage: librecad_print.py ORIGINAL.dxf SAVED.dxf
           the saved drawing prints as the original does (both with ink)
       librecad_print.py --ink DRAWING.dxf FRACTION
           the print has ink on at least this fraction of its pixels

Exits 1, saying what differs, when a check fails.
"""
import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops

DARK = 200  # a grey level below this is ink


def print_drawing(dxf, folder):
    """The print of the drawing as a grey image 1000 pixels wide."""
    base = os.path.join(folder, os.path.splitext(os.path.basename(dxf))[0])
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    # LibreCAD names the print after the drawing, in the folder given.
    done = subprocess.run(["librecad", "dxf2pdf", "-a", "-t", folder, os.path.abspath(dxf)], env=env, cwd=folder,
                          capture_output=True, text=True, timeout=300)
    if done.returncode != 0 or not os.path.exists(base + ".pdf"):
        sys.exit(f"librecad could not print {dxf} (status {done.returncode}):\n{done.stderr[-2000:]}")
    subprocess.run(["pdftoppm", "-png", "-singlefile", "-scale-to", "1000", base + ".pdf", base], check=True,
                   timeout=300)
    return Image.open(base + ".png").convert("L")


def ink(image):
    histogram = image.histogram()
    return sum(histogram[:DARK]) / (image.width * image.height)


def main(args):
    with tempfile.TemporaryDirectory() as folder:
        if args[0] == "--ink":
            got = ink(print_drawing(args[1], folder))
            if got < float(args[2]):
                sys.exit(f"{args[1]}: the print has ink on {got:.4%} of its pixels, fewer than {float(args[2]):.4%}")
            print(f"{args[1]}: ink on {got:.4%} of the print")
            return 0
        os.makedirs(os.path.join(folder, "a"))
        os.makedirs(os.path.join(folder, "b"))
        original = print_drawing(args[0], os.path.join(folder, "a"))
        saved = print_drawing(args[1], os.path.join(folder, "b"))
        if ink(original) == 0:
            sys.exit(f"{args[0]}: the original prints blank, nothing to compare")
        if original.size != saved.size:
            sys.exit(f"the prints differ in size: {original.size} and {saved.size}")
        changed = ImageChops.difference(original, saved).point(lambda v: 255 if v > 64 else 0)
        share = changed.histogram()[255] / (original.width * original.height)
        if share > 0.0001:
            sys.exit(f"the saved drawing prints differently: {share:.4%} of the pixels changed "
                     f"(ink {ink(original):.4%} -> {ink(saved):.4%}), within {changed.getbbox()}")
        print(f"the prints match (ink on {ink(original):.4%} of the pixels, {share:.4%} changed)")
        return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
