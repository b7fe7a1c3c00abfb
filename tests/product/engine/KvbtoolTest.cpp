// SPDX-License-Identifier: GPL-3.0-or-later
// kvbtool on a file written by ExportToBin, its LandXML read back by Python's XML parser, and
// its errors.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "EngineTestSupport.h"
#include "product/engine/CKVLXsurface_Vantor2.h"

namespace uv::engine::test {
namespace {

struct ToolRun {
  int code;
  std::string out;
};

ToolRun kvbtool(const std::string& args) {
  const std::string command = std::string(UV_KVBTOOL) + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

class Kvbtool : public ::testing::Test {
 protected:
  void SetUp() override {
    CUniquePointSet set = pointSet(randomPoints(300, 9, 500000, 5000000, 60, [](double x, double y) {
      return 200 + 0.3 * x + 0.1 * y;
    }));
    surface.SetPoints(set);
    surface.SetBreakLine(AcGePoint3d(500010, 5000010, 205), AcGePoint3d(500050, 5000040, 220));
    surface.SetName(L"Teren");
    surface.SetDescription(L"field & office");
    std::ofstream out(folder.path("t.kvb"), std::ios::binary);
    ASSERT_EQ(surface.ExportToBin(*out.rdbuf()), 1);
  }
  std::string file(const char* name) { return folder.path(name).string(); }

  ScratchFolder folder;
  CKVLXsurface_Vantor2 surface{nullptr};
};

TEST_F(Kvbtool, InfoTellsNameCountsAndExtents) {
  const ToolRun r = kvbtool("info " + file("t.kvb"));
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("name: Teren\n"), std::string::npos);
  EXPECT_NE(r.out.find("description: field & office\n"), std::string::npos);
  EXPECT_NE(r.out.find("break lines: 1\n"), std::string::npos);
  EXPECT_NE(r.out.find("triangles: " + std::to_string(surface.TriangleCount()) + "\n"), std::string::npos);
  const AcDbExtents e = surface.Boundary();
  char extents[200];
  std::snprintf(extents, sizeof extents, "extents: %.6f %.6f", e.minPoint().x, e.minPoint().y);
  EXPECT_NE(r.out.find(extents), std::string::npos) << r.out;
}

TEST_F(Kvbtool, LandXmlReadsBackWithAStandardParser) {
  ASSERT_EQ(kvbtool("export " + file("t.kvb") + " --format landxml --output " + file("t.xml")).code, 0);
  // The checker prints the counts and the elevation of point 1 as it reads them.
  std::ofstream(folder.path("check.py")) <<
      "import sys, xml.etree.ElementTree as ET\n"
      "ns = {'l': 'http://www.landxml.org/schema/LandXML-1.2'}\n"
      "root = ET.parse(sys.argv[1]).getroot()\n"
      "s = root.find('l:Surfaces/l:Surface', ns)\n"
      "pts = {p.get('id'): [float(v) for v in p.text.split()] for p in s.findall('l:Definition/l:Pnts/l:P', ns)}\n"
      "faces = [[int(v) for v in f.text.split()] for f in s.findall('l:Definition/l:Faces/l:F', ns)]\n"
      "assert all(str(i) in pts for f in faces for i in f)\n"
      "print(s.get('name'), s.get('desc'), len(pts), len(faces), '%.6f %.6f %.6f' % tuple(pts['1']))\n";
  FILE* pipe = popen(("/usr/bin/python3 " + file("check.py") + " " + file("t.xml")).c_str(), "r");
  char line[512] = "";
  ASSERT_NE(std::fgets(line, sizeof line, pipe), nullptr);
  EXPECT_EQ(pclose(pipe), 0);
  AcGePoint3d p0;
  ASSERT_EQ(surface.GetPointAtIndex(0, p0), 1);
  char expected[512];
  std::snprintf(expected, sizeof expected, "Teren field & office %d %d %.6f %.6f %.6f\n", surface.PointCount(),
                surface.TriangleCount(), p0.y, p0.x, p0.z);  // LandXML points are northing, easting
  EXPECT_STREQ(line, expected);
}

TEST_F(Kvbtool, ElevationAndCsvAgreeWithTheSurface) {
  std::ofstream(folder.path("q.xy")) << "# x y\n500030 5000030\n500030,5000030.5\n499000 5000000\n";
  const ToolRun r = kvbtool("elevation " + file("t.kvb") + " " + file("q.xy"));
  ASSERT_EQ(r.code, 0) << r.out;
  std::istringstream lines(r.out);
  std::string line;
  for (const auto& q : {AcGePoint3d(500030, 5000030, 0), AcGePoint3d(500030, 5000030.5, 0)}) {
    double z = 0;
    ASSERT_EQ(surface.Elevation(q, z), 1);
    char expected[200];
    std::snprintf(expected, sizeof expected, "%.6f %.6f %.6f", q.x, q.y, z);
    std::getline(lines, line);
    EXPECT_EQ(line, expected);
  }
  std::getline(lines, line);
  EXPECT_EQ(line, "499000.000000 5000000.000000 off-surface");

  const ToolRun csv = kvbtool("export " + file("t.kvb") + " --format csv");
  ASSERT_EQ(csv.code, 0);
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), surface.PointCount() + 1);
}

TEST_F(Kvbtool, BuildMakesTheSameSurfaceAsTheEngine) {
  std::ofstream(folder.path("p.xyz")) << "0 0 10\n10 0 20\n10 10 30\n0 10 20\n0 0 11 # duplicate, new height\n";
  std::ofstream(folder.path("b.txt")) << "0 0 11 10 10 30\n";
  const ToolRun r = kvbtool("build " + file("b.kvb") + " " + file("p.xyz") + " --breaklines " + file("b.txt") +
                        " --name Mali");
  ASSERT_EQ(r.code, 0) << r.out;
  CKVLXsurface_Vantor2 built(nullptr);
  std::ifstream in(folder.path("b.kvb"), std::ios::binary);
  ASSERT_EQ(built.ImportFromBin(*in.rdbuf(), CKVLXsurface_Vantor2::kReadAll), 1);
  EXPECT_EQ(built.Name(), L"Mali");
  double z = 0;
  ASSERT_EQ(built.Elevation(AcGePoint3d(5, 5, 0), z), 1);
  EXPECT_DOUBLE_EQ(z, 20.5);  // on the break line from 11 to 30

  // Two squares 100 apart: joined by long triangles, or apart within a limit.
  std::ofstream(folder.path("two.xyz")) << "0 0 1\n10 0 1\n10 10 1\n0 10 1\n100 0 1\n110 0 1\n110 10 1\n100 10 1\n";
  for (const auto& [limit, rings] : {std::pair{"", 1}, {" --edge-limit 30", 2}}) {
    ASSERT_EQ(kvbtool("build " + file("two.kvb") + " " + file("two.xyz") + limit + " --replace").code, 0) << limit;
    CKVLXsurface_Vantor2 two(nullptr);
    std::ifstream twoIn(folder.path("two.kvb"), std::ios::binary);
    ASSERT_EQ(two.ImportFromBin(*twoIn.rdbuf(), CKVLXsurface_Vantor2::kReadAll), 1);
    EXPECT_EQ(two.GetBoundaryCount(), rings) << limit;
  }
  EXPECT_EQ(kvbtool("build " + file("x.kvb") + " " + file("two.xyz") + " --edge-limit -1").code, 1);
}

TEST_F(Kvbtool, ErrorsNameTheFileAndLineAndSetTheExitCode) {
  std::ofstream(folder.path("bad.xyz")) << "1 2 3\n4 five 6\n";
  const ToolRun bad = kvbtool("build " + file("x.kvb") + " " + file("bad.xyz"));
  EXPECT_EQ(bad.code, 2);
  EXPECT_NE(bad.out.find("bad.xyz:2: \"five\" is not a number"), std::string::npos) << bad.out;
  EXPECT_FALSE(std::filesystem::exists(folder.path("x.kvb")));
  EXPECT_EQ(kvbtool("info " + file("missing.kvb")).code, 2);
  EXPECT_EQ(kvbtool("frobnicate").code, 1);
  EXPECT_EQ(kvbtool("export " + file("t.kvb") + " --format shp").code, 1);
  auto bytes = readBytes(folder.path("t.kvb"));
  bytes.resize(bytes.size() / 3);  // within the points: the triangles and links follow them
  writeBytes(folder.path("half.kvb"), bytes);
  const ToolRun half = kvbtool("info " + file("half.kvb"));
  EXPECT_EQ(half.code, 2);
  EXPECT_NE(half.out.find("truncated"), std::string::npos);
}

// A file already where a command writes is someone's work: kept, byte for byte, unless the
// command says --replace; every writing command asks the same.
TEST_F(Kvbtool, AnExistingOutputIsKeptUnlessReplaceIsGiven) {
  std::ofstream(folder.path("p.xyz")) << "0 0 10\n10 0 20\n10 10 30\n";
  std::ofstream(folder.path("q.xy")) << "5 2\n";
  const std::string kept = "a surveyor's own file\n";
  struct Case {
    const char* what;
    std::string command;  // writes to out.bin
  };
  const Case cases[] = {
      {"build", "build " + file("out.bin") + " " + file("p.xyz")},
      {"export", "export " + file("t.kvb") + " --format csv --output " + file("out.bin")},
      {"elevation", "elevation " + file("t.kvb") + " " + file("q.xy") + " --output " + file("out.bin")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(folder.path("out.bin"), std::ios::binary | std::ios::trunc) << kept;
    const ToolRun refused = kvbtool(c.command);
    EXPECT_EQ(refused.code, 3);
    EXPECT_NE(refused.out.find("out.bin: the file exists already and was kept; --replace replaces it"),
              std::string::npos)
        << refused.out;
    const std::vector<unsigned char> bytes = readBytes(folder.path("out.bin"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kept);

    const ToolRun replaced = kvbtool(c.command + " --replace");
    ASSERT_EQ(replaced.code, 0) << replaced.out;
    const std::vector<unsigned char> now = readBytes(folder.path("out.bin"));
    EXPECT_NE(std::string(now.begin(), now.end()), kept);
  }
  EXPECT_EQ(kvbtool("info " + file("t.kvb") + " --replace").code, 1) << "info writes nothing";
}

// A folder where a file is to be read is refused with the reason, and no command writes over one
// of its own inputs, --replace or not, nor through a link to one: the inputs keep their bytes.
TEST_F(Kvbtool, FoldersAreRefusedAndNoOutputReplacesAnInput) {
  std::filesystem::create_directory(folder.path("dir.kvb"));
  std::ofstream(folder.path("p.xyz")) << "0 0 10\n10 0 20\n10 10 30\n";
  std::ofstream(folder.path("q.xy")) << "5 2\n";
  std::filesystem::create_symlink(folder.path("t.kvb"), folder.path("link.kvb"));
  const std::vector<const char*> inputs = {"t.kvb", "p.xyz", "q.xy"};
  std::vector<std::vector<unsigned char>> before;
  for (const char* name : inputs) before.push_back(readBytes(folder.path(name)));
  struct Case {
    const char* what;
    std::string command;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {"info of a folder", "info " + file("dir.kvb"), 2, "dir.kvb: it is a folder, not a file"},
      {"points from a folder", "build " + file("new.kvb") + " " + file("dir.kvb"), 2,
       "dir.kvb: it is a folder, not a file"},
      {"export over the surface", "export " + file("t.kvb") + " --format csv --replace --output " + file("t.kvb"), 3,
       "t.kvb: it is the input file"},
      {"export through a link to it",
       "export " + file("t.kvb") + " --format csv --replace --output " + file("link.kvb"), 3,
       "link.kvb: it is the input file"},
      {"elevations over the query points",
       "elevation " + file("t.kvb") + " " + file("q.xy") + " --replace --output " + file("q.xy"), 3,
       "q.xy: it is the input file"},
      {"a surface over its points", "build " + file("p.xyz") + " " + file("p.xyz") + " --replace", 3,
       "p.xyz: it is the input file"},
  };
  for (const Case& c : cases) {
    const ToolRun r = kvbtool(c.command);
    EXPECT_EQ(r.code, c.code) << c.what << ": " << r.out;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << c.what << ": " << r.out;
  }
  for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(readBytes(folder.path(inputs[i])), before[i]) << inputs[i];
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path("link.kvb")));
  EXPECT_FALSE(std::filesystem::exists(folder.path("new.kvb")));
}

}  // namespace
}  // namespace uv::engine::test
