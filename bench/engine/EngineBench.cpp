// SPDX-License-Identifier: GPL-3.0-or-later
// The terrain engine's timings through its own API, one measurement set per process so that
// peak memory means something. Prints "key value" lines for run_engine.sh.
//
//   bench_engine data N random|terrain DIR   write the points for the peers
//   bench_engine build N random|terrain      build a surface from the points
//   bench_engine ops N random|terrain        break lines, a swap, a point, contours, elevations,
//                                            save/load
//   bench_engine load N random|terrain       the save/load of ops alone
//   bench_engine elevations N random|terrain the elevations of ops alone
//   bench_engine batch N random|terrain      the call of many elevations alone, three times over
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <span>
#include <string>

#include <unistd.h>

#include "BenchData.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "product/engine/CKVLIzoLineManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "product/engine/InputFile.h"

namespace {

using uv::bench::seconds;

std::vector<tin::Point3> pointsOf(std::size_t n, const std::string& kind) {
  return kind == "terrain" ? uv::bench::terrainPoints(n, 7) : uv::bench::randomPoints(n, 3);
}

void report(const char* key, double value) { std::printf("%s %.6g\n", key, value); }

// The user and system shares and the page faults of a measurement, reported beside its time.
class Split {
 public:
  Split() : from_(uv::bench::cpuSplit()) {}
  void report(const std::string& key) const {
    const uv::bench::CpuSplit to = uv::bench::cpuSplit();
    ::report((key + "_user_seconds").c_str(), to.user - from_.user);
    ::report((key + "_system_seconds").c_str(), to.system - from_.system);
    ::report((key + "_minor_faults").c_str(), to.minorFaults - from_.minorFaults);
  }

 private:
  uv::bench::CpuSplit from_;
};

std::unique_ptr<CKVLXsurface_Vantor2> build(const std::vector<tin::Point3>& points, bool measure) {
  const double before = uv::bench::currentBytes();
  const Split split;
  const double t0 = seconds();
  auto surface = std::make_unique<CKVLXsurface_Vantor2>(nullptr);
  double given = 0, unique = 0;
  {
    // Gathered as the text page gathers a file: room for all, then blocks in file order.
    CUniquePointSet set;
    set.Reserve(static_cast<int>(points.size()));
    constexpr std::size_t kBlock = 4096;
    std::vector<AcGePoint3d> block;
    block.reserve(kBlock);
    for (std::size_t i = 0; i < points.size(); i += kBlock) {
      block.clear();
      for (std::size_t k = i; k < std::min(points.size(), i + kBlock); ++k)
        block.emplace_back(points[k].x, points[k].y, points[k].z);
      set.AddPoints(block);
    }
    set.Size();  // settles the set: the duplicates are found here
    unique = seconds() - t0;
    // The points as the caller hands them over, like the peers' input arrays.
    given = uv::bench::currentBytes();
    surface->SetPoints(set);
  }
  const int triangles = surface->TriangleCount();  // the mesh is part of a usable surface
  const double t1 = seconds();
  if (measure) {
    report("build_seconds", t1 - t0);
    split.report("build");
    report("build_unique_set_seconds", unique);
    report("build_peak_bytes_per_point", (uv::bench::peakBytes() - before) / static_cast<double>(points.size()));
    report("surface_peak_bytes_per_point", (uv::bench::peakBytes() - given) / static_cast<double>(points.size()));
    report("build_kept_bytes_per_point", (uv::bench::currentBytes() - before) / static_cast<double>(points.size()));
    report("triangles", triangles);
  }
  return surface;
}

std::vector<tin::Segment3> linesOf(std::size_t n, const std::string& kind) {
  return kind == "terrain" ? uv::bench::terrainBreakLines(n, 10000) : uv::bench::randomBreakLines(n, 10000, 5);
}

// A pair of triangles near the middle that may be swapped (convex, no break line between),
// as elements a caller would hand in; false when none is found.
bool swappablePair(CKVLXsurface_Vantor2& surface, int attempt, CKVLTriangle& t1, CKVLTriangle& t2) {
  const tin::Surface& tin = surface.Triangulation().Surface();
  const tin::Mesh& m = tin.mesh();
  const AcDbExtents e = surface.Boundary();
  const tin::Point2 p{(e.minPoint().x + e.maxPoint().x) / 2 + attempt * 3.1,
                      (e.minPoint().y + e.maxPoint().y) / 2 + attempt * 1.7};
  const std::int32_t t = tin.triangleAt(p);
  if (t < 0) return false;
  for (int i = 0; i < 3; ++i) {
    const std::int32_t n = m.neighbours[t][i];
    if (n < 0 || (m.breakLineSides[t] & (1u << i))) continue;
    const tin::Triangle &a = m.triangles[t], &b = m.triangles[n];
    t1 = CKVLTriangle(t, a.v[0], a.v[1], a.v[2]);
    t2 = CKVLTriangle(n, b.v[0], b.v[1], b.v[2]);
    // Strictly convex: the two far corners lie on either side of the shared side's line.
    const int j = m.neighbours[n][0] == t ? 0 : m.neighbours[n][1] == t ? 1 : 2;
    const tin::Point2 u = m.vertices[a.v[i]].plan(), v = m.vertices[b.v[j]].plan();
    const tin::Point2 q = m.vertices[a.v[(i + 1) % 3]].plan(), r = m.vertices[a.v[(i + 2) % 3]].plan();
    auto side = [](tin::Point2 from, tin::Point2 to, tin::Point2 x) {
      return (to.x - from.x) * (x.y - from.y) - (to.y - from.y) * (x.x - from.x);
    };
    if (side(u, v, q) * side(u, v, r) < 0) return true;
  }
  return false;
}

// One swap and one added point in the middle of the surface, each timed alone (the mesh is up
// to date before), then with the query after it that brings the mesh up to date again.
void edits(CKVLXsurface_Vantor2& surface) {
  const AcDbExtents e = surface.Boundary();
  const tin::Point2 mid{(e.minPoint().x + e.maxPoint().x) / 2, (e.minPoint().y + e.maxPoint().y) / 2};
  double swap = -1, swapQuery = -1;
  CKVLTriangle t1, t2;
  for (int attempt = 0; attempt < 50 && swap < 0; ++attempt) {
    if (!swappablePair(surface, attempt, t1, t2)) continue;
    double t = seconds();
    const int ok = surface.SwapTringles(&t1, &t2);
    const double took = seconds() - t;
    if (ok != 1) continue;
    swap = took;
    surface.Triangulation().Surface().triangleAt(mid);
    swapQuery = seconds() - t;
  }
  report("swap_seconds", swap);
  report("swap_and_query_seconds", swapQuery);
  CUniquePointSet one;
  one.AddPoint(AcGePoint3d(mid.x + 0.37, mid.y + 0.21, 123.0));
  double t = seconds();
  surface.AddPoints(one);
  report("add_point_seconds", seconds() - t);
  surface.Triangulation().Surface().triangleAt(mid);
  report("add_point_and_query_seconds", seconds() - t);
}

// The same edits with the surface's triangle array read before and after each, as the display
// and the swap's picking read it: the read after an edit refreshes what the edit wrote.
void editsWithTheArray(CKVLXsurface_Vantor2& surface, std::size_t n) {
  const double before = uv::bench::currentBytes();
  const Split arraySplit;
  double t = seconds();
  surface.GetAllTriangles();
  report("triangle_array_seconds", seconds() - t);
  arraySplit.report("triangle_array");
  report("triangle_array_bytes_per_point", (uv::bench::currentBytes() - before) / static_cast<double>(n));
  const AcDbExtents e = surface.Boundary();
  const tin::Point2 mid{(e.minPoint().x + e.maxPoint().x) / 2, (e.minPoint().y + e.maxPoint().y) / 2};
  double swapRead = -1;
  CKVLTriangle t1, t2;
  for (int attempt = 7; attempt < 57 && swapRead < 0; ++attempt) {
    if (!swappablePair(surface, attempt, t1, t2)) continue;
    CKVLTriangle* a = (*surface.GetAllTriangles())[t1.m_nIndex];
    CKVLTriangle* b = (*surface.GetAllTriangles())[t2.m_nIndex];
    t = seconds();
    if (surface.SwapTringles(a, b) != 1) continue;
    surface.GetAllTriangles();
    swapRead = seconds() - t;
  }
  report("swap_and_read_seconds", swapRead);
  CUniquePointSet one;
  one.AddPoint(AcGePoint3d(mid.x - 0.41, mid.y + 0.13, 121.0));
  t = seconds();
  surface.AddPoints(one);
  surface.GetAllTriangles();
  report("add_point_and_read_seconds", seconds() - t);
}

// 1M elevations at random places over the surface's extents, one by one and in one call; the
// call must give the very same numbers (bit for bit) at the very same places.
std::vector<AcGePoint3d> elevationPlaces(CKVLXsurface_Vantor2& surface) {
  const AcDbExtents e = surface.Boundary();
  std::mt19937_64 rng(9);
  const double x0 = e.minPoint().x, y0 = e.minPoint().y;
  std::uniform_real_distribution<double> ux(x0, e.maxPoint().x), uy(y0, e.maxPoint().y);
  std::vector<AcGePoint3d> queries(1000000);
  for (auto& q : queries) q = AcGePoint3d(ux(rng), uy(rng), 0);
  return queries;
}

// Saves the surface to a file and loads it again, each timed, the way SURFMAN does (the file
// just written is still in the system's cache, as it is when a user opens what they saved); the
// load must give back the surface as it is now.
void saveAndLoad(CKVLXsurface_Vantor2& surface) {
  const std::vector<tin::Triangle> saved = surface.Triangulation().Surface().triangles();
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("uv-bench-" + std::to_string(::getpid()) + ".kvb");
  struct Removed {
    const std::filesystem::path& path;
    ~Removed() {
      std::error_code ignored;
      std::filesystem::remove(path, ignored);
    }
  } removed{path};
  std::string error;
  double t = seconds();
  if (!surface.WriteFileAt(path.wstring(), error)) {
    std::fprintf(stderr, "bench_engine: the surface was not saved: %s\n", error.c_str());
    std::exit(1);
  }
  report("save_seconds", seconds() - t);
  report("file_bytes", static_cast<double>(std::filesystem::file_size(path)));
  const Split loadSplit;
  t = seconds();
  CKVLXsurface_Vantor2 reread(nullptr);
  uv::engine::InputFile file;
  const int ok =
      file.open(path.wstring(), error) ? reread.ImportFromBin(file.buffer(), CKVLXsurface_Vantor2::kReadAll) : 0;
  const int rereadTriangles = reread.TriangleCount();
  report("load_seconds", seconds() - t);
  loadSplit.report("load");
  const auto& again = reread.Triangulation().Surface().triangles();
  bool same = ok == 1 && static_cast<std::size_t>(rereadTriangles) == saved.size() && again.size() == saved.size();
  for (std::size_t k = 0; same && k < saved.size(); ++k)
    for (int i = 0; i < 3; ++i) same = same && again[k].v[i] == saved[k].v[i];
  report("load_same_triangles", same ? 1 : 0);
  // The surface read back answers many elevations at once as fast as the one it was saved from.
  AcGePoint3dArray batch;
  batch.vector() = elevationPlaces(reread);
  AcGeDoubleArray zs;
  AcArray<int> found;
  t = seconds();
  reread.Elevations(batch, zs, found);
  report("loaded_elevation_1m_seconds", seconds() - t);
  // Whether it found the cells of its curve again: a surface whose edits left its triangles out
  // of the curve's order walks without them.
  report("loaded_cells", reread.Triangulation().Surface().mesh().curveCells.first.empty() ? 0 : 1);
}

void elevationQueries(CKVLXsurface_Vantor2& surface) {
  const std::vector<AcGePoint3d> queries = elevationPlaces(surface);
  std::vector<double> single(queries.size());
  std::vector<int> singleOn(queries.size());
  double t = seconds();
  for (std::size_t i = 0; i < queries.size(); ++i) singleOn[i] = surface.Elevation(queries[i], single[i]);
  report("elevation_1m_one_by_one_seconds", seconds() - t);
  report("elevation_on_surface", static_cast<double>(std::count(singleOn.begin(), singleOn.end(), 1)));
  // The same queries in one call, as kvbtool and other batch users make them.
  AcGePoint3dArray batch;
  batch.vector().assign(queries.begin(), queries.end());
  AcGeDoubleArray zs;
  AcArray<int> found;
  const Split elevationSplit;
  t = seconds();
  surface.Elevations(batch, zs, found);
  report("elevation_1m_seconds", seconds() - t);
  elevationSplit.report("elevation_1m");
  bool agrees = zs.length() == batch.length() && found.length() == batch.length();
  for (std::size_t i = 0; agrees && i < queries.size(); ++i) {
    const int at = static_cast<int>(i);
    agrees = (found[at] == 1) == (singleOn[i] == 1) &&
             (found[at] != 1 || std::memcmp(&zs[at], &single[i], sizeof(double)) == 0);
  }
  report("elevation_batch_agrees", agrees ? 1 : 0);
}

// A surface as the operations make it: built, 10k break lines, a swap and a point.
std::unique_ptr<CKVLXsurface_Vantor2> editedSurface(const std::vector<tin::Point3>& points, std::size_t n,
                                                    const std::string& kind, bool measure) {
  auto surface = build(points, false);
  const auto lines = linesOf(n, kind);
  const Split breakLinesSplit;
  const double t = seconds();
  for (const auto& l : lines)
    surface->SetBreakLine(AcGePoint3d(l.a.x, l.a.y, l.a.z), AcGePoint3d(l.b.x, l.b.y, l.b.z));
  // The mesh is part of a usable surface: brought up to date inside the measurement.
  const int triangles = static_cast<int>(surface->Triangulation().Surface().mesh().triangles.size());
  if (measure) {
    report("breaklines_10k_seconds", seconds() - t);
    breakLinesSplit.report("breaklines_10k");
    report("triangles", triangles);
  }
  edits(*surface);
  return surface;
}

void operations(std::size_t n, const std::string& kind) {
  const auto points = pointsOf(n, kind);
  const double before = uv::bench::currentBytes();
  auto surface = editedSurface(points, n, kind, true);
  double t = 0;
  surface->Triangulation().Surface().mesh();
  report("edited_kept_bytes_per_point", (uv::bench::currentBytes() - before) / static_cast<double>(n));
  editsWithTheArray(*surface, n);

  const AcDbExtents e = surface->Boundary();
  std::vector<double> levels;
  for (int k = 0; k < 100; ++k)
    levels.push_back(e.minPoint().z + (e.maxPoint().z - e.minPoint().z) * (k + 0.5) / 100.0);
  struct Count : tin::ContourSink {
    std::size_t lines = 0, vertices = 0;
    void addContour(double, std::span<const tin::Point3> p, bool) override {
      ++lines;
      vertices += p.size();
    }
  } sink;
  t = seconds();
  surface->Triangulation().Surface().traceContours(levels, sink);
  report("contours_100_seconds", seconds() - t);
  report("contour_vertices", static_cast<double>(sink.vertices));

  // The same 100 levels as polylines in a drawing, as the contour command makes them.
  if (n <= 1000000) {
    AcDbDatabase db;
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    CKVLIzoLineManager manager;
    manager.Surface(surface.get());
    AcDbObjectIdArray ids;
    t = seconds();
    for (double level : levels) manager.Create(level, 1, ids, 0);
    report("contours_100_to_drawing_seconds", seconds() - t);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  }

  elevationQueries(*surface);
  saveAndLoad(*surface);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_engine data|build|ops|load|elevations|batch N random|terrain [DIR]\n");
    return 1;
  }
  const std::string mode = argv[1], kind = argv[3];
  const std::size_t n = std::stoul(argv[2]);
  if (mode == "data" && argc == 5) {
    const auto points = pointsOf(n, kind);
    const std::string dir = argv[4];
    uv::bench::writeBinaryXY(dir + "/points.bin", points);
    uv::bench::writeBinarySegments(dir + "/segments.bin", linesOf(n, kind));
    uv::bench::writeQhullText(dir + "/points.txt", points);
    return 0;
  }
  if (mode == "build") {
    const auto points = pointsOf(n, kind);
    build(points, true);
    return 0;
  }
  if (mode == "elevations") {
    const auto points = pointsOf(n, kind);
    auto surface = editedSurface(points, n, kind, false);
    surface->Triangulation().Surface().mesh();  // up to date, as the contours leave it in ops
    elevationQueries(*surface);
    return 0;
  }
  if (mode == "batch") {
    // Only the call, for tuning it: each round's time on the same surface and places.
    const auto points = pointsOf(n, kind);
    auto surface = editedSurface(points, n, kind, false);
    surface->Triangulation().Surface().mesh();
    AcGePoint3dArray batch;
    batch.vector() = elevationPlaces(*surface);
    // Nine rounds: on a shared machine one round varies by a fifth, the median far less.
    std::vector<double> times;
    for (int round = 0; round < 9; ++round) {
      AcGeDoubleArray zs;
      AcArray<int> found;
      const double t = seconds();
      surface->Elevations(batch, zs, found);
      times.push_back(seconds() - t);
      report("elevation_1m_seconds", times.back());
    }
    std::sort(times.begin(), times.end());
    report("elevation_1m_fastest_seconds", times.front());
    report("elevation_1m_median_seconds", times[times.size() / 2]);
    return 0;
  }
  if (mode == "load") {
    const auto points = pointsOf(n, kind);
    saveAndLoad(*editedSurface(points, n, kind, false));
    return 0;
  }
  if (mode == "ops") {
    operations(n, kind);
    return 0;
  }
  std::fprintf(stderr, "bench_engine: unknown mode %s\n", mode.c_str());
  return 1;
}
