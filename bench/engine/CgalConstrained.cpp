// SPDX-License-Identifier: GPL-3.0-or-later
// The peer "raw CGAL" for break lines: CGAL's constrained Delaunay triangulation of the same
// points and segments from scratch, and the segments alone inserted into the triangulation of
// the points, with nothing around it.
//
//   bench_cgal_constrained points.bin segments.bin
#include <CGAL/Constrained_Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>

#include <cstdio>
#include <vector>

#include "BenchData.h"

using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using Cdt = CGAL::Constrained_Delaunay_triangulation_2<Kernel, CGAL::Default, CGAL::Exact_predicates_tag>;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_cgal_constrained points.bin segments.bin\n");
    return 1;
  }
  const std::vector<double> xy = uv::bench::readBinaryXY(argv[1]);
  const std::vector<double> seg = uv::bench::readBinaryXY(argv[2]);
  std::vector<Kernel::Point_2> points;
  points.reserve(xy.size() / 2);
  for (std::size_t i = 0; i + 1 < xy.size(); i += 2) points.emplace_back(xy[i], xy[i + 1]);
  const double before = uv::bench::currentBytes();
  const double t0 = uv::bench::seconds();
  Cdt cdt;
  cdt.insert(points.begin(), points.end());
  const double t1 = uv::bench::seconds();
  // Each end located from the previous one (the segments come in no spatial order, so this is
  // what a caller without one can do), then the constraint between the two vertices.
  Cdt::Face_handle hint;
  for (std::size_t i = 0; i + 3 < seg.size(); i += 4) {
    const Cdt::Vertex_handle a = cdt.insert(Kernel::Point_2(seg[i], seg[i + 1]), hint);
    const Cdt::Vertex_handle b = cdt.insert(Kernel::Point_2(seg[i + 2], seg[i + 3]), a->face());
    cdt.insert_constraint(a, b);
    hint = b->face();
  }
  const double t2 = uv::bench::seconds();
  std::printf("constrained_seconds %.6g\n", t2 - t0);
  std::printf("segments_seconds %.6g\n", t2 - t1);
  std::printf("constrained_kept_bytes_per_point %.6g\n", (uv::bench::currentBytes() - before) / double(points.size()));
  std::printf("faces %zu\n", static_cast<std::size_t>(cdt.number_of_faces()));
  return 0;
}
