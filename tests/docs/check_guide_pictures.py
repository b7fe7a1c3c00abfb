"""The guide's pictures are the program's own and up to date.

Makes every picture of docs/pictures.job and docs/desktop-pictures.list
anew, as docs/make-pictures.sh does, and compares each with the committed
one: same size, and nearly every pixel the same (fonts may differ by a shade
from machine to machine). Every picture a page of the guide shows must be
one of them.

Usage: check_guide_pictures.py --cadhost BIN --module SO --screenshot BIN --repo DIR --work DIR
"""

import argparse
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from e2echeck import Png  # noqa: E402
import desktop_pictures  # noqa: E402

# A pixel differs when a channel moves by more than this; a picture is stale
# when more than this share of its pixels differ.
CHANNEL_TOLERANCE = 48
STALE_SHARE = 0.02


def shown_pictures(repo):
    """(page, picture path) for every picture a page of docs/ shows."""
    shown = []
    for folder, _, files in os.walk(os.path.join(repo, "docs")):
        for name in files:
            if name.endswith(".md"):
                page = os.path.join(folder, name)
                for target in re.findall(r"!\[[^\]]*\]\(([^)]+\.png)\)", open(page, encoding="utf-8").read()):
                    shown.append((os.path.relpath(page, repo), os.path.normpath(os.path.join(folder, target))))
    return shown


def differing_share(a, b):
    differ = 0
    for y in range(a.height):
        ra, rb = a.rows[y], b.rows[y]
        n = a.channels
        for x in range(a.width):
            pa, pb = ra[x * n:x * n + 3], rb[x * n:x * n + 3]
            if any(abs(pa[c] - pb[c]) > CHANNEL_TOLERANCE for c in range(3)):
                differ += 1
    return differ / float(a.width * a.height)


def main():
    parser = argparse.ArgumentParser()
    for name in ("cadhost", "module", "screenshot", "repo", "work"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(os.path.join(args.work, "docs", "pictures"))
    os.makedirs(os.path.join(args.work, "out"))
    shutil.copytree(os.path.join(args.repo, "samples"), os.path.join(args.work, "samples"))
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    p = subprocess.run([args.cadhost, "--quiet", "--open", os.path.join(args.repo, "samples", "site.dxf"),
                        "--load", args.module, "--job", os.path.join(args.repo, "docs", "pictures.job"),
                        "--render-size", "1000x750"],
                       cwd=args.work, capture_output=True, text=True, env=env, timeout=600)
    if p.returncode != 0:
        print("docs/pictures.job failed (%d):\n%s" % (p.returncode, p.stderr), file=sys.stderr)
        return 1
    failures = []
    previous = os.getcwd()
    os.chdir(args.work)
    try:
        failures += desktop_pictures.make(args.screenshot, args.module, os.path.join(args.work, "docs", "pictures"))
    finally:
        os.chdir(previous)
    made = sorted(os.listdir(os.path.join(args.work, "docs", "pictures")))
    for name in made:
        committed = os.path.join(args.repo, "docs", "pictures", name)
        if not os.path.isfile(committed):
            failures.append("docs/pictures/%s is made by docs/pictures.job but not committed" % name)
            continue
        new, old = Png(os.path.join(args.work, "docs", "pictures", name)), Png(committed)
        if (new.width, new.height) != (old.width, old.height):
            failures.append("docs/pictures/%s is %dx%d, the program now draws it %dx%d"
                            % (name, old.width, old.height, new.width, new.height))
            continue
        share = differing_share(new, old)
        if share > STALE_SHARE:
            failures.append("docs/pictures/%s differs from what the program draws now in %.1f%% of its pixels"
                            % (name, 100 * share))
    for page, picture in shown_pictures(args.repo):
        if os.path.basename(picture) not in made:
            failures.append("%s shows %s, which docs/pictures.job does not make"
                            % (page, os.path.relpath(picture, args.repo)))
    for f in failures:
        print(f, file=sys.stderr)
    if failures:
        print("run docs/make-pictures.sh and commit the pictures", file=sys.stderr)
        return 1
    print("%d guide pictures up to date" % len(made))
    return 0


if __name__ == "__main__":
    sys.exit(main())
