// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tin/Surface.h"

namespace tin::test {

// isValid() with its problems in the failure message.
::testing::AssertionResult valid(const Surface& s);

using Height = std::function<double(double, double)>;

std::vector<Point3> randomPoints(std::size_t n, std::uint64_t seed, double x0, double y0, double size,
                                 const Height& z);
// (nx x ny) points at integer steps from (x0, y0).
std::vector<Point3> gridPoints(int nx, int ny, double x0, double y0, double step, const Height& z);

// The same surface: the same survey points index for index, the same other vertices (break-line
// ends, crossings: numbered as the edits made them) by position, each coordinate within
// `tolerance`, and the same triangles, in any order.
void expectSameMesh(const Surface& a, const Surface& b, double tolerance);

double triangleAreaSum(const Surface& s);
// Area of the convex hull by the monotone chain: a computation of its own, not the surface's.
double convexHullArea(std::vector<Point2> points);

std::vector<Point2> plan(const std::vector<Point3>& points);
double length(const std::vector<Point3>& polyline, bool closed);

struct RecordedContour {
  double level;
  std::vector<Point3> points;
  bool closed;
};

class RecordingSink : public ContourSink {
 public:
  void addContour(double level, std::span<const Point3> points, bool closed) override {
    contours.push_back({level, {points.begin(), points.end()}, closed});
  }
  std::vector<RecordedContour> contours;
};

}  // namespace tin::test
