"""large.job: large.xyz, 9000 lines: the places (k, k mod 97) for k up to 6999, then
the first 2000 again with new heights (the line's number)."""
from e2echeck import work_path

with open(work_path("large.xyz"), "w") as f:
    for i in range(9000):
        k = i % 7000
        f.write("%d %d %d\n" % (k, k % 97, i))
