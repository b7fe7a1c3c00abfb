// SPDX-License-Identifier: GPL-3.0-or-later
// A surface saved and loaded again is the very surface that was saved: the same points, the
// same triangles index for index, the same break-line sides, after any mix of edits. Each
// case mimics a surveyor's session on survey-sized coordinates.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <cmath>
#include <functional>
#include <random>
#include <sstream>

#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "product/engine/KvbFormat.h"

namespace {

constexpr double kX0 = 500000.0, kY0 = 5000000.0;

double ground(double x, double y) { return 200.0 + 30.0 * std::sin(x / 30.0) * std::cos(y / 25.0) + x * 0.01; }

struct Session {
  std::mt19937_64 rng;
  double side;
  CKVLXsurface_Vantor2 surface{nullptr};
  const tin::Surface& tin() const { return surface.Triangulation().Surface(); }

  Session(std::size_t points, std::uint64_t seed) : rng(seed), side(std::sqrt(static_cast<double>(points))) {
    std::uniform_real_distribution<double> u(0.0, side);
    CUniquePointSet set;
    for (std::size_t i = 0; i < points; ++i) {
      const double x = std::round(u(rng) * 1000) / 1000, y = std::round(u(rng) * 1000) / 1000;
      set.AddPoint(AcGePoint3d(kX0 + x, kY0 + y, ground(x, y)));
    }
    surface.SetPoints(set);
  }
  AcGePoint3d at(double x, double y, double dz = 0.0) { return AcGePoint3d(kX0 + x, kY0 + y, ground(x, y) + dz); }
  // Short segments anywhere, some clamped onto the edge of the survey, crossing each other.
  void randomLines(int count) {
    std::uniform_real_distribution<double> u(0.0, side), d(-15.0, 15.0);
    for (int i = 0; i < count; ++i) {
      const double x = u(rng), y = u(rng);
      const double x2 = std::clamp(x + d(rng), 0.0, side), y2 = std::clamp(y + d(rng), 0.0, side);
      surface.SetBreakLine(at(x, y), at(x2, y2, 0.3));
    }
  }
  // A polyline across the survey and two beside it: chains of segments sharing their ends.
  void valley(int segments) {
    for (double offset : {0.0, -4.0, 4.0})
      for (int k = 0; k < segments; ++k) {
        auto p = [&](int j) {
          const double x = side * j / segments, y = side / 2 + 10.0 * std::sin(x / 15.0) + offset;
          return at(x, y, -0.5);
        };
        surface.SetBreakLine(p(k), p(k + 1));
      }
  }
  void linesPartlyOutside() {
    surface.SetBreakLine(at(-20.5, side / 2), at(side / 3, side / 2 + 1));
    surface.SetBreakLine(at(side / 2, -7.25), at(side / 2 + 3, side + 9.5));
  }
  // The first swappable pair of triangles near the middle.
  bool swapNearTheMiddle() {
    const tin::Mesh& m = tin().mesh();
    for (int attempt = 0; attempt < 50; ++attempt) {
      CKVLTriangle* t1 = surface.TriangleAt(at(side / 2 + attempt * 0.31, side / 2 + attempt * 0.17));
      if (!t1) continue;
      for (int i = 0; i < 3; ++i) {
        const std::int32_t n = m.neighbours[t1->m_nIndex][i];
        if (n < 0) continue;
        const tin::Point3 &a = m.corner(n, 0), &b = m.corner(n, 1), &c = m.corner(n, 2);
        CKVLTriangle* t2 = surface.TriangleAt(AcGePoint3d((a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, 0));
        if (surface.SwapTringles(t1, t2) == 1) return true;
      }
    }
    return false;
  }
  void addPoint(double x, double y, double z) {
    CUniquePointSet one;
    one.AddPoint(AcGePoint3d(kX0 + x, kY0 + y, z));
    surface.AddPoints(one);
  }
  // A point exactly at the middle of the break line made first.
  void pointOnTheFirstLine() {
    const tin::Segment3& l = tin().definition().breakLines.at(0);
    CUniquePointSet one;
    one.AddPoint(AcGePoint3d((l.a.x + l.b.x) / 2, (l.a.y + l.b.y) / 2, 77.0));
    surface.AddPoints(one);
  }
};

struct SaveLoadCase {
  const char* name;
  std::size_t points;
  std::uint64_t seed;
  std::function<void(Session&)> edit;
};

std::vector<SaveLoadCase> saveLoadCases() {
  auto surveyorsDay = [](Session& s) {
    s.randomLines(600);
    EXPECT_TRUE(s.swapNearTheMiddle());
    s.addPoint(s.side / 2 + 0.37, s.side / 2 + 0.21, 123.0);
  };
  return {
      {"points_alone", 3000, 1, [](Session&) {}},
      {"random_lines_seed_1", 6000, 1, [](Session& s) { s.randomLines(600); }},
      {"lines_swap_and_point_seed_2", 6000, 2, surveyorsDay},
      {"lines_swap_and_point_seed_3", 6000, 3, surveyorsDay},
      {"lines_swap_and_point_seed_4", 20000, 4, surveyorsDay},
      {"valley_swap_and_point", 6000, 5,
       [](Session& s) {
         s.valley(200);
         EXPECT_TRUE(s.swapNearTheMiddle());
         s.addPoint(s.side / 3 + 0.11, s.side / 4 + 0.23, 99.0);
       }},
      {"outside_then_points_on_lines", 6000, 6,
       [](Session& s) {
         s.linesPartlyOutside();
         s.randomLines(200);
         s.pointOnTheFirstLine();
         EXPECT_TRUE(s.swapNearTheMiddle());
         s.randomLines(50);
       }},
      {"swaps_then_lines_over_them", 6000, 7,
       [](Session& s) {
         for (int k = 0; k < 5; ++k) EXPECT_TRUE(s.swapNearTheMiddle());
         s.randomLines(300);
         s.addPoint(s.side / 2, s.side / 2, 50.0);
       }},
  };
}

class SurfaceSaveLoad : public ::testing::TestWithParam<SaveLoadCase> {};

TEST_P(SurfaceSaveLoad, GivesTheSurfaceThatWasSaved) {
  const SaveLoadCase& c = GetParam();
  Session s(c.points, c.seed);
  c.edit(s);
  const tin::Mesh saved = s.tin().mesh();
  std::stringbuf file;
  ASSERT_EQ(s.surface.ExportToBin(file), 1);
  // What the manager saves (written from the surface's own arrays) is the exported file, and
  // the file made from a copy of its content.
  const std::vector<unsigned char> bytes = s.surface.FileBytes();
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), file.str());
  EXPECT_EQ(bytes, uv::engine::encodeSurfaceFile(s.surface.FileContent()));

  CKVLXsurface_Vantor2 loaded(nullptr);
  ASSERT_EQ(loaded.ImportFromBin(file, CKVLXsurface_Vantor2::kReadAll), 1) << loaded.LastError();
  const tin::Surface& t = loaded.Triangulation().Surface();
  EXPECT_EQ(loaded.TriangleCount(), s.surface.TriangleCount());
  EXPECT_EQ(loaded.PointCount(), s.surface.PointCount());
  EXPECT_EQ(t.definition(), s.tin().definition());
  const tin::Mesh& m = t.mesh();
  ASSERT_EQ(m.triangles.size(), saved.triangles.size());
  ASSERT_EQ(m.vertices.size(), saved.vertices.size());
  for (std::size_t v = 0; v < saved.vertices.size(); ++v) ASSERT_EQ(m.vertices[v], saved.vertices[v]) << "point " << v;
  for (std::size_t k = 0; k < saved.triangles.size(); ++k) {
    for (int i = 0; i < 3; ++i) ASSERT_EQ(m.triangles[k].v[i], saved.triangles[k].v[i]) << "triangle " << k;
    ASSERT_EQ(m.breakLineSides[k], saved.breakLineSides[k]) << "triangle " << k;
  }
  EXPECT_TRUE(t.isValid()) << t.isValid().problems.front();

  // Later edits go on as on the surface that was saved: a break line from the end of an
  // existing one (or across the middle) and a point.
  const auto& lines = s.tin().definition().breakLines;
  const tin::Point3 from = lines.empty() ? tin::Point3{s.side * 0.1, s.side * 0.2, 40.0} : lines.front().a;
  for (CKVLXsurface_Vantor2* surface : {&s.surface, &loaded}) {
    ASSERT_EQ(surface->SetBreakLine(AcGePoint3d(from.x, from.y, from.z), AcGePoint3d(s.side * 0.7, s.side * 0.65, 60.0)), 1);
    CUniquePointSet one;
    one.AddPoint(AcGePoint3d(s.side * 0.31, s.side * 0.57, 77.0));
    surface->AddPoints(one);
  }
  // The same triangles by their corners' places (the new vertices may be numbered apart).
  auto places = [](const tin::Mesh& m) {
    std::vector<std::array<double, 9>> out;
    for (std::size_t k = 0; k < m.triangles.size(); ++k) {
      std::array<tin::Point3, 3> c;
      for (int i = 0; i < 3; ++i) c[i] = m.vertices[m.triangles[k].v[i]];
      std::sort(c.begin(), c.end(), [](const tin::Point3& a, const tin::Point3& b) { return std::tie(a.x, a.y) < std::tie(b.x, b.y); });
      out.push_back({c[0].x, c[0].y, c[0].z, c[1].x, c[1].y, c[1].z, c[2].x, c[2].y, c[2].z});
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  EXPECT_EQ(places(loaded.Triangulation().Surface().mesh()), places(s.tin().mesh()));
  const tin::Validity v = loaded.Triangulation().Surface().isValid();
  EXPECT_TRUE(v) << (v ? "" : v.problems.front());
}

// The file keeps the triangles' links: the load reads them instead of linking the triangles,
// and they are the very links linking gives (the same file without them loads to the same
// mesh), a damaged copy of them is noticed and the triangles are linked instead, and the
// loaded surface saves to the same bytes.
TEST_P(SurfaceSaveLoad, KeepsTheLinksOfTheTriangles) {
  const SaveLoadCase& c = GetParam();
  Session s(c.points, c.seed);
  c.edit(s);
  const std::vector<unsigned char> bytes = s.surface.FileBytes();
  ASSERT_GT(bytes.size(), 12u);
  EXPECT_EQ(bytes[8], 3);  // the version with links

  uv::engine::SurfaceFileContent content;
  std::string error;
  ASSERT_TRUE(uv::engine::decodeSurfaceFile(bytes.data(), bytes.size(), uv::engine::KvbDepth::Whole, content, error))
      << error;
  ASSERT_TRUE(content.triangulation);
  EXPECT_EQ(content.linksProblem, "");
  EXPECT_EQ(content.triangulation->neighbours.size(), content.triangulation->triangles.size());
  // The same file without its links (as version 2 wrote it), and with a byte of them damaged.
  uv::engine::SurfaceFileContent without = content;
  without.triangulation->neighbours.clear();
  const std::vector<unsigned char> older = uv::engine::encodeSurfaceFile(without);
  EXPECT_EQ(older[8], 2);
  EXPECT_LT(older.size(), bytes.size());
  std::vector<unsigned char> damaged = bytes;
  damaged[older.size() + 14] ^= 0x10;
  uv::engine::SurfaceFileContent check;
  ASSERT_TRUE(uv::engine::decodeSurfaceFile(damaged.data(), damaged.size(), uv::engine::KvbDepth::Whole, check, error));
  EXPECT_NE(check.linksProblem, "");
  EXPECT_TRUE(check.triangulation && check.triangulation->neighbours.empty());

  auto load = [](const std::vector<unsigned char>& file, CKVLXsurface_Vantor2& into) {
    std::stringbuf in(std::string(file.begin(), file.end()));
    ASSERT_EQ(into.ImportFromBin(in, CKVLXsurface_Vantor2::kReadAll), 1) << into.LastError();
  };
  CKVLXsurface_Vantor2 linked(nullptr), relinked(nullptr), fallback(nullptr);
  load(bytes, linked);
  load(older, relinked);
  load(damaged, fallback);
  // The triangles and their links as saved; each corner's triangle and the boundary's order
  // as a load from the triangles alone names them (an edited surface names others).
  const tin::Mesh& want = s.tin().mesh();
  const tin::Mesh& fromScratch = relinked.Triangulation().Surface().mesh();
  for (const CKVLXsurface_Vantor2* loaded : {&linked, &relinked, &fallback}) {
    const tin::Mesh& m = loaded->Triangulation().Surface().mesh();
    ASSERT_EQ(m.triangles.size(), want.triangles.size());
    for (std::size_t k = 0; k < want.triangles.size(); ++k)
      for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(m.triangles[k].v[i], want.triangles[k].v[i]) << "triangle " << k;
        ASSERT_EQ(m.neighbours[k][i], want.neighbours[k][i]) << "triangle " << k << " side " << i;
      }
    EXPECT_EQ(m.breakLineSides, want.breakLineSides);
    EXPECT_EQ(m.vertexTriangle, fromScratch.vertexTriangle);
    ASSERT_EQ(m.boundarySides.size(), want.boundarySides.size());
    for (std::size_t k = 0; k < want.boundarySides.size(); ++k) {
      EXPECT_EQ(m.boundarySides[k].triangle, fromScratch.boundarySides[k].triangle);
      EXPECT_EQ(m.boundarySides[k].side, fromScratch.boundarySides[k].side);
    }
  }
  // Each corner's triangle is the first of the triangles that have the corner.
  std::vector<std::int32_t> first(want.vertices.size(), -1);
  for (std::size_t k = want.triangles.size(); k-- > 0;)
    for (const std::int32_t v : want.triangles[k].v) first[static_cast<std::size_t>(v)] = static_cast<std::int32_t>(k);
  EXPECT_EQ(fromScratch.vertexTriangle, first);
  EXPECT_EQ(linked.FileBytes(), bytes);
  EXPECT_EQ(relinked.FileBytes(), bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, SurfaceSaveLoad, ::testing::ValuesIn(saveLoadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A stream that takes `room` bytes and refuses the rest, as a full disk does.
class FullAfter : public std::streambuf {
 public:
  explicit FullAfter(std::size_t room) : room_(room) {}
  std::string taken;
  int refused = 0;  // writes asked for once the room was gone

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    const std::size_t take = std::min(room_ - taken.size(), static_cast<std::size_t>(n));
    if (take < static_cast<std::size_t>(n)) ++refused;
    taken.append(s, take);
    return static_cast<std::streamsize>(take);
  }
  int_type overflow(int_type) override { return traits_type::eof(); }

 private:
  std::size_t room_;
};

// The export goes to the stream piece by piece as it is made; a refusal ends it with the
// reason, and nothing more is asked of the stream after it.
TEST(SurfaceExport, EndsAtTheFirstRefusedWrite) {
  Session s(3000, 21);
  ASSERT_EQ(s.surface.SetBreakLine(s.at(3, 4), s.at(40, 45)), 1);
  const std::vector<unsigned char> bytes = s.surface.FileBytes();
  for (const std::size_t room : {std::size_t{0}, std::size_t{100}, bytes.size() / 2, bytes.size() - 1}) {
    FullAfter full(room);
    EXPECT_EQ(s.surface.ExportToBin(full), 0) << room;
    EXPECT_NE(s.surface.LastError().find("refused"), std::string::npos) << s.surface.LastError();
    EXPECT_EQ(full.refused, 1) << room;
    EXPECT_EQ(full.taken, std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(room))) << room;
  }
  FullAfter roomy(bytes.size());
  EXPECT_EQ(s.surface.ExportToBin(roomy), 1);
  EXPECT_EQ(roomy.refused, 0);
  EXPECT_EQ(roomy.taken, std::string(bytes.begin(), bytes.end()));
}

}  // namespace
