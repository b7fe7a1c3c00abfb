// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Contours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

namespace tin {

namespace {

// The lowest and highest corner of triangle t.
void heightRange(const Mesh& mesh, std::int32_t t, double& lo, double& hi) {
  const Triangle& tri = mesh.triangles[t];
  lo = hi = mesh.vertices[tri.v[0]].z;
  for (int i = 1; i < 3; ++i) {
    lo = std::min(lo, mesh.vertices[tri.v[i]].z);
    hi = std::max(hi, mesh.vertices[tri.v[i]].z);
  }
}

class LevelTracer {
 public:
  // Dense: a mark for every triangle of the mesh, for tracing many levels in one go. Otherwise
  // a mark for each candidate of the level alone, found by its place among them, so that a
  // level traced by itself costs what it crosses, not the size of the mesh.
  LevelTracer(const Mesh& mesh, ContourSink& sink, bool dense)
      : mesh_(mesh), sink_(sink), dense_(dense), visit_(dense ? mesh.triangles.size() : 0, -1) {}

  // `candidates`: the triangles with a vertex below the level and one at or above it, in
  // ascending order.
  void trace(double level, int stamp, const std::vector<std::int32_t>& candidates) {
    level_ = level;
    stamp_ = stamp;
    candidates_ = &candidates;
    if (!dense_) visit_.assign(candidates.size(), -1);
    // Open polylines start in a triangle whose entry side has no neighbour.
    for (std::int32_t t : candidates) {
      int entry, exit;
      sides(t, entry, exit);
      if (mesh_.neighbours[t][entry] < 0 && !visited(t)) follow(t, false);
    }
    for (std::int32_t t : candidates)
      if (!visited(t)) follow(t, true);
    flush();
  }

 private:
  bool above(std::int32_t v) const { return mesh_.vertices[v].z >= level_; }

  // Every triangle a contour passes through crosses the level, so it is among the candidates.
  int& mark(std::int32_t t) {
    if (dense_) return visit_[t];
    const auto& c = *candidates_;
    return visit_[std::lower_bound(c.begin(), c.end(), t) - c.begin()];
  }
  bool visited(std::int32_t t) { return mark(t) == stamp_; }

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
      mark(t) = stamp_;
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
  const bool dense_;
  std::vector<int> visit_;
  const std::vector<std::int32_t>* candidates_ = nullptr;
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
    double lo, hi;
    heightRange(mesh, static_cast<std::int32_t>(t), lo, hi);
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

  LevelTracer tracer(mesh, sink, true);
  std::vector<std::int32_t> candidates;
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    candidates.assign(byLevel.begin() + start[k], byLevel.begin() + start[k + 1]);
    tracer.trace(sorted[k], static_cast<int>(k), candidates);
  }
}

LevelIndex::LevelIndex(const Mesh& mesh) {
  const std::size_t n = mesh.triangles.size();
  std::vector<std::pair<double, std::int32_t>> low(n);
  for (std::size_t t = 0; t < n; ++t) {
    double lo, hi;
    heightRange(mesh, static_cast<std::int32_t>(t), lo, hi);
    low[t] = {lo, static_cast<std::int32_t>(t)};
  }
  std::sort(low.begin(), low.end());
  byLow_.resize(n);
  for (std::size_t i = 0; i < n; ++i) byLow_[i] = low[i].second;
  low.clear();
  low.shrink_to_fit();
  for (std::size_t b = 0; b < n; b += kBlock) {
    double high = -INFINITY;
    for (std::size_t i = b; i < std::min(n, b + kBlock); ++i) {
      double lo, hi;
      heightRange(mesh, byLow_[i], lo, hi);
      if (i == b) blockLow_.push_back(lo);
      high = std::max(high, hi);
    }
    blockHigh_.push_back(high);
  }
}

void LevelIndex::crossing(const Mesh& mesh, double level, std::vector<std::int32_t>& out) const {
  out.clear();
  // Blocks are in ascending order of their lowest corners: past the first that starts at or
  // above the level, no triangle has a corner below it.
  for (std::size_t b = 0; b < blockLow_.size() && blockLow_[b] < level; ++b) {
    if (blockHigh_[b] < level) continue;
    const std::size_t end = std::min(byLow_.size(), (b + 1) * kBlock);
    for (std::size_t i = b * kBlock; i < end; ++i) {
      double lo, hi;
      heightRange(mesh, byLow_[i], lo, hi);
      if (lo < level && level <= hi) out.push_back(byLow_[i]);
    }
  }
  // Tracing starts its polylines in triangle order, so that the contours come out as the
  // one-pass tracing gives them.
  std::sort(out.begin(), out.end());
}

void traceContour(const Mesh& mesh, const LevelIndex& index, double level, ContourSink& sink) {
  if (!std::isfinite(level) || mesh.triangles.empty()) return;
  std::vector<std::int32_t> candidates;
  index.crossing(mesh, level, candidates);
  if (candidates.empty()) return;
  LevelTracer tracer(mesh, sink, false);
  tracer.trace(level, 0, candidates);
}

}  // namespace tin
