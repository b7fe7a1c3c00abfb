"""Runs the shell recipes of the job-script cookbook as a user would: in a
folder of their own, with cadhost and kvbtool on the PATH and the module
named by MODULE.

The folder holds what the recipes speak of: site.dxf, a folder survey/ of
.xyz files (the sample survey cut in three), a folder drawings/ (the sample
site and the drawing of old surfaces), and a copy of samples/ for the
recipes that run from the project's folder. A job block of the cookbook
with a comment line that names a file (`# contours.job: ...`) is written to
that file first, as the reader is told to save it.

Every `sh` block of the cookbook then runs in order with `bash -e`; it must
end with status 0 and print no "failed:", and every file it names after
--save, --output or --render (without a shell variable) must exist.

Usage: run_guide_recipes.py --cadhost BIN --module SO --kvbtool BIN --repo DIR --work DIR
"""

import argparse
import os
import re
import shutil
import subprocess
import sys

JOB_NAME = re.compile(r"^#\s*([\w.-]+\.job)\s*:", re.M)
WRITTEN = re.compile(r"--(?:save|output|render)\s+(\"[^\"$]+\"|[^\s\"$\\]+)")


def cookbook(repo):
    """The (kind, text) of each fenced block after the page's Cookbook heading."""
    text = open(os.path.join(repo, "docs", "job-scripts.md"), encoding="utf-8").read()
    start = text.find("\n## Cookbook")
    if start < 0:
        raise SystemExit("docs/job-scripts.md has no Cookbook")
    return re.findall(r"^```(\w+)\n(.*?)^```", text[start:], re.S | re.M)


def lay_out(repo, work):
    shutil.rmtree(work, ignore_errors=True)
    samples = os.path.join(repo, "samples")
    shutil.copytree(samples, os.path.join(work, "samples"))
    os.makedirs(os.path.join(work, "survey"))
    os.makedirs(os.path.join(work, "drawings"))
    shutil.copy(os.path.join(samples, "site.dxf"), work)
    for name in ("site.dxf", "old-surfaces.dxf"):
        shutil.copy(os.path.join(samples, name), os.path.join(work, "drawings"))
    lines = open(os.path.join(samples, "points", "site.xyz"), encoding="utf-8").read().splitlines(True)
    third = (len(lines) + 2) // 3
    for k in range(3):
        with open(os.path.join(work, "survey", "crew%d.xyz" % k), "w", encoding="utf-8") as f:
            f.writelines(lines[k * third:(k + 1) * third])


def main():
    parser = argparse.ArgumentParser()
    for name in ("cadhost", "module", "kvbtool", "repo", "work"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    blocks = cookbook(args.repo)
    lay_out(args.repo, args.work)

    jobs = 0
    for kind, text in blocks:
        m = JOB_NAME.search(text)
        if kind == "job" and m:
            with open(os.path.join(args.work, m.group(1)), "w", encoding="utf-8") as f:
                f.write(text)
            jobs += 1

    tools = os.path.join(args.work, ".tools")
    os.makedirs(tools)
    for tool in (args.cadhost, args.kvbtool):
        os.symlink(os.path.abspath(tool), os.path.join(tools, os.path.basename(tool)))
    env = dict(os.environ, PATH=tools + os.pathsep + os.environ.get("PATH", ""),
               MODULE=os.path.abspath(args.module), QT_QPA_PLATFORM="offscreen")

    failures, recipes = [], 0
    for kind, text in blocks:
        if kind != "sh":
            continue
        recipes += 1
        first = text.strip().splitlines()[0]
        p = subprocess.run(["bash", "-e", "-c", text], cwd=args.work, env=env,
                           capture_output=True, text=True, timeout=600)
        if p.returncode != 0 or "failed:" in p.stdout + p.stderr:
            failures.append("recipe starting %r: status %d\n%s%s" % (first, p.returncode, p.stdout, p.stderr))
            continue
        for written in WRITTEN.findall(text):
            if not os.path.isfile(os.path.join(args.work, written.strip('"'))):
                failures.append("recipe starting %r wrote no %s" % (first, written))
    if recipes == 0 or jobs == 0:
        failures.append("the cookbook has %d shell recipes and %d named jobs" % (recipes, jobs))
    for f in failures:
        print(f, file=sys.stderr)
    print("%d cookbook recipes (%d jobs saved), %d failures" % (recipes, jobs, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
