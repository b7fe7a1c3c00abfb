// SPDX-License-Identifier: GPL-3.0-or-later
#include "TinTestSupport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace tin::test {

::testing::AssertionResult valid(const Surface& s) {
  const Validity v = s.isValid();
  if (v.ok()) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure();
  for (std::size_t i = 0; i < v.problems.size() && i < 10; ++i) failure << "\n  " << v.problems[i];
  return failure;
}

std::vector<Point3> randomPoints(std::size_t n, std::uint64_t seed, double x0, double y0, double size,
                                 const Height& z) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> u(0.0, size);
  std::vector<Point3> out;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double x = x0 + u(rng), y = y0 + u(rng);
    out.push_back({x, y, z(x, y)});
  }
  return out;
}

std::vector<Point3> gridPoints(int nx, int ny, double x0, double y0, double step, const Height& z) {
  std::vector<Point3> out;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const double x = x0 + i * step, y = y0 + j * step;
      out.push_back({x, y, z(x, y)});
    }
  return out;
}

void expectSameMesh(const Surface& a, const Surface& b, double tolerance) {
  const Mesh &ma = a.mesh(), &mb = b.mesh();
  ASSERT_EQ(ma.vertices.size(), mb.vertices.size());
  ASSERT_EQ(a.definition().points.size(), b.definition().points.size());
  const std::size_t np = a.definition().points.size(), nv = ma.vertices.size();
  // Survey points index for index; the other vertices matched by position.
  auto byPosition = [np, nv](const Mesh& m) {
    std::vector<std::int32_t> order(nv - np);
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = static_cast<std::int32_t>(np + k);
    std::sort(order.begin(), order.end(), [&m](std::int32_t p, std::int32_t q) {
      const Point3 &u = m.vertices[p], &w = m.vertices[q];
      return u.x != w.x ? u.x < w.x : u.y < w.y;
    });
    return order;
  };
  const auto oa = byPosition(ma), ob = byPosition(mb);
  std::vector<std::int32_t> toA(nv);
  for (std::size_t v = 0; v < np; ++v) toA[v] = static_cast<std::int32_t>(v);
  for (std::size_t k = 0; k < ob.size(); ++k) toA[ob[k]] = oa[k];
  for (std::size_t v = 0; v < nv; ++v) {
    const Point3 &pa = ma.vertices[toA[v]], &pb = mb.vertices[v];
    EXPECT_NEAR(pa.x, pb.x, tolerance) << v;
    EXPECT_NEAR(pa.y, pb.y, tolerance) << v;
    EXPECT_NEAR(pa.z, pb.z, tolerance) << v;
  }
  // The same triangles, in a's numbers, each from its smallest corner, in any order.
  auto canonical = [](std::vector<std::array<std::int32_t, 3>> all) {
    for (auto& t : all) std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
    std::sort(all.begin(), all.end());
    return all;
  };
  std::vector<std::array<std::int32_t, 3>> ta, tb;
  for (const Triangle& t : ma.triangles) ta.push_back({t.v[0], t.v[1], t.v[2]});
  for (const Triangle& t : mb.triangles) tb.push_back({toA[t.v[0]], toA[t.v[1]], toA[t.v[2]]});
  ASSERT_EQ(ta.size(), tb.size());
  ta = canonical(std::move(ta));
  tb = canonical(std::move(tb));
  std::size_t differ = 0;
  for (std::size_t k = 0; k < ta.size(); ++k) differ += ta[k] != tb[k] ? 1 : 0;
  EXPECT_EQ(differ, 0u) << "triangles differ";
}

double triangleAreaSum(const Surface& s) {
  const Mesh& m = s.mesh();
  double sum = 0.0;
  for (std::size_t t = 0; t < m.triangles.size(); ++t) {
    const Point3 corners[3] = {m.corner(t, 0), m.corner(t, 1), m.corner(t, 2)};
    sum += signedArea(corners);
  }
  return sum;
}

double convexHullArea(std::vector<Point2> p) {
  std::sort(p.begin(), p.end(), [](const Point2& a, const Point2& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
  if (p.size() < 3) return 0.0;
  const Point2 o = p[0];
  auto cross = [&](const Point2& a, const Point2& b, const Point2& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
  };
  std::vector<Point2> hull(2 * p.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], p[i]) <= 0) --k;
    hull[k++] = p[i];
  }
  for (std::size_t i = p.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && cross(hull[k - 2], hull[k - 1], p[i]) <= 0) --k;
    hull[k++] = p[i];
  }
  double twice = 0.0;
  for (std::size_t i = 0; i + 1 < k; ++i)
    twice += (hull[i].x - o.x) * (hull[i + 1].y - o.y) - (hull[i + 1].x - o.x) * (hull[i].y - o.y);
  return 0.5 * twice;
}

std::vector<Point2> plan(const std::vector<Point3>& points) {
  std::vector<Point2> out;
  for (const Point3& p : points) out.push_back(p.plan());
  return out;
}

double length(const std::vector<Point3>& polyline, bool closed) {
  double sum = 0.0;
  for (std::size_t i = 0; i + 1 < polyline.size(); ++i)
    sum += std::hypot(polyline[i + 1].x - polyline[i].x, polyline[i + 1].y - polyline[i].y);
  if (closed && polyline.size() > 2)
    sum += std::hypot(polyline.front().x - polyline.back().x, polyline.front().y - polyline.back().y);
  return sum;
}

}  // namespace tin::test
