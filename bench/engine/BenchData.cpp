// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchData.h"

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

namespace uv::bench {

namespace {

constexpr double kX0 = 500000.0, kY0 = 5000000.0;

double smooth(double x, double y) { return 200.0 + 30.0 * std::sin(x / 300.0) * std::cos(y / 250.0) + x * 0.01; }

// Hills, and a valley along the line y = side / 2 + 40 sin(x / 150).
double site(double x, double y, double side) {
  const double valley = side / 2 + 40.0 * std::sin(x / 150.0);
  return 300.0 + 25.0 * std::sin(x / 210.0) * std::sin(y / 170.0) + 0.02 * std::fabs(y - valley) * 10.0;
}

double sideOf(std::size_t n) { return std::sqrt(static_cast<double>(n)); }

}  // namespace

std::vector<tin::Point3> randomPoints(std::size_t n, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  const double side = sideOf(n);
  std::uniform_real_distribution<double> u(0.0, side);
  std::vector<tin::Point3> points(n);
  for (auto& p : points) {
    const double x = u(rng), y = u(rng);
    p = {kX0 + std::round(x * 1000) / 1000, kY0 + std::round(y * 1000) / 1000, smooth(x, y)};
  }
  return points;
}

std::vector<tin::Point3> terrainPoints(std::size_t n, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  const double side = sideOf(n);
  std::uniform_real_distribution<double> u(0.0, side), near(-15.0, 15.0), unit(0.0, 1.0);
  std::normal_distribution<double> spread(0.0, side / 60.0);
  // Dense patches (building pads, stockpiles) and holes without a shot (a pond, a fenced
  // yard), fixed by the seed.
  std::vector<std::array<double, 2>> pads(40), holes(6);
  for (auto& c : pads) c = {u(rng), u(rng)};
  for (auto& c : holes) c = {u(rng), u(rng)};
  const double holeRadius = side / 12.0;
  auto inHole = [&](double x, double y) {
    for (const auto& h : holes)
      if ((x - h[0]) * (x - h[0]) + (y - h[1]) * (y - h[1]) < holeRadius * holeRadius) return true;
    return false;
  };
  std::vector<tin::Point3> points(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && i % 50 == 0) {
      // A shot taken again (a check shot, or the same file loaded twice): same position, its
      // elevation a little off.
      const tin::Point3& again = points[static_cast<std::size_t>(unit(rng) * static_cast<double>(i))];
      points[i] = {again.x, again.y, again.z + 0.02};
      continue;
    }
    double x, y;
    do {
      x = u(rng);
      y = u(rng);
      if (i % 5 == 0) {
        y = side / 2 + 40.0 * std::sin(x / 150.0) + near(rng);  // shots along the valley road
      } else if (i % 5 == 1) {
        const auto& pad = pads[i / 5 % pads.size()];
        x = pad[0] + spread(rng);
        y = pad[1] + spread(rng);
      }
      x = std::clamp(x, 0.0, side);
      y = std::clamp(y, 0.0, side);
    } while (inHole(x, y));
    points[i] = {kX0 + std::round(x * 1000) / 1000, kY0 + std::round(y * 1000) / 1000, site(x, y, side)};
  }
  return points;
}

std::vector<tin::Segment3> terrainBreakLines(std::size_t n, std::size_t count) {
  const double side = sideOf(n);
  std::vector<tin::Segment3> lines;
  // Three lines along the valley: its bottom and two road edges 4 m to either side.
  const std::size_t perLine = count / 3;
  for (double offset : {0.0, -4.0, 4.0}) {
    for (std::size_t k = 0; k < perLine; ++k) {
      auto at = [&](std::size_t j) {
        const double x = side * static_cast<double>(j) / static_cast<double>(perLine);
        const double y = side / 2 + 40.0 * std::sin(x / 150.0) + offset;
        return tin::Point3{kX0 + x, kY0 + y, site(x, y, side) - (offset == 0.0 ? 0.5 : 0.0)};
      };
      lines.push_back({at(k), at(k + 1)});
    }
  }
  return lines;
}

std::vector<tin::Segment3> randomBreakLines(std::size_t n, std::size_t count, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  const double side = sideOf(n);
  std::uniform_real_distribution<double> u(0.0, side), d(-15.0, 15.0);
  std::vector<tin::Segment3> lines;
  for (std::size_t i = 0; i < count; ++i) {
    const double x = u(rng), y = u(rng);
    const double x2 = std::clamp(x + d(rng), 0.0, side), y2 = std::clamp(y + d(rng), 0.0, side);
    lines.push_back({{kX0 + x, kY0 + y, smooth(x, y)}, {kX0 + x2, kY0 + y2, smooth(x2, y2) + 0.3}});
  }
  return lines;
}

void writeBinaryXY(const std::string& path, const std::vector<tin::Point3>& points) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& p : points) {
    out.write(reinterpret_cast<const char*>(&p.x), sizeof(double));
    out.write(reinterpret_cast<const char*>(&p.y), sizeof(double));
  }
  if (!out) throw std::runtime_error(path + ": cannot write");
}

void writeBinarySegments(const std::string& path, const std::vector<tin::Segment3>& segments) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& s : segments)
    for (const double v : {s.a.x, s.a.y, s.b.x, s.b.y}) out.write(reinterpret_cast<const char*>(&v), sizeof(double));
  if (!out) throw std::runtime_error(path + ": cannot write");
}

std::vector<double> readBinaryXY(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw std::runtime_error(path + ": cannot open");
  const auto size = static_cast<std::size_t>(in.tellg());
  std::vector<double> xy(size / sizeof(double));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(xy.data()), static_cast<std::streamsize>(xy.size() * sizeof(double)));
  return xy;
}

void writeQhullText(const std::string& path, const std::vector<tin::Point3>& points) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) throw std::runtime_error(path + ": cannot write");
  // Relative to the site's corner: at survey-sized coordinates qhull's own rounding makes it
  // merge facets and run many times slower, which would measure qhull's input, not its work.
  std::fprintf(f, "2\n%zu\n", points.size());
  for (const auto& p : points) std::fprintf(f, "%.3f %.3f\n", p.x - kX0, p.y - kY0);
  std::fclose(f);
}

double seconds() {
  // CPU time of this process: the machines that run this are shared, and every program here
  // (peers included) runs on one thread, so CPU time compares them where wall time would
  // compare the neighbours' load.
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

CpuSplit cpuSplit() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto secs = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  return {secs(usage.ru_utime), secs(usage.ru_stime), static_cast<double>(usage.ru_minflt)};
}

double peakBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

double currentBytes() {
  std::ifstream statm("/proc/self/statm");
  double pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096.0;
}

}  // namespace uv::bench
