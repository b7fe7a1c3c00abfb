// SPDX-License-Identifier: GPL-3.0-or-later
// The projection's timings as the dialog makes its calls, one process per run. Prints
// "key value" lines for run_projection.sh.
//
//   bench_projection N DIR   a surface of N random points; writes DIR/points.xyz (the
//                            surface's points) and DIR/vertices.xy (the polyline's vertices)
//                            as little-endian doubles for the peers
//
// surface_first_query_seconds: the surface's one-time search structure, built on its first
// query. drape_10k_seconds: a lightweight polyline of 10,000 vertices with arcs, from reading
// its vertices and bulges to the draped 3D polyline in the drawing; drape_engine_seconds: the
// engine's part alone. markers_10k_seconds: 10,000 points raised onto the surface, each given
// an elevation marker with its text, the marker block read from its drawing once.
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/engine/BenchData.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbPolyline.h"
#include "ed/EdFiles.h"
#include "module/projection/DrapePath.h"
#include "product/cadwrapper/CKVLCDraw.h"
#include "product/cadwrapper/CKVLCPolylineLWPtr.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "product/giscore/CModuleConfiguration.h"

namespace {

using uv::bench::seconds;

void report(const char* key, double value) { std::printf("%s %.6g\n", key, value); }

void writeDoubles(const std::string& path, const std::vector<double>& values) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(values.data(), sizeof(double), values.size(), f);
  std::fclose(f);
}

// A road of 10,000 vertices snaking over the surface's extents, every third stretch an arc.
AcDbObjectId addRoad(AcDbDatabase& db, const AcDbExtents& e, std::vector<double>& xy) {
  auto road = std::make_unique<AcDbPolyline>();
  const double x0 = e.minPoint().x + 20, width = e.maxPoint().x - e.minPoint().x - 40;
  const double yc = (e.minPoint().y + e.maxPoint().y) / 2, amplitude = (e.maxPoint().y - e.minPoint().y) / 2 - 30;
  const int n = 10000;
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / (n - 1);
    const double x = x0 + width * t, y = yc + amplitude * std::sin(6 * 3.14159265358979 * t);
    road->addVertexAt(unsigned(i), AcGePoint2d(x, y), i % 3 == 0 ? 0.2 : 0.0);
    xy.push_back(x);
    xy.push_back(y);
  }
  CKVLCObjectPtr<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForWrite);
  AcDbObjectId id;
  space->appendAcDbEntity(id, road.get());
  road.release()->close();
  return id;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_projection N DIR\n");
    return 1;
  }
  const std::size_t n = std::stoul(argv[1]);
  const std::string dir = argv[2];
  const auto points = uv::bench::randomPoints(n, 3);
  CKVLXsurface_Vantor2 surface(nullptr);
  {
    CUniquePointSet set;
    for (const auto& p : points) set.AddPoint(AcGePoint3d(p.x, p.y, p.z));
    surface.SetPoints(set);
  }
  surface.TriangleCount();
  {
    std::vector<double> xyz;
    xyz.reserve(points.size() * 3);
    for (const auto& p : points) xyz.insert(xyz.end(), {p.x, p.y, p.z});
    writeDoubles(dir + "/points.xyz", xyz);
  }

  AcDbDatabase db;
  acdbHostApplicationServices()->setWorkingDatabase(&db);
  std::vector<double> xy;
  const AcDbObjectId roadId = addRoad(db, surface.Boundary(), xy);
  writeDoubles(dir + "/vertices.xy", xy);

  // The surface builds its search structure on the first query after a build; that cost is
  // the surface's, paid once by whatever asks first, and reported on its own.
  double t = seconds();
  double firstZ = 0;
  surface.Elevation(AcGePoint3d(xy[0], xy[1], 0), firstZ);
  report("surface_first_query_seconds", seconds() - t);

  // As ProjectLwPolyline does it: vertices and bulges, the drape, the new 3D polyline.
  t = seconds();
  AcGePoint3dArray path, draped;
  AcGeDoubleArray bulges;
  {
    CKVLCPolylineLWPtr road(roadId);
    uv::projection::LwPolylinePath(road, path, bulges);
  }
  const int ok = surface.Drape(path, bulges, draped, -1000000.0);
  const AcDbObjectId made = CKVLCDraw::polyline3d(draped, 0, nullptr);
  report("drape_10k_seconds", seconds() - t);
  report("drape_ok", ok == 1 && !made.isNull() ? 1 : 0);
  report("drape_vertices_out", draped.length());
  t = seconds();
  AcGePoint3dArray again;
  surface.Drape(path, bulges, again, -1000000.0);
  report("drape_engine_seconds", seconds() - t);

  // As ProjectPoint and InsertElevationMarker do it, for 10,000 points along the road.
  CString file;
  file.Format(L"%sKVX_ELEV.dwg", CModuleConfiguration::GetPath(L"Symbol").GetString());
  wchar_t found[4096];
  if (acedFindFile(file, found, 4096) != RTNORM) {
    std::fprintf(stderr, "bench_projection: no marker drawing %ls\n", file.GetString());
    return 1;
  }
  t = seconds();
  const AcDbObjectId block = CKVLCDraw::insertBlockDefinition(L"KVX_ELEV", found);
  int markers = 0;
  for (std::size_t i = 0; i + 1 < xy.size(); i += 2) {
    AcGePoint3d p(xy[i], xy[i + 1] + 1.0, 0.0);
    double z = 0;
    if (surface.Elevation(p, z) != 1) continue;
    p.z = z;
    CString text;
    text.Format(L"%.2f", z);
    CStringArray texts;
    texts.Add(text);
    if (!CKVLCDraw::insertBlockReference(block, p, texts, 1.0, nullptr).isNull()) ++markers;
  }
  report("markers_10k_seconds", seconds() - t);
  report("markers", markers);
  acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  return 0;
}
