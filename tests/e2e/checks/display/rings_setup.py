"""rings.job: islands.kvb, the two islands of islands.xyz as one surface "Islands"
whose triangles may have no side longer than 30, made by kvbtool ($KVBTOOL)."""
import os
import subprocess

from e2echeck import source_path, work_path

subprocess.run([os.environ["KVBTOOL"], "build", work_path("islands.kvb"),
                source_path("tests", "e2e", "jobs", "display", "islands.xyz"),
                "--name", "Islands", "--edge-limit", "30"], check=True)
