// SPDX-License-Identifier: GPL-3.0-or-later
// The peer "raw CGAL": CGAL's 2D Delaunay triangulation of the same points, inserted as a
// range (CGAL sorts them spatially), with nothing around it.
//
//   bench_cgal_delaunay points.bin
#include <CGAL/Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>

#include <cstdio>
#include <vector>

#include "BenchData.h"

using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using Delaunay = CGAL::Delaunay_triangulation_2<Kernel>;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_cgal_delaunay points.bin\n");
    return 1;
  }
  const std::vector<double> xy = uv::bench::readBinaryXY(argv[1]);
  std::vector<Kernel::Point_2> points;
  points.reserve(xy.size() / 2);
  for (std::size_t i = 0; i + 1 < xy.size(); i += 2) points.emplace_back(xy[i], xy[i + 1]);
  const double before = uv::bench::currentBytes();
  const uv::bench::CpuSplit from = uv::bench::cpuSplit();
  const double t0 = uv::bench::seconds();
  Delaunay dt;
  dt.insert(points.begin(), points.end());
  const double t1 = uv::bench::seconds();
  const uv::bench::CpuSplit to = uv::bench::cpuSplit();
  std::printf("build_seconds %.6g\n", t1 - t0);
  // As the engine reports it: the system's share is mostly fresh memory, whose price the host sets.
  std::printf("build_user_seconds %.6g\n", to.user - from.user);
  std::printf("build_system_seconds %.6g\n", to.system - from.system);
  std::printf("build_minor_faults %.6g\n", to.minorFaults - from.minorFaults);
  std::printf("build_peak_bytes_per_point %.6g\n", (uv::bench::peakBytes() - before) / double(points.size()));
  std::printf("triangles %zu\n", static_cast<std::size_t>(dt.number_of_faces()));
  return 0;
}
