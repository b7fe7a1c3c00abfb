// SPDX-License-Identifier: GPL-3.0-or-later
// Contour lines and labels as the contour dialogs make them, on a 1M-point terrain. Prints
// "key value" lines for run_contours.sh.
//
//   bench_contours mesh N DIR    the surface's points and triangles for matplotlib's tricontour
//   bench_contours draw N        100 levels traced alone, then drawn as the dialog draws them
//   bench_contours labels N      labels along a path that crosses the contours about 10k times
#include <cstdio>
#include <algorithm>
#include <fstream>
#include <memory>
#include <span>
#include <string>

#include "bench/engine/BenchData.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "ed/AcApDocManager.h"
#include "module/contours/ContourDrawing.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "product/giscore/CModuleConfiguration.h"

namespace {

using uv::bench::seconds;

void report(const char* key, double value) { std::printf("%s %.6g\n", key, value); }

struct Count : tin::ContourSink {
  std::size_t lines = 0, vertices = 0;
  void addContour(double, std::span<const tin::Point3> p, bool) override {
    ++lines;
    vertices += p.size();
  }
};

CKVLXsurface_Vantor2* terrain(CKVLSurfaceManager& manager, std::size_t n) {
  CKVLXsurface_Vantor2* surface = manager.CreateSurface(L"Teren", CKVLSurfaceManager::kDrawingStorage, nullptr, false);
  CUniquePointSet set;
  for (const auto& p : uv::bench::terrainPoints(n, 7)) set.AddPoint(AcGePoint3d(p.x, p.y, p.z));
  surface->SetPoints(set);
  return surface;
}

// 100 levels spread over the surface's heights, the same for us and for matplotlib.
uv::contours::MergedLevels levelsOf(const CKVLXsurface_Vantor2& surface) {
  const AcDbExtents e = surface.Boundary();
  uv::contours::MergedLevels levels;
  for (int k = 0; k < 100; ++k)
    levels.emplace(e.minPoint().z + (e.maxPoint().z - e.minPoint().z) * (k + 0.5) / 100.0, k % 5 == 0);
  return levels;
}

uv::contours::ContourStyles styles() {
  uv::contours::ContourStyles s;
  s.major = {1, L"Continuous", 50};
  s.minor = {30, L"ByLayer", 18};
  return s;
}

struct Drawing {
  AcApDocument* doc;
  CKVLSurfaceManager* manager;
  Drawing()
      : doc(acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"")),
        manager(CKVLSurfaceManager::ForDatabase(doc->database())) {
    acDocManager->setCurDocument(doc);
  }
  ~Drawing() {
    std::fflush(stdout);
    CKVLSurfaceManager::Release(doc->database());
    acDocManager->closeDocument(doc);
  }
};

int mesh(std::size_t n, const std::string& dir) {
  Drawing d;
  CKVLXsurface_Vantor2* surface = terrain(*d.manager, n);
  const tin::Mesh& m = surface->Triangulation().Surface().mesh();
  std::ofstream xyz(dir + "/points.bin", std::ios::binary), tri(dir + "/triangles.bin", std::ios::binary);
  for (const auto& p : m.vertices) {
    const double v[3] = {p.x, p.y, p.z};
    xyz.write(reinterpret_cast<const char*>(v), sizeof v);
  }
  for (const auto& t : m.triangles) tri.write(reinterpret_cast<const char*>(t.v), sizeof(std::int32_t) * 3);
  std::ofstream levels(dir + "/levels.txt");
  levels.precision(17);
  for (const auto& [level, major] : levelsOf(*surface)) levels << level << "\n";
  report("triangles", double(m.triangles.size()));
  return 0;
}

int draw(std::size_t n) {
  Drawing d;
  CKVLXsurface_Vantor2* surface = terrain(*d.manager, n);
  const uv::contours::MergedLevels levels = levelsOf(*surface);
  std::vector<double> plain;
  for (const auto& [level, major] : levels) plain.push_back(level);
  Count once;
  double t = seconds();
  surface->Triangulation().Surface().traceContours(plain, once);
  report("trace_100_in_one_call_seconds", seconds() - t);
  CModuleConfiguration::GetMsg(6277);  // the catalogue is read once a session, not per drawing

  // The engine's own tracing as the contour manager asks for it, one level a call, and the
  // whole drawing, which traces the same way; each the least of three runs (on a shared
  // machine the least is the one least disturbed), each drawing
  // adding its own set of polylines.
  double tracing = 1e300, drawing = 1e300;
  AcDbObjectIdArray ids;
  for (int run = 0; run < 3; ++run) {
    Count sink;
    t = seconds();
    for (double level : plain) surface->Triangulation().Surface().traceContour(level, sink);
    tracing = std::min(tracing, seconds() - t);
    t = seconds();
    ids = uv::contours::DrawContours(*d.manager, *surface, levels, styles(), false, true);
    drawing = std::min(drawing, seconds() - t);
  }
  Count sink;
  surface->Triangulation().Surface().traceContours(plain, sink);
  report("trace_100_level_by_level_seconds", tracing);
  report("draw_100_seconds", drawing);
  report("draw_beyond_tracing_seconds", drawing - tracing);
  report("polylines", ids.length());
  report("traced_polylines", double(sink.lines));
  report("vertices", double(sink.vertices));
  return ids.length() == int(sink.lines) ? 0 : 1;
}

int labels(std::size_t n) {
  Drawing d;
  CKVLXsurface_Vantor2* surface = terrain(*d.manager, n);
  uv::contours::DrawContours(*d.manager, *surface, levelsOf(*surface), styles(), false, false);
  // A path zigzagging across the whole site: each pass crosses every level a few times.
  const AcDbExtents e = surface->Boundary();
  const double x0 = e.minPoint().x, x1 = e.maxPoint().x, y0 = e.minPoint().y, y1 = e.maxPoint().y;
  const int passes = 160;
  AcGePoint3dArray path;
  for (int i = 0; i <= passes; ++i)
    path.append(AcGePoint3d(i % 2 ? x1 - 1 : x0 + 1, y0 + (y1 - y0) * (i + 0.5) / (passes + 1.0), 0));
  const double t = seconds();
  const AcDbObjectIdArray made = uv::contours::LabelContours(surface, path, true);
  report("labels_seconds", seconds() - t);
  report("labels", made.length() / 2.0);  // a text and its wipeout each
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_contours mesh|draw|labels N [DIR]\n");
    return 1;
  }
  const std::string mode = argv[1];
  const std::size_t n = std::stoul(argv[2]);
  if (mode == "mesh" && argc == 4) return mesh(n, argv[3]);
  if (mode == "draw") return draw(n);
  if (mode == "labels") return labels(n);
  std::fprintf(stderr, "bench_contours: unknown mode %s\n", mode.c_str());
  return 1;
}
