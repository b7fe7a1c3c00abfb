"""Writes the survey files of the contour jobs (run it here, commit the
output): a hill from 101.37 to 150.82 and a hollow from -12.3 to -2.1, each
on a jittered 25 x 25 grid of 8 m over 192 x 192 m, lowest and highest
shots exactly at those elevations."""
import math
import random


def write(name, title, zmin, zmax, shape, seed):
    rng = random.Random(seed)
    points = []
    for i in range(25):
        for j in range(25):
            x = i * 8.0 + (rng.uniform(-2.5, 2.5) if 0 < i < 24 else 0.0)
            y = j * 8.0 + (rng.uniform(-2.5, 2.5) if 0 < j < 24 else 0.0)
            points.append((x, y, shape(x, y)))
    lo = min(p[2] for p in points)
    hi = max(p[2] for p in points)
    with open(name, "w") as f:
        f.write("# %s: %.2f to %.2f m, written by make_points.py\n" % (title, zmin, zmax))
        for x, y, z in points:
            z = zmin + (z - lo) / (hi - lo) * (zmax - zmin)
            f.write("%.3f %.3f %.3f\n" % (x, y, round(z, 3)))


def hill(x, y):
    return math.exp(-((x - 110) ** 2 + (y - 90) ** 2) / 4000.0) + 0.3 * math.exp(-((x - 40) ** 2 + (y - 150) ** 2) / 1500.0) + 0.001 * x


def hollow(x, y):
    return -math.exp(-((x - 96) ** 2 + (y - 96) ** 2) / 5000.0) + 0.002 * y


write("hill.xyz", "A hill", 101.37, 150.82, hill, 5)
write("hollow.xyz", "A hollow below the datum", -12.3, -2.1, hollow, 6)
