// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/MeshLinks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "TinTestSupport.h"
#include "tin/Mesh.h"

namespace tin {
namespace {

double flat(double, double) { return 10.0; }

// The neighbours linkMesh() works out from the triangles alone.
std::vector<Neighbours> linkedFromScratch(const Mesh& m) {
  Mesh copy;
  copy.vertices = m.vertices;
  copy.triangles = m.triangles;
  linkMesh(copy);
  return copy.neighbours;
}

// Surfaces whose links the code must carry: scattered points, a cocircular grid, break lines
// crossing, a hole peeled out by an edge-length limit (sides without a neighbour inside).
std::vector<std::pair<std::string, Surface>> surfaces() {
  std::vector<std::pair<std::string, Surface>> out;
  {
    Surface s;
    s.setPoints(test::randomPoints(3000, 5, 500000, 5000000, 1000, flat));
    out.emplace_back("random", std::move(s));
  }
  {
    Surface s;
    s.setPoints(test::gridPoints(40, 30, 0, 0, 1.0, flat));
    out.emplace_back("grid", std::move(s));
  }
  {
    Surface s;
    s.setPoints(test::randomPoints(2000, 6, 0, 0, 100, flat));
    s.addBreakLine({5.5, 5.25, 1}, {90.5, 80.75, 2});
    s.addBreakLine({5.5, 90.25, 1}, {90.5, 10.75, 2});
    s.addPoints(std::vector<Point3>{{50.125, 50.375, 3}});
    out.emplace_back("break lines and a later point", std::move(s));
  }
  {
    std::vector<Point3> points = test::gridPoints(30, 30, 0, 0, 1.0, flat);
    std::erase_if(points, [](const Point3& p) { return std::hypot(p.x - 15, p.y - 15) < 6; });
    Surface s(SurfaceSettings{kDefaultPlanTolerance, 1.5});
    s.setPoints(points);
    out.emplace_back("a peeled hole", std::move(s));
  }
  out.emplace_back("empty", Surface());
  return out;
}

TEST(MeshLinks, TheCodeGivesBackTheNeighboursTheTrianglesHave) {
  for (const auto& [what, s] : surfaces()) {
    SCOPED_TRACE(what);
    const SavedTriangulation saved = s.saved();
    const auto& neighbours = s.savedNeighbours();
    ASSERT_EQ(neighbours.size(), saved.triangles.size());
    Mesh own;
    own.vertices = s.mesh().vertices;
    own.triangles = saved.triangles;
    const std::vector<Neighbours> expected = linkedFromScratch(own);
    ASSERT_EQ(neighbours, expected);

    const std::vector<std::uint8_t> code = encodeLinks(neighbours);
    // Most neighbours lie close by: well under the twelve bytes a triangle of the neighbours.
    EXPECT_LE(code.size(), 6 * saved.triangles.size() + 1);
    std::vector<Neighbours> decoded;
    std::string why;
    ASSERT_TRUE(decodeLinks(saved.triangles, code, decoded, why)) << why;
    EXPECT_EQ(decoded, expected);

    // The rest of the links as linkMesh() makes them: first triangle of each corner, boundary.
    Mesh given = own;
    given.neighbours = decoded;
    completeLinks(given);
    Mesh scratch = own;
    linkMesh(scratch);
    EXPECT_EQ(given.vertexTriangle, scratch.vertexTriangle);
    ASSERT_EQ(given.boundarySides.size(), scratch.boundarySides.size());
    for (std::size_t k = 0; k < given.boundarySides.size(); ++k) {
      EXPECT_EQ(given.boundarySides[k].triangle, scratch.boundarySides[k].triangle);
      EXPECT_EQ(given.boundarySides[k].side, scratch.boundarySides[k].side);
    }
  }
}

// A code that does not fit its triangles is refused whole, whatever is wrong with it.
TEST(MeshLinks, ACodeThatDoesNotFitIsRefused) {
  // Two triangles sharing the side 1-2 (0-1-2 and 2-1-3), and a third apart (4-5-6).
  const std::vector<Triangle> triangles{{{0, 1, 2}}, {{2, 1, 3}}, {{4, 5, 6}}};
  const std::vector<std::uint8_t> good{0, 0, 0, 0, 0, 1, 0, 0, 0};
  {
    std::vector<Neighbours> n;
    std::string why;
    ASSERT_TRUE(decodeLinks(triangles, good, n, why)) << why;
    EXPECT_EQ(n, (std::vector<Neighbours>{{1, -1, -1}, {-1, -1, 0}, {-1, -1, -1}}));
  }
  const struct {
    const char* what;
    std::vector<std::uint8_t> code;
    const char* reason;
  } cases[] = {
      {"cut short", {0, 0, 0, 0, 0, 1, 0, 0}, "the links end before the triangles"},
      {"a byte too many", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0}, "the links go on after the triangles"},
      {"back beyond the first triangle", {0, 0, 0, 0, 0, 2, 0, 0, 0}, "a link names no triangle"},
      {"across sides that do not match", {0, 0, 0, 0, 0, 1, 0, 1, 0}, "a link joins triangles that share no side"},
      {"a number without end", {0, 0, 0, 0, 0, 0x81}, "a link is no number"},
      {"a number too long", {0, 0, 0, 0, 0, 0x81, 0x80, 0x80, 0x80, 0x80, 0x00, 0, 0, 0}, "a link is no number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Neighbours> n{{7, 7, 7}};
    std::string why;
    EXPECT_FALSE(decodeLinks(triangles, c.code, n, why));
    EXPECT_EQ(why, c.reason);
    EXPECT_TRUE(n.empty());
  }
  // The same side of the first triangle claimed by two later ones.
  const std::vector<Triangle> three{{{0, 1, 2}}, {{2, 1, 3}}, {{2, 1, 4}}};
  std::vector<Neighbours> n;
  std::string why;
  EXPECT_FALSE(decodeLinks(three, std::vector<std::uint8_t>{0, 0, 0, 0, 0, 1, 0, 0, 2}, n, why));
  EXPECT_EQ(why, "a side is linked twice");
}

}  // namespace
}  // namespace tin
