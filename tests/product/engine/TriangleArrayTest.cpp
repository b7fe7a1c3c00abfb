// SPDX-License-Identifier: GPL-3.0-or-later
// The surface's own triangle array, kept from one read to the next and brought up to date after
// each edit: checked against a surface built afresh from the same definition, which shares no
// array with it, and against the edited surface's triangles index for index.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>

#include "EngineTestSupport.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"

namespace uv::engine::test {
namespace {

double slope(double x, double y) { return 40.0 + 0.1 * x - 0.03 * y + std::cos(y / 6.0); }

using Corners = std::array<std::array<double, 2>, 3>;

// The triangles of an array by the plan positions of their corners, each rotated to start at its
// smallest corner, sorted: the same for the same triangles however they are numbered.
std::vector<Corners> byPosition(CKVLXsurface_Vantor2& s, const CKVLPointerArray<CKVLTriangle>& array) {
  std::vector<Corners> out;
  for (const CKVLTriangle* t : array) {
    Corners c;
    for (int i = 0; i < 3; ++i) {
      AcGePoint3d p;
      EXPECT_EQ(s.GetPointAtIndex(t->Point(i), p), 1);
      c[i] = {p.x, p.y};
    }
    std::rotate(c.begin(), std::min_element(c.begin(), c.end()), c.end());
    out.push_back(c);
  }
  std::sort(out.begin(), out.end());
  return out;
}

::testing::AssertionResult upToDate(CKVLXsurface_Vantor2& s) {
  const CKVLPointerArray<CKVLTriangle>& array = *s.GetAllTriangles();
  const auto& triangles = s.Triangulation().Surface().triangles();
  if (static_cast<std::size_t>(array.length()) != triangles.size())
    return ::testing::AssertionFailure() << array.length() << " elements for " << triangles.size() << " triangles";
  for (int k = 0; k < array.length(); ++k) {
    const auto& t = triangles[static_cast<std::size_t>(k)];
    if (array[k]->m_nIndex != k || array[k]->Point(0) != t.v[0] || array[k]->Point(1) != t.v[1] ||
        array[k]->Point(2) != t.v[2])
      return ::testing::AssertionFailure() << "element " << k << " is stale";
  }
  // A surface of its own, made from the definition alone.
  const tin::Surface rebuilt = tin::Surface::fromDefinition(s.Triangulation().Surface().definition());
  std::vector<Corners> expected;
  for (const auto& t : rebuilt.triangles()) {
    Corners c;
    for (int i = 0; i < 3; ++i) c[i] = {rebuilt.mesh().vertices[t.v[i]].x, rebuilt.mesh().vertices[t.v[i]].y};
    std::rotate(c.begin(), std::min_element(c.begin(), c.end()), c.end());
    expected.push_back(c);
  }
  std::sort(expected.begin(), expected.end());
  if (byPosition(s, array) != expected)
    return ::testing::AssertionFailure() << "the array's triangles differ from a fresh build's";
  return ::testing::AssertionSuccess();
}

// A swap of the triangle at p with a neighbour, through the caller's elements.
bool swapAt(CKVLXsurface_Vantor2& s, double x, double y) {
  CKVLTriangle* t = s.TriangleAt(AcGePoint3d(x, y, 0));
  if (!t) return false;
  for (int i = 0; i < 3; ++i) {
    // Looked up each time: a refused swap may still have made the surface editable.
    const std::int32_t n = s.Triangulation().Surface().mesh().neighbours[t->m_nIndex][i];
    if (n >= 0 && s.SwapTringles(t, (*s.GetAllTriangles())[n]) == 1) return true;
  }
  return false;
}

void addPoint(CKVLXsurface_Vantor2& s, double x, double y) {
  CUniquePointSet one;
  one.AddPoint(AcGePoint3d(x, y, slope(x, y) + 2.0));
  s.AddPoints(one);
}

struct ArrayCase {
  const char* name;
  std::function<void(CKVLXsurface_Vantor2&)> edit;
};

std::vector<ArrayCase> arrayCases() {
  return {
      {"swap", [](CKVLXsurface_Vantor2& s) { ASSERT_TRUE(swapAt(s, 31.3, 42.7)); }},
      {"point_inside", [](CKVLXsurface_Vantor2& s) { addPoint(s, 55.55, 44.44); }},
      {"point_outside", [](CKVLXsurface_Vantor2& s) { addPoint(s, 130.0, -20.0); }},
      {"break_line", [](CKVLXsurface_Vantor2& s) { s.SetBreakLine(AcGePoint3d(3, 7, 40), AcGePoint3d(97, 88, 45)); }},
      {"swap_then_break_line_then_point",
       [](CKVLXsurface_Vantor2& s) {
         ASSERT_TRUE(swapAt(s, 60.1, 20.2));
         s.SetBreakLine(AcGePoint3d(10, 90, 40), AcGePoint3d(90, 10, 45));
         addPoint(s, 50.5, 49.5);
         ASSERT_TRUE(swapAt(s, 20.4, 70.3));
       }},
      {"load_over_it",
       [](CKVLXsurface_Vantor2& s) {
         CKVLXsurface_Vantor2 other(nullptr);
         CUniquePointSet set = pointSet(randomPoints(150, 77, 0, 0, 100, slope));
         other.SetPoints(set);
         other.SetBreakLine(AcGePoint3d(0, 50, 40), AcGePoint3d(100, 50, 41));
         std::stringbuf file;
         ASSERT_EQ(other.ExportToBin(file), 1);
         ASSERT_EQ(s.ImportFromBin(file, CKVLXsurface_Vantor2::kReadAll), 1);
       }},
      {"points_replaced",
       [](CKVLXsurface_Vantor2& s) {
         CUniquePointSet set = pointSet(randomPoints(90, 78, 0, 0, 100, slope));
         s.SetPoints(set);
       }},
  };
}

class TriangleArray : public ::testing::TestWithParam<ArrayCase> {};

TEST_P(TriangleArray, AfterAnEditHoldsTheTrianglesOfAFreshBuild) {
  CKVLXsurface_Vantor2 s(nullptr);
  CUniquePointSet set = pointSet(randomPoints(500, 5, 0, 0, 100, slope));
  ASSERT_EQ(s.SetPoints(set), 1);
  // Read before the edit, and again after: on the second read the array is patched.
  ASSERT_TRUE(upToDate(s));
  GetParam().edit(s);
  EXPECT_TRUE(upToDate(s));
  // And after one more edit on top.
  addPoint(s, 45.45, 54.54);
  EXPECT_TRUE(upToDate(s));
}

INSTANTIATE_TEST_SUITE_P(Cases, TriangleArray, ::testing::ValuesIn(arrayCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A swap changes two triangles: the array stays the same array, the elements the caller holds
// stay where they are, and the two swapped ones name their new corners.
TEST(TriangleArray, ASwapRewritesItsTwoTrianglesInPlace) {
  CKVLXsurface_Vantor2 s(nullptr);
  CUniquePointSet set = pointSet(randomPoints(300, 9, 0, 0, 100, slope));
  s.SetPoints(set);
  s.SetBreakLine(AcGePoint3d(5, 5, 40), AcGePoint3d(95, 60, 41));
  CKVLPointerArray<CKVLTriangle>* before = s.GetAllTriangles();
  std::vector<CKVLTriangle*> held(before->begin(), before->end());
  std::vector<std::array<Adesk::Int32, 3>> corners;
  for (const CKVLTriangle* t : held) corners.push_back({t->Point(0), t->Point(1), t->Point(2)});
  ASSERT_TRUE(swapAt(s, 48.2, 71.9));
  CKVLPointerArray<CKVLTriangle>* after = s.GetAllTriangles();
  EXPECT_EQ(after, before);
  ASSERT_EQ(after->length(), static_cast<int>(held.size()));
  int rewritten = 0;
  for (std::size_t k = 0; k < held.size(); ++k) {
    EXPECT_EQ((*after)[static_cast<int>(k)], held[k]);
    rewritten += std::array<Adesk::Int32, 3>{held[k]->Point(0), held[k]->Point(1), held[k]->Point(2)} != corners[k];
  }
  EXPECT_EQ(rewritten, 2);
  EXPECT_TRUE(upToDate(s));
}

}  // namespace
}  // namespace uv::engine::test
