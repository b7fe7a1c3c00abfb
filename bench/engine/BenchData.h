// SPDX-License-Identifier: GPL-3.0-or-later
// The data every program of the engine benchmark works on, written to files so that the
// peers (qdelaunay, delaunator, raw CGAL) triangulate exactly the same points.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tin/Geometry.h"

namespace uv::bench {

// n random points over a square of about one point per square metre, at UTM-sized
// coordinates, on a smooth terrain.
std::vector<tin::Point3> randomPoints(std::size_t n, std::uint64_t seed);
// n points of a real-looking site: hills and a valley, a fifth of the shots along a road, a fifth
// in dense patches, holes without any shot, and one shot in fifty taken again at the same
// position (a duplicate in plan, its elevation a little off); the road's edges and the valley's
// bottom as break lines (about breakLineCount segments).
std::vector<tin::Point3> terrainPoints(std::size_t n, std::uint64_t seed);
std::vector<tin::Segment3> terrainBreakLines(std::size_t n, std::size_t breakLineCount);
// Random short segments over the square of randomPoints(n): the "10k break lines" load.
std::vector<tin::Segment3> randomBreakLines(std::size_t n, std::size_t count, std::uint64_t seed);

// x y pairs as little-endian doubles (delaunator, raw CGAL) and as qhull's text input (the
// latter moved to the site's corner, see writeQhullText).
void writeBinaryXY(const std::string& path, const std::vector<tin::Point3>& points);
std::vector<double> readBinaryXY(const std::string& path);
// Segments as x1 y1 x2 y2, little-endian doubles, for raw CGAL's constrained triangulation.
void writeBinarySegments(const std::string& path, const std::vector<tin::Segment3>& segments);
void writeQhullText(const std::string& path, const std::vector<tin::Point3>& points);

// Seconds of CPU time used by this process (see BenchData.cpp).
double seconds();
// The CPU time split as the system counts it: user and system seconds, and the minor page
// faults so far. System time is part of every target: page faults and zeroing are paid there.
struct CpuSplit {
  double user = 0, system = 0, minorFaults = 0;
};
CpuSplit cpuSplit();
// Peak resident memory of this process so far, in bytes.
double peakBytes();
double currentBytes();

}  // namespace uv::bench
