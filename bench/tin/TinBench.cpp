// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the TIN core on random points. Run one benchmark per process
// (--benchmark_filter) to read its peak memory from the "peak_bytes_per_point" counter.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "tin/Surface.h"
#include "tin/UniquePointSet.h"

namespace {

double terrain(double x, double y) { return 200.0 + 30.0 * std::sin(x / 300.0) * std::cos(y / 250.0) + x * 0.01; }

std::vector<tin::Point3> randomPoints(std::size_t n, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  // Survey-sized coordinates over a square whose side grows with n (about one point per m2).
  const double side = std::sqrt(static_cast<double>(n));
  std::uniform_real_distribution<double> u(0.0, side);
  std::vector<tin::Point3> points(n);
  for (auto& p : points) {
    const double x = u(rng), y = u(rng);
    p = {500000.0 + x, 5000000.0 + y, terrain(x, y)};
  }
  return points;
}

double peakBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// One surface per size, shared by the query benchmarks.
const tin::Surface& surfaceOf(std::size_t n) {
  static std::map<std::size_t, std::unique_ptr<tin::Surface>> surfaces;
  auto& s = surfaces[n];
  if (!s) {
    s = std::make_unique<tin::Surface>();
    s->addPoints(randomPoints(n, 1));
    s->mesh();
  }
  return *s;
}

void BM_UniquePointSet(benchmark::State& state) {
  const auto points = randomPoints(static_cast<std::size_t>(state.range(0)), 2);
  for (auto _ : state) {
    tin::UniquePointSet set;
    set.add(points);
    benchmark::DoNotOptimize(set.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Points to a usable surface: triangulation and the indexed mesh.
void BM_BuildSurface(benchmark::State& state) {
  const auto points = randomPoints(static_cast<std::size_t>(state.range(0)), 3);
  const double before = peakBytes();
  for (auto _ : state) {
    tin::Surface s;
    s.addPoints(points);
    benchmark::DoNotOptimize(s.mesh().triangles.size());
  }
  state.counters["peak_bytes_per_point"] = (peakBytes() - before) / static_cast<double>(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_BreakLines10k(benchmark::State& state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const auto points = randomPoints(n, 4);
  const double side = std::sqrt(static_cast<double>(n));
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> u(0.0, side), d(-15.0, 15.0);
  std::vector<tin::Segment3> lines;
  for (int i = 0; i < 10000; ++i) {
    const double x = u(rng), y = u(rng);
    lines.push_back({{500000.0 + x, 5000000.0 + y, terrain(x, y)},
                     {500000.0 + x + d(rng), 5000000.0 + y + d(rng), terrain(x, y) + 1.0}});
  }
  for (auto _ : state) {
    state.PauseTiming();
    tin::Surface s;
    s.addPoints(points);
    state.ResumeTiming();
    for (const auto& l : lines) s.addBreakLine(l.a, l.b);
    benchmark::DoNotOptimize(s.mesh().triangles.size());
  }
}

void BM_Contours100Levels(benchmark::State& state) {
  const tin::Surface& s = surfaceOf(static_cast<std::size_t>(state.range(0)));
  const tin::Extents e = s.extents();
  std::vector<double> levels;
  for (int k = 0; k < 100; ++k) levels.push_back(e.min.z + (e.max.z - e.min.z) * (k + 0.5) / 100.0);
  struct Counter : tin::ContourSink {
    std::size_t points = 0;
    void addContour(double, std::span<const tin::Point3> p, bool) override { points += p.size(); }
  } sink;
  for (auto _ : state) s.traceContours(levels, sink);
  state.counters["triangles"] = static_cast<double>(s.triangles().size());
  state.counters["contour_points"] = static_cast<double>(sink.points / state.iterations());
}

void BM_Elevation1M(benchmark::State& state) {
  const tin::Surface& s = surfaceOf(static_cast<std::size_t>(state.range(0)));
  const double side = std::sqrt(static_cast<double>(state.range(0)));
  std::mt19937_64 rng(6);
  std::uniform_real_distribution<double> u(0.0, side);
  std::vector<tin::Point2> queries(1000000);
  for (auto& q : queries) q = {500000.0 + u(rng), 5000000.0 + u(rng)};
  for (auto _ : state) {
    double sum = 0.0;
    for (const auto& q : queries) sum += s.elevation(q).value_or(0.0);
    benchmark::DoNotOptimize(sum);
  }
}

// The first elevation on a surface of points just built: what it builds for itself to answer.
void BM_FirstElevation(benchmark::State& state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const auto points = randomPoints(n, 7);
  const double side = std::sqrt(static_cast<double>(n));
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<tin::Surface>();
    s->addPoints(points);
    s->mesh();
    state.ResumeTiming();
    benchmark::DoNotOptimize(s->elevation({500000.0 + side / 3.0, 5000000.0 + side / 2.0}));
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
}

void BM_RebuildFromDefinition(benchmark::State& state) {
  const tin::Surface& s = surfaceOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    tin::Surface r = tin::Surface::fromDefinition(s.definition());
    benchmark::DoNotOptimize(r.mesh().triangles.size());
  }
}

}  // namespace

BENCHMARK(BM_UniquePointSet)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSurface)->Arg(100000)->Arg(1000000)->Arg(4000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BreakLines10k)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Contours100Levels)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Elevation1M)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstElevation)->Arg(1000000)->Arg(4000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RebuildFromDefinition)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
