// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <utility>

#include "db/AcDbDatabase.h"
#include "ed/AcApDocManager.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CUniquePointSet.h"

namespace uv::engine::test {

ReferenceTin::ReferenceTin(const std::vector<AcGePoint3d>& points) {
  if (points.empty()) return;
  m_origin = points.front();
  for (const auto& p : points) m_p.emplace_back(p.x - m_origin.x, p.y - m_origin.y, p.z);
  const int n = static_cast<int>(m_p.size());
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (const auto& p : m_p) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const double size = std::max(maxX - minX, maxY - minY) + 1.0;
  const double cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
  std::vector<AcGePoint3d> all = m_p;
  all.emplace_back(cx - 100 * size, cy - 100 * size, 0);
  all.emplace_back(cx + 100 * size, cy - 100 * size, 0);
  all.emplace_back(cx, cy + 100 * size, 0);
  struct Work {
    int v[3];
    double ux, uy, r2;
  };
  auto make = [&all](int a, int b, int c) {
    const auto &A = all[a], &B = all[b], &C = all[c];
    const double d = 2 * (A.x * (B.y - C.y) + B.x * (C.y - A.y) + C.x * (A.y - B.y));
    const double a2 = A.x * A.x + A.y * A.y, b2 = B.x * B.x + B.y * B.y, c2 = C.x * C.x + C.y * C.y;
    const double ux = (a2 * (B.y - C.y) + b2 * (C.y - A.y) + c2 * (A.y - B.y)) / d;
    const double uy = (a2 * (C.x - B.x) + b2 * (A.x - C.x) + c2 * (B.x - A.x)) / d;
    return Work{{a, b, c}, ux, uy, (A.x - ux) * (A.x - ux) + (A.y - uy) * (A.y - uy)};
  };
  std::vector<Work> tris{make(n, n + 1, n + 2)};
  for (int i = 0; i < n; ++i) {
    const auto& p = all[i];
    std::map<std::pair<int, int>, int> edges;
    std::vector<Work> keep;
    for (const auto& t : tris) {
      if ((p.x - t.ux) * (p.x - t.ux) + (p.y - t.uy) * (p.y - t.uy) < t.r2) {
        for (int k = 0; k < 3; ++k) {
          int a = t.v[k], b = t.v[(k + 1) % 3];
          ++edges[{std::min(a, b), std::max(a, b)}];
        }
      } else {
        keep.push_back(t);
      }
    }
    for (const auto& [e, count] : edges)
      if (count == 1) keep.push_back(make(e.first, e.second, i));
    tris = std::move(keep);
  }
  for (const auto& t : tris)
    if (t.v[0] < n && t.v[1] < n && t.v[2] < n) m_triangles.push_back({{t.v[0], t.v[1], t.v[2]}});
}

std::optional<double> ReferenceTin::elevation(double x, double y) const {
  x -= m_origin.x;
  y -= m_origin.y;
  for (const auto& t : m_triangles) {
    const auto &A = m_p[t.v[0]], &B = m_p[t.v[1]], &C = m_p[t.v[2]];
    const double d = (B.y - C.y) * (A.x - C.x) + (C.x - B.x) * (A.y - C.y);
    if (d == 0) continue;
    const double l1 = ((B.y - C.y) * (x - C.x) + (C.x - B.x) * (y - C.y)) / d;
    const double l2 = ((C.y - A.y) * (x - C.x) + (A.x - C.x) * (y - C.y)) / d;
    const double l3 = 1 - l1 - l2;
    const double eps = -1e-9;
    if (l1 >= eps && l2 >= eps && l3 >= eps) return l1 * A.z + l2 * B.z + l3 * C.z;
  }
  return std::nullopt;
}

double ReferenceTin::contourLength(double level) const {
  double total = 0;
  for (const auto& t : m_triangles) {
    std::vector<AcGePoint3d> cut;
    for (int k = 0; k < 3; ++k) {
      const auto &a = m_p[t.v[k]], &b = m_p[t.v[(k + 1) % 3]];
      const bool aAbove = a.z >= level, bAbove = b.z >= level;
      if (aAbove == bAbove) continue;
      const double s = (level - a.z) / (b.z - a.z);
      cut.emplace_back(a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), level);
    }
    if (cut.size() == 2) total += std::hypot(cut[0].x - cut[1].x, cut[0].y - cut[1].y);
  }
  return total;
}

double ReferenceTin::area() const {
  double a = 0;
  for (const auto& t : m_triangles) {
    const auto &A = m_p[t.v[0]], &B = m_p[t.v[1]], &C = m_p[t.v[2]];
    a += std::fabs((B.x - A.x) * (C.y - A.y) - (C.x - A.x) * (B.y - A.y)) / 2;
  }
  return a;
}

std::vector<AcGePoint3d> randomPoints(std::size_t n, std::uint64_t seed, double x0, double y0, double size,
                                      const Height& z) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> u(0.0, size);
  std::vector<AcGePoint3d> points;
  for (std::size_t i = 0; i < n; ++i) {
    // Millimetre precision, as a survey delivers it.
    const double x = std::round((x0 + u(rng)) * 1000.0) / 1000.0, y = std::round((y0 + u(rng)) * 1000.0) / 1000.0;
    points.emplace_back(x, y, std::round(z(x - x0, y - y0) * 1000.0) / 1000.0);
  }
  return points;
}

CUniquePointSet pointSet(const std::vector<AcGePoint3d>& points) {
  CUniquePointSet set;
  for (const auto& p : points) set.AddPoint(p);
  return set;
}

TestDrawing::TestDrawing() {
  auto db = std::make_unique<AcDbDatabase>();
  m_db = db.get();
  m_doc = acDocManager->addDocument(std::move(db), L"");
}

TestDrawing::~TestDrawing() {
  CKVLSurfaceManager::Release(m_db);
  acDocManager->closeDocument(m_doc);
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "engine-test-XXXXXX").string();
  m_path = ::mkdtemp(pattern.data());
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

std::vector<unsigned char> readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace uv::engine::test
