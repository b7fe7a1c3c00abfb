// SPDX-License-Identifier: GPL-3.0-or-later
// SHOW on a large surface, as the show-surface dialog runs it: the whole
// surface as tagged 3D faces on the surface's layer, the drawing saved as
// DXF and read back, and a grid of about a million cells as 3D faces.
//
//   bench_show [points] [scratch.dxf]
//
// Prints "key value" lines (CPU seconds, bytes, MB/s); run_show.sh adds the
// peer and the targets.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchData.h"
#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/dxf/DxfFile.h"
#include "ed/AcApDocManager.h"
#include "module/display/SurfaceDrawing.h"
#include "product/engine/CKVLPoint3dArray.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"

namespace {

using uv::bench::currentBytes;
using uv::bench::seconds;

void report(const char* key, double value) {
  std::printf("%s %.6g\n", key, value);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t n = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  const std::string scratch = argc > 2 ? argv[2] : (std::filesystem::temp_directory_path() / "bench_show.dxf").string();

  AcApDocument* doc = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"bench.dxf");
  CKVLSurfaceManager* manager = CKVLSurfaceManager::Instance(0);
  CKVLXsurface_Vantor2* surface =
      manager->CreateSurface(L"Teren", CKVLSurfaceManager::kDrawingStorage, nullptr, false);
  {
    CUniquePointSet set;
    for (const auto& p : uv::bench::randomPoints(n, 3)) set.AddPoint(AcGePoint3d(p.x, p.y, p.z));
    surface->SetPoints(set);
  }
  report("points", surface->PointCount());

  uv::display::ShowRequest request;
  request.manager = manager;
  request.surfaceName = L"Teren";
  request.surfaceSelected = true;

  double bytes = currentBytes();
  double t = seconds();
  const uv::bench::CpuSplit before = uv::bench::cpuSplit();
  const AcDbObjectIdArray faces = uv::display::DrawTriangleFaces(request, *surface);
  report("show_faces_seconds", seconds() - t);
  // User time is what the code spends; system time is mostly fresh pages
  // cleared, which varies with the machine's memory as much as with ours.
  const uv::bench::CpuSplit after = uv::bench::cpuSplit();
  report("show_faces_user_seconds", after.user - before.user);
  report("show_faces_system_seconds", after.system - before.system);
  report("show_faces_minor_faults", after.minorFaults - before.minorFaults);
  report("faces", faces.length());
  report("bytes_per_face", (currentBytes() - bytes) / faces.length());

  t = seconds();
  const uv::dxf::Result saved = uv::dxf::save(*doc->database(), uv::fromUtf8(scratch));
  const double saveSeconds = seconds() - t;
  if (!saved.ok) {
    std::fprintf(stderr, "bench_show: %s\n", uv::toUtf8(saved.error).c_str());
    return 1;
  }
  const double megabytes = double(std::filesystem::file_size(scratch)) / 1e6;
  report("dxf_megabytes", megabytes);
  report("dxf_save_seconds", saveSeconds);
  report("dxf_save_mb_per_second", megabytes / saveSeconds);
  {
    AcDbDatabase back;
    t = seconds();
    const uv::bench::CpuSplit readFrom = uv::bench::cpuSplit();
    const uv::dxf::Result read = uv::dxf::load(uv::fromUtf8(scratch), back);
    const double readSeconds = seconds() - t;
    const uv::bench::CpuSplit readTo = uv::bench::cpuSplit();
    report("dxf_read_user_seconds", readTo.user - readFrom.user);
    report("dxf_read_system_seconds", readTo.system - readFrom.system);
    if (!read.ok) {
      std::fprintf(stderr, "bench_show: %s\n", uv::toUtf8(read.error).c_str());
      return 1;
    }
    report("dxf_read_seconds", readSeconds);
    report("dxf_read_mb_per_second", megabytes / readSeconds);
  }
  std::filesystem::remove(scratch);

  // A grid of about a million cells over the whole surface, as 3D faces.
  request.polygon.removeAll();
  CKVLPoint3dArray ring;
  surface->Boundary(0, ring);
  request.polygon = ring;
  const AcDbExtents extents = surface->Boundary();
  request.stepX = (extents.maxPoint().x - extents.minPoint().x) / 1000.0;
  request.stepY = (extents.maxPoint().y - extents.minPoint().y) / 1000.0;
  t = seconds();
  const AcDbObjectIdArray cells = uv::display::DrawGridFaces(request, *surface);
  report("grid_seconds", seconds() - t);
  report("grid_cells_visited", uv::display::GridFrameFor(request, *surface).cellTotal());
  report("grid_cells_drawn", cells.length());
  // As the host does when a drawing closes: the surfaces first, then the document.
  CKVLSurfaceManager::Release(doc->database());
  acDocManager->closeDocument(doc);
  return 0;
}
