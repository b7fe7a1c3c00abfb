// SPDX-License-Identifier: GPL-3.0-or-later
// Plain geometric values of the TIN core. Plan means the (x, y) projection; every
// topological decision of the core is taken in plan, z is carried along.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace tin {

// The largest coordinate, in drawing units, that a surface takes and a surface file holds: far
// beyond any survey, and small enough that the products of coordinates the triangulation forms
// stay far from overflow. One limit for both, so that every surface made can be kept in a file
// and read back.
inline constexpr double kMaxCoordinate = 1e15;

// Whether v is a coordinate a surface takes: a number within +-kMaxCoordinate (NaN and the
// infinities are not).
inline bool isCoordinate(double v) { return std::fabs(v) <= kMaxCoordinate; }

// The smallest size, other than zero, of a coordinate in plan: far below the resolution of any
// survey, and large enough that the products of differences that the triangulation forms stay
// clear of the subnormal numbers, where rounding is no longer relative and crossings of break
// lines land off both lines.
inline constexpr double kMinPlanCoordinate = 1e-100;

// Whether v is a coordinate in plan (x or y) that a surface takes: a coordinate that is zero or
// at least kMinPlanCoordinate in size.
inline bool isPlanCoordinate(double v) { return isCoordinate(v) && (v == 0.0 || std::fabs(v) >= kMinPlanCoordinate); }

struct Point2 {
  double x = 0.0;
  double y = 0.0;
  friend bool operator==(const Point2&, const Point2&) = default;
};

struct Point3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  Point2 plan() const { return {x, y}; }
  friend bool operator==(const Point3&, const Point3&) = default;
};

// The plan positions of records kept elsewhere, read where they lie: the x and y (two doubles
// side by side) of `count` records `stride` bytes apart. A caller's million query points are
// then not copied (into fresh pages) before they are answered.
class PlanView {
 public:
  PlanView() = default;
  PlanView(const void* firstX, std::size_t stride, std::size_t count)
      : first_(static_cast<const unsigned char*>(firstX)), stride_(stride), count_(count) {}
  PlanView(std::span<const Point2> points) : PlanView(points.data(), sizeof(Point2), points.size()) {}
  PlanView(std::span<const Point3> points) : PlanView(points.data(), sizeof(Point3), points.size()) {}

  std::size_t size() const { return count_; }
  Point2 operator[](std::size_t i) const {
    Point2 p;
    std::memcpy(&p.x, first_ + i * stride_, sizeof(double));
    std::memcpy(&p.y, first_ + i * stride_ + sizeof(double), sizeof(double));
    return p;
  }
  // Where record i lies, to ask for it ahead.
  const void* address(std::size_t i) const { return first_ + i * stride_; }

 private:
  const unsigned char* first_ = nullptr;
  std::size_t stride_ = 0, count_ = 0;
};

struct Segment2 {
  Point2 a;
  Point2 b;
  friend bool operator==(const Segment2&, const Segment2&) = default;
};

struct Segment3 {
  Point3 a;
  Point3 b;
  friend bool operator==(const Segment3&, const Segment3&) = default;
};

// Three point indices, counter-clockwise in plan.
struct Triangle {
  std::int32_t v[3] = {-1, -1, -1};
  friend bool operator==(const Triangle&, const Triangle&) = default;
};

// Two point indices, a < b.
struct Edge {
  std::int32_t a = -1;
  std::int32_t b = -1;
};

// Axis-aligned 3D box; `empty` until the first point is added.
struct Extents {
  Point3 min;
  Point3 max;
  bool empty = true;

  void add(const Point3& p) {
    if (empty) {
      min = max = p;
      empty = false;
      return;
    }
    if (p.x < min.x) min.x = p.x;
    if (p.y < min.y) min.y = p.y;
    if (p.z < min.z) min.z = p.z;
    if (p.x > max.x) max.x = p.x;
    if (p.y > max.y) max.y = p.y;
    if (p.z > max.z) max.z = p.z;
  }
};

// Points closer than this in plan (both |dx| and |dy|) are one point. A micro-unit is far
// below survey precision (millimetres) and far above the rounding of doubles at UTM
// magnitudes (about 1e-9 at 5,000,000), so re-imported copies of a point merge while
// distinct shots never do.
inline constexpr double kDefaultPlanTolerance = 1e-6;

// The value callers pass to say "no elevation": see DrapeOptions::offSurfaceZ.
inline constexpr double kNoElevation = -1000000.0;

}  // namespace tin
