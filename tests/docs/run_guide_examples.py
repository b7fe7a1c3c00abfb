"""Runs every job-script example of the user's guide and checks what each
one says it does.

An example is a fenced block whose info string is `job`. Lines of the form

    # drawing: samples/site.dxf
    # expect: surface "Teren" has 384 points

are comments to cadhost, read here: `drawing` names the drawing the example
starts from (relative to the repository; without it the drawing is empty),
and each `expect` states an outcome that must hold after the job ran and the
drawing was saved. A block whose first line is

    # continued from the example above

goes on from the block before it in the same page: the blocks of such a
chain run as one job, the drawing saved at the end of each block, and each
block's expectations are checked on the drawing as its block left it. The phrases an `expect` may use are those of CHECKS below;
an unknown phrase fails, so a guide cannot state what nobody checks.

Each example runs in a fresh folder holding a copy of samples/, the way the
guide tells a user to run jobs: from the folder that holds the samples.

Usage: run_guide_examples.py --cadhost BIN --module SO --repo DIR --work DIR
"""

import argparse
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e", "checks", "surfaces"))

import ezdxf  # noqa: E402
from surfacedxf import engine_surfaces  # noqa: E402


class Example:
    def __init__(self, source, line, text, before=None):
        self.source, self.line, self.text = source, line, text
        self.drawing = None
        self.expects = []
        self.continues = text.lstrip().lower().startswith("# continued from the example above")
        if self.continues:
            if before is None:
                raise SystemExit("%s:%d: nothing above to continue from" % (source, line))
            self.drawing = before.drawing
        for n, raw in enumerate(text.splitlines()):
            m = re.match(r"\s*#\s*(drawing|expect)\s*:\s*(.*?)\s*$", raw)
            if not m:
                continue
            if m.group(1) == "drawing":
                self.drawing = m.group(2)
            else:
                self.expects.append((line + 1 + n, m.group(2)))

    def where(self, line=None):
        return "%s:%d" % (self.source, line or self.line)


def examples(repo):
    docs = os.path.join(repo, "docs")
    found = []
    for folder, _, files in sorted(os.walk(docs)):
        for name in sorted(files):
            if not name.endswith(".md"):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, repo)
            lines = open(path, encoding="utf-8").read().splitlines()
            before = None
            i = 0
            while i < len(lines):
                if lines[i].strip() == "```job":
                    start, body = i + 1, []
                    i += 1
                    while i < len(lines) and lines[i].strip() != "```":
                        body.append(lines[i])
                        i += 1
                    before = Example(rel, start, "\n".join(body) + "\n", before)
                    found.append(before)
                i += 1
    return found


class Outcome:
    """What a run left: exit status, output, the saved drawing."""

    def __init__(self, work, status, stdout, stderr, drawing="out.dxf"):
        self.work, self.status, self.stdout, self.stderr = work, status, stdout, stderr
        self.drawing = drawing
        self._doc = None

    def doc(self):
        if self._doc is None:
            path = os.path.join(self.work, self.drawing)
            if not os.path.isfile(path):
                raise AssertionError("the job stopped before this example's end:\n" + self.stderr)
            self._doc = ezdxf.readfile(path)
        return self._doc

    def surfaces(self):
        return engine_surfaces(self.doc())


def _surface(o, name):
    surfaces, _ = o.surfaces()
    if name not in surfaces:
        raise AssertionError("the drawing has no surface %r (it has %s)" % (name, sorted(surfaces)))
    return surfaces[name]


def _count(o, kind, layer):
    msp = o.doc().modelspace()
    return sum(1 for e in msp if e.dxftype() == kind.upper() and (layer is None or e.dxf.layer == layer))


def _attribute(o, tag, block, x, y):
    """The text of the attribute of the block reference inserted at x,y."""
    for e in o.doc().modelspace().query("INSERT"):
        if e.dxf.name == block and abs(e.dxf.insert.x - x) < 1e-6 and abs(e.dxf.insert.y - y) < 1e-6:
            for attrib in e.attribs:
                if attrib.dxf.tag == tag:
                    return attrib.dxf.text
            raise AssertionError('the "%s" block at %g,%g has no attribute "%s"' % (block, x, y, tag))
    raise AssertionError('the drawing has no "%s" block at %g,%g' % (block, x, y))


def _compare(actual, relation, expected, what):
    ok = {"": actual == expected, "at least ": actual >= expected, "at most ": actual <= expected}[relation]
    if not ok:
        raise AssertionError("%s: %d, expected %s%d" % (what, actual, relation, expected))


NUMBER = r"(at least |at most |)(\d+)"

CHECKS = [
    (r'surface "([^"]+)" has %s (points|triangles)$' % NUMBER,
     lambda o, name, rel, n, what: _compare(_surface(o, name)[what], rel, int(n),
                                             'surface "%s" %s' % (name, what))),
    (r'surface "([^"]+)" is kept in (the drawing|a file)$',
     lambda o, name, where: _expect((_surface(o, name)["storage"] == "dict") == (where == "the drawing"),
                                    'surface "%s" is kept as %r' % (name, _surface(o, name)["storage"]))),
    (r'the drawing has no surface "([^"]+)"$',
     lambda o, name: _expect(name not in o.surfaces()[0], 'the drawing still has surface "%s"' % name)),
    (r'the current surface is "([^"]+)"$',
     lambda o, name: _expect(o.surfaces()[1] == name, "the current surface is %r" % o.surfaces()[1])),
    (r'the drawing has %s ([A-Z0-9_]+) entit(?:y|ies)(?: on layer "([^"]+)")?$' % NUMBER,
     lambda o, rel, n, kind, layer: _compare(_count(o, kind, layer), rel, int(n),
                                              "%s entities%s" % (kind, " on " + layer if layer else ""))),
    (r'the attribute "([^"]+)" of the "([^"]+)" block at (-?[\d.]+),(-?[\d.]+) reads "([^"]*)"$',
     lambda o, tag, block, x, y, text: _expect(_attribute(o, tag, block, float(x), float(y)) == text,
                                                'attribute "%s" of "%s" at %s,%s reads %r'
                                                % (tag, block, x, y, _attribute(o, tag, block, float(x), float(y))))),
    (r'layer "([^"]+)" exists$',
     lambda o, name: _expect(name in o.doc().layers, 'the drawing has no layer "%s"' % name)),
    (r'the file "([^"]+)" exists$',
     lambda o, name: _expect(os.path.isfile(os.path.join(o.work, name)), 'no file "%s" was written' % name)),
    (r'the command line shows "([^"]+)"$',
     lambda o, text: _expect(text in o.stdout, 'the command line never showed "%s"' % text)),
    (r"the job ends with exit status (\d+)$",
     lambda o, n: _expect(o.status == int(n), "exit status %d, expected %s" % (o.status, n))),
]


def _expect(condition, message):
    if not condition:
        raise AssertionError(message)


def check(outcome, phrase):
    for pattern, test in CHECKS:
        m = re.match(pattern, phrase)
        if m:
            test(outcome, *m.groups())
            return
    raise AssertionError("no check knows the phrase %r" % phrase)


def chains(found):
    """The examples grouped into runs: one that starts afresh, with those that
    continue it."""
    runs = []
    for example in found:
        if example.continues and runs:
            runs[-1].append(example)
        else:
            runs.append([example])
    return runs


def run(chain, index, args):
    """Runs a chain of examples as one job, the drawing saved at the end of
    each example, and checks each example's expectations on its drawing."""
    work = os.path.join(args.work, "example-%02d" % index)
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(os.path.join(args.repo, "samples"), os.path.join(work, "samples"))
    job = os.path.join(work, "example.job")
    steps = ["guide-step-%d.dxf" % k for k in range(len(chain) - 1)] + ["out.dxf"]
    with open(job, "w", encoding="utf-8") as f:
        for example, step in zip(chain[:-1], steps):
            f.write(example.text + 'save "%s"\n' % step)
        f.write(chain[-1].text)
    command = [args.cadhost, "--load", args.module, "--job", job, "--save", "out.dxf"]
    if chain[0].drawing:
        command[1:1] = ["--open", os.path.join(work, chain[0].drawing)]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    p = subprocess.run(command, cwd=work, capture_output=True, text=True, env=env, timeout=600)
    failures = []
    last = chain[-1]
    if p.returncode != 0 and not any("exit status" in e for _, e in last.expects):
        failures.append("%s: cadhost failed with exit status %d:\n%s" % (last.where(), p.returncode, p.stderr))
    for example, step in zip(chain, steps):
        outcome = Outcome(work, p.returncode, p.stdout, p.stderr, step)
        for line, phrase in example.expects:
            try:
                check(outcome, phrase)
            except AssertionError as e:
                failures.append("%s: expect: %s\n    %s" % (example.where(line), phrase, e))
    return failures


def main():
    parser = argparse.ArgumentParser()
    for name in ("cadhost", "module", "repo", "work"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    found = examples(args.repo)
    if not found:
        print("no job examples found under docs/", file=sys.stderr)
        return 1
    failures = ["%s: the example states no outcome (# expect: ...)" % e.where() for e in found if not e.expects]
    for i, chain in enumerate(chains(found)):
        failures += run(chain, i, args)
    for f in failures:
        print(f, file=sys.stderr)
    print("%d job examples, %d failures" % (len(found), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
