// SPDX-License-Identifier: GPL-3.0-or-later
// The list of triangles a change wrote, checked the way a caller's copy uses it: a copy taken
// before the change, patched with the listed triangles only, must equal the triangles after it,
// index for index. A triangle left off the list leaves the patched copy stale.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "TinTestSupport.h"

namespace tin {
namespace {

using test::valid;

double gentle(double x, double y) { return 100.0 + 0.05 * x + 0.02 * y + std::sin(x / 9.0); }

// The copy patched as a caller patches it; false when the surface could not tell.
bool patch(const Surface& s, std::uint64_t since, std::vector<Triangle>& copy) {
  std::vector<std::int32_t> written;
  if (!s.trianglesWrittenSince(since, written)) return false;
  const auto& now = s.triangles();
  const std::size_t had = copy.size();
  copy.resize(now.size());
  for (std::int32_t t : written) copy[static_cast<std::size_t>(t)] = now[static_cast<std::size_t>(t)];
  for (std::size_t t = had; t < now.size(); ++t) copy[t] = now[t];
  return true;
}

::testing::AssertionResult sameTriangles(const std::vector<Triangle>& copy, const std::vector<Triangle>& now) {
  if (copy.size() != now.size())
    return ::testing::AssertionFailure() << copy.size() << " triangles in the copy, " << now.size() << " now";
  for (std::size_t t = 0; t < now.size(); ++t)
    for (int i = 0; i < 3; ++i)
      if (copy[t].v[i] != now[t].v[i]) return ::testing::AssertionFailure() << "triangle " << t << " is stale";
  return ::testing::AssertionSuccess();
}

// A swappable pair near p: the triangle there and a neighbour across a side that may flip.
bool swapNear(Surface& s, Point2 p) {
  const std::int32_t t = s.triangleAt(p);
  if (t < 0) return false;
  for (int i = 0; i < 3; ++i) {
    const std::int32_t n = s.mesh().neighbours[t][i];
    if (n >= 0 && s.swapDiagonal(t, n) == SwapResult::Swapped) return true;
  }
  return false;
}

struct JournalCase {
  const char* name;
  std::function<void(Surface&)> edit;
  bool listed;  // the surface can name what the change wrote
};

std::vector<JournalCase> journalCases() {
  return {
      {"first_point_into_a_surface_of_points", [](Surface& s) { s.addPoints(std::vector<Point3>{{50.3, 50.7, 7}}); }, true},
      {"point_outside_widens_the_hull", [](Surface& s) { s.addPoints(std::vector<Point3>{{-30, 40, 1}}); }, true},
      {"point_on_an_existing_point_takes_its_elevation",
       [](Surface& s) {
         const Point3 p = s.definition().points[17];
         s.addPoints(std::vector<Point3>{{p.x, p.y, p.z + 5}});
       },
       true},
      {"break_line_across_the_middle", [](Surface& s) { s.addBreakLine({5, 5, 100}, {95, 93, 104}); }, true},
      {"break_line_partly_outside", [](Surface& s) { s.addBreakLine({50, 50, 100}, {140, 60, 104}); }, true},
      {"swap", [](Surface& s) { ASSERT_TRUE(swapNear(s, {40.2, 60.9})); }, true},
      {"swaps_made_again_after_a_break_line",
       [](Surface& s) {
         ASSERT_TRUE(swapNear(s, {30.5, 30.5}));
         ASSERT_TRUE(swapNear(s, {70.5, 20.5}));
         s.addBreakLine({10, 80, 100}, {90, 15, 103});
       },
       true},
      {"many_points_with_crossing_break_lines",
       [](Surface& s) {
         s.addBreakLine({5, 50, 100}, {95, 50, 101});
         s.addBreakLine({50, 5, 100}, {50, 95, 102});
         s.addPoints(test::randomPoints(40, 5, 0, 0, 100, gentle));
       },
       true},
      {"edge_length_limit", [](Surface& s) { s.setMaxEdgeLength(6.0); }, false},
      {"points_replaced", [](Surface& s) { s.setPoints(test::randomPoints(300, 8, 0, 0, 100, gentle)); }, false},
  };
}

class TriangleJournal : public ::testing::TestWithParam<JournalCase> {};

TEST_P(TriangleJournal, ListsEveryTriangleTheChangeWrote) {
  const JournalCase& c = GetParam();
  Surface s;
  s.setPoints(test::randomPoints(400, 3, 0, 0, 100, gentle));
  std::vector<Triangle> copy = s.triangles();
  const std::uint64_t before = s.revision();
  c.edit(s);
  ASSERT_TRUE(valid(s));
  EXPECT_GT(s.revision(), before);
  const bool listed = patch(s, before, copy);
  EXPECT_EQ(listed, c.listed);
  if (listed) { EXPECT_TRUE(sameTriangles(copy, s.triangles())); }
  // Up to date now: nothing more to patch, and the copy stays right.
  std::vector<std::int32_t> none;
  EXPECT_TRUE(s.trianglesWrittenSince(s.revision(), none));
  EXPECT_TRUE(none.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TriangleJournal, ::testing::ValuesIn(journalCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A caller that skips some changes patches from where it stopped; one whose revision the
// surface no longer knows, or one from the future, reads all again.
TEST(TriangleJournal, PatchesFromAnyEarlierRevisionAfterSeveralEdits) {
  Surface s;
  s.setPoints(test::randomPoints(600, 11, 0, 0, 100, gentle));
  s.addBreakLine({10, 10, 100}, {90, 20, 101});
  std::vector<std::vector<Triangle>> copies{s.triangles()};
  std::vector<std::uint64_t> revisions{s.revision()};
  const std::vector<Point3> later = test::randomPoints(12, 12, 0, 0, 100, gentle);
  for (std::size_t k = 0; k < later.size(); ++k) {
    if (k % 3 == 0) { ASSERT_TRUE(swapNear(s, {later[k].x + 0.5, later[k].y})); }
    else if (k % 3 == 1) s.addPoints(std::vector<Point3>{later[k]});
    else s.addBreakLine(later[k], later[k - 1]);
    copies.push_back(s.triangles());
    revisions.push_back(s.revision());
  }
  ASSERT_TRUE(valid(s));
  for (std::size_t k = 0; k < copies.size(); ++k) {
    SCOPED_TRACE("copy taken after edit " + std::to_string(k));
    ASSERT_TRUE(patch(s, revisions[k], copies[k]));
    EXPECT_TRUE(sameTriangles(copies[k], s.triangles()));
  }
  std::vector<std::int32_t> written;
  EXPECT_FALSE(s.trianglesWrittenSince(s.revision() + 1, written));
  const std::uint64_t beforeLimit = s.revision();
  s.setMaxEdgeLength(20.0);
  EXPECT_FALSE(s.trianglesWrittenSince(beforeLimit, written));
}

// Past an eighth of the surface the list gives way to "read all": an answer either way, and
// never a list that misses a triangle.
TEST(TriangleJournal, ManyEditsEndInReadingAllAgain) {
  Surface s;
  s.setPoints(test::randomPoints(200, 21, 0, 0, 100, gentle));
  std::vector<Triangle> copy = s.triangles();
  const std::uint64_t before = s.revision();
  s.addPoints(test::randomPoints(5000, 22, 0, 0, 100, gentle));
  ASSERT_TRUE(valid(s));
  EXPECT_FALSE(patch(s, before, copy));
}

}  // namespace
}  // namespace tin
