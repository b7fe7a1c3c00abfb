// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Contours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

namespace tin {

namespace {

class LevelTracer {
 public:
  LevelTracer(const Mesh& mesh, ContourSink& sink) : mesh_(mesh), sink_(sink), visit_(mesh.triangles.size(), -1) {}

  // `candidates`: the triangles with a vertex below the level and one at or above it.
  void trace(double level, int stamp, const std::vector<std::int32_t>& candidates) {
    level_ = level;
    stamp_ = stamp;
    // Open polylines start in a triangle whose entry side has no neighbour.
    for (std::int32_t t : candidates) {
      int entry, exit;
      sides(t, entry, exit);
      if (mesh_.neighbours[t][entry] < 0 && visit_[t] != stamp_) follow(t, false);
    }
    for (std::int32_t t : candidates)
      if (visit_[t] != stamp_) follow(t, true);
    flush();
  }

 private:
  bool above(std::int32_t v) const { return mesh_.vertices[v].z >= level_; }

  // In a crossed triangle, going counter-clockwise, the contour enters through the side that
  // runs from above to below and leaves through the side from below to above; that keeps the
  // ground above the level on the left.
  void sides(std::int32_t t, int& entry, int& exit) const {
    const Triangle& tri = mesh_.triangles[t];
    entry = exit = -1;
    for (int i = 0; i < 3; ++i) {
      bool from = above(tri.v[(i + 1) % 3]), to = above(tri.v[(i + 2) % 3]);
      if (from && !to) entry = i;
      if (!from && to) exit = i;
    }
  }

  Point3 crossing(std::int32_t t, int side) const {
    const Triangle& tri = mesh_.triangles[t];
    std::int32_t a = tri.v[(side + 1) % 3], b = tri.v[(side + 2) % 3];
    if (above(a)) std::swap(a, b);  // from below to above, so both neighbours compute the same point
    const Point3& lo = mesh_.vertices[a];
    const Point3& hi = mesh_.vertices[b];
    const double f = (level_ - lo.z) / (hi.z - lo.z);
    return {lo.x + f * (hi.x - lo.x), lo.y + f * (hi.y - lo.y), level_};
  }

  void follow(std::int32_t start, bool closedRing) {
    points_.clear();
    std::int32_t t = start;
    int entry, exit;
    sides(t, entry, exit);
    push(crossing(t, entry));
    for (;;) {
      visit_[t] = stamp_;
      sides(t, entry, exit);
      const std::int32_t next = mesh_.neighbours[t][exit];
      if (closedRing && next == start) break;
      push(crossing(t, exit));
      if (next < 0) break;
      t = next;
    }
    emit(closedRing);
  }

  void push(const Point3& p) {
    if (points_.empty() || points_.back().x != p.x || points_.back().y != p.y) points_.push_back(p);
  }

  void emit(bool closed) {
    if (closed && points_.size() > 1 && points_.front().x == points_.back().x && points_.front().y == points_.back().y)
      points_.pop_back();
    if (points_.size() < 2) return;
    if (closed && collapseDoubledRing()) closed = false;
    found_.push_back({std::move(points_), closed});
    points_.clear();
  }

  // A ridge exactly at the level that reaches the edge of the surface is passed on both sides:
  // two open polylines with the same points in opposite order. Only the first is kept.
  void flush() {
    auto key = [](const Point3& a, const Point3& b) { return std::array<double, 4>{a.x, a.y, b.x, b.y}; };
    std::map<std::array<double, 4>, std::vector<std::size_t>> byEnds;
    for (std::size_t i = 0; i < found_.size(); ++i) {
      auto& [points, closed] = found_[i];
      if (!closed) {
        bool twin = false;
        auto it = byEnds.find(key(points.back(), points.front()));
        if (it != byEnds.end())
          for (std::size_t j : it->second)
            twin = twin || std::equal(points.rbegin(), points.rend(), found_[j].first.begin(), found_[j].first.end(),
                                      [](const Point3& a, const Point3& b) { return a.x == b.x && a.y == b.y; });
        if (twin) continue;
        byEnds[key(points.front(), points.back())].push_back(i);
      }
      sink_.addContour(level_, points, closed);
    }
    found_.clear();
  }

  // A ring p0..pn-1 that reads the same forwards and backwards from one of its points runs out
  // along a path and back; keep the path once.
  bool collapseDoubledRing() {
    const std::size_t n = points_.size();
    if (n == 2) return true;
    auto same = [&](std::size_t i, std::size_t j) {
      return points_[i % n].x == points_[j % n].x && points_[i % n].y == points_[j % n].y;
    };
    for (std::size_t k = 0; k < n; ++k) {
      if (!same(k + n - 1, k + 1) || n % 2 != 0) continue;
      bool mirror = true;
      for (std::size_t i = 1; i < n / 2 && mirror; ++i) mirror = same(k + i, k + n - i);
      if (!mirror) continue;
      std::vector<Point3> path;
      for (std::size_t i = 0; i <= n / 2; ++i) path.push_back(points_[(k + i) % n]);
      points_ = std::move(path);
      return true;
    }
    return false;
  }

  const Mesh& mesh_;
  ContourSink& sink_;
  std::vector<int> visit_;
  std::vector<Point3> points_;
  std::vector<std::pair<std::vector<Point3>, bool>> found_;
  double level_ = 0.0;
  int stamp_ = 0;
};

}  // namespace

void traceContours(const Mesh& mesh, std::span<const double> levels, ContourSink& sink) {
  std::vector<double> sorted;
  for (double l : levels)
    if (std::isfinite(l)) sorted.push_back(l);
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  if (sorted.empty() || mesh.triangles.empty()) return;

  // One pass over the triangles files each under the levels it crosses: those in
  // (lowest corner, highest corner].
  std::vector<std::int32_t> start(sorted.size() + 1, 0);
  std::vector<std::pair<std::int32_t, std::int32_t>> range(mesh.triangles.size());
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
    const Triangle& tri = mesh.triangles[t];
    double lo = mesh.vertices[tri.v[0]].z, hi = lo;
    for (int i = 1; i < 3; ++i) {
      lo = std::min(lo, mesh.vertices[tri.v[i]].z);
      hi = std::max(hi, mesh.vertices[tri.v[i]].z);
    }
    auto first = std::upper_bound(sorted.begin(), sorted.end(), lo) - sorted.begin();
    auto last = std::upper_bound(sorted.begin(), sorted.end(), hi) - sorted.begin();
    range[t] = {static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)};
    for (auto k = first; k < last; ++k) ++start[k + 1];
  }
  for (std::size_t k = 0; k < sorted.size(); ++k) start[k + 1] += start[k];
  std::vector<std::int32_t> byLevel(start.back());
  std::vector<std::int32_t> fill(start.begin(), start.end() - 1);
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
    for (auto k = range[t].first; k < range[t].second; ++k) byLevel[fill[k]++] = static_cast<std::int32_t>(t);
  range.clear();
  range.shrink_to_fit();

  LevelTracer tracer(mesh, sink);
  std::vector<std::int32_t> candidates;
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    candidates.assign(byLevel.begin() + start[k], byLevel.begin() + start[k + 1]);
    tracer.trace(sorted[k], static_cast<int>(k), candidates);
  }
}

}  // namespace tin
