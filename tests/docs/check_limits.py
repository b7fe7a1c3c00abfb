"""The guide's limits and speeds (docs/limits.md) are the benchmarks' own.

A row of a table in limits.md that quotes a figure names its source: a
quoted line of a recorded report, and the report, as

    | triangulating | about 0.52 s | `1000000 random engine 0.520` in [engine](../bench/results/engine.txt) |

The quote must be found, with runs of spaces taken as one, in a line of that
report, and every number the row's figure gives (0.52 above) must be one of
the quote's numbers, rounded as the figure is. A report recorded again
without the page brought up to date fails here.

Usage: check_limits.py REPO
"""
import os
import re
import sys

SOURCE = re.compile(r"`([^`]+)`\s+in\s+\[[^\]]*\]\(([^)]+)\)")
NUMBER = re.compile(r"(?<![\w.])\d+(?:\.\d+)?")
# A report prints small timings in exponent form (2.9115e-05).
REPORTED = re.compile(r"(?<![\w.])\d+(?:\.\d+)?(?:[eE][-+]?\d+)?")


def squeeze(text):
    return " ".join(text.split())


def decimals(figure):
    return len(figure.split(".")[1]) if "." in figure else 0


def main(repo):
    page = os.path.join(repo, "docs", "limits.md")
    failures, quoted = [], 0
    for n, line in enumerate(open(page, encoding="utf-8"), 1):
        if not line.startswith("|"):
            continue
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        m = SOURCE.search(cells[-1]) if cells else None
        if not m:
            continue
        quoted += 1
        quote, target = squeeze(m.group(1)), m.group(2)
        report = os.path.normpath(os.path.join(os.path.dirname(page), target))
        if not os.path.isfile(report):
            failures.append("limits.md:%d names %s, which does not exist" % (n, target))
            continue
        if not any(quote in squeeze(l) for l in open(report, encoding="utf-8")):
            failures.append("limits.md:%d quotes `%s`, which %s no longer says" % (n, quote, target))
            continue
        figures = NUMBER.findall(" ".join(cells[1:-1]))
        numbers = [float(x) for x in REPORTED.findall(quote)]
        for f in figures:
            if not any(round(x, decimals(f)) == float(f) for x in numbers):
                failures.append("limits.md:%d gives %s, which is none of the numbers of `%s`" % (n, f, quote))
    if quoted == 0:
        failures.append("limits.md quotes no benchmark report")
    for f in failures:
        print(f, file=sys.stderr)
    if failures:
        print("record the benchmarks (bench/record.sh) and bring docs/limits.md up to date", file=sys.stderr)
        return 1
    print("%d figures of limits.md found in their reports" % quoted)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
