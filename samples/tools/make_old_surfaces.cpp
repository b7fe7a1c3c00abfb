// Writes samples/old-surfaces.dxf: a drawing made with the product's
// previous generation, holding three old-format surfaces for CONVERT to
// work on, through the host's own database and DXF writer.
//
//   Teren   the site's ground: 49 points on a 7 x 7 grid with a ridge,
//           layer settings for the triangle network, grid and projections
//   Iskop   an excavation pit: 13 points, triangle-network settings only
//   Nasip   an embankment: 9 points, no layer settings and no description
//
// With a second argument it also writes the Teren of the old drawing as a
// surface file of the engine, named "Teren_2009" (samples/site-2009.kvb),
// for jobs that attach or read a surface file.
//
// The heights come from fixed formulas, so every run writes the same files.
//
// usage: make_old_surfaces OUT.dxf [OUT.kvb]
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>

#include "OldSurfaceWriter.h"
#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/dxf/DxfFile.h"
#include "ed/AcApDocManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"

namespace {

using uv::samples::OldLayer;
using uv::samples::OldSurface;

std::vector<OldSurface> sampleSurfaces() {
  OldSurface teren;
  teren.name = L"Teren";
  for (int i = 0; i < 7; ++i)
    for (int j = 0; j < 7; ++j) {
      const double x = 1000.0 + 20.0 * i, y = 2000.0 + 15.0 * j;
      const double z = 250.0 + 0.04 * (x - 1000.0) + 2.0 * std::sin(i * 0.9) * std::cos(j * 0.7);
      teren.points.emplace_back(x, y, std::round(z * 1000.0) / 1000.0);
    }
  teren.description = L"Site survey, 2009";
  teren.triangles = OldLayer{8, L"TEREN_MNT", L"Continuous"};
  teren.grid = OldLayer{9, L"TEREN_MREZA", L"DASHED"};
  teren.projection = OldLayer{5, L"TEREN_PROJEKCIJE", L"Continuous"};

  OldSurface iskop;
  iskop.name = L"Iskop";
  iskop.points.emplace_back(1050.0, 2040.0, 246.5);
  for (int k = 0; k < 12; ++k) {
    const double a = k * 3.14159265358979 / 6.0, r = k % 2 ? 12.0 : 9.0;
    iskop.points.emplace_back(1050.0 + r * std::cos(a), 2040.0 + r * std::sin(a), k % 2 ? 251.0 : 249.0);
  }
  iskop.description = L"Foundation pit";
  iskop.triangles = OldLayer{1, L"ISKOP_MNT", L"Continuous"};

  OldSurface nasip;
  nasip.name = L"Nasip";
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      nasip.points.emplace_back(1100.0 + 10.0 * i, 2060.0 + 10.0 * j, 253.0 + (i == 1 ? 1.5 : 0.0));
  return {teren, iskop, nasip};
}

// The old Teren as an engine surface file.
bool writeSurfaceFile(const OldSurface& old, const std::string& path) {
  CKVLXsurface_Vantor2 surface(nullptr);
  surface.SetName(L"Teren_2009");
  surface.SetDescription(old.description.value_or(L""));
  CUniquePointSet points;
  for (const AcGePoint3d& p : old.points) points.AddPoint(p);
  surface.SetPoints(points);
  // As the engine wrote it in 2009: the definition alone, without the triangles that later
  // versions keep beside it, so that reading such a file is tested too.
  uv::engine::SurfaceFileContent content = surface.FileContent();
  content.triangulation.reset();
  std::ofstream out(path, std::ios::out | std::ios::binary | std::ios::trunc);
  return out && uv::engine::writeSurfaceFile(*out.rdbuf(), content) && out.flush();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: make_old_surfaces OUT.dxf [OUT.kvb]\n");
    return 2;
  }
  if (argc == 3 && !writeSurfaceFile(sampleSurfaces().front(), argv[2])) {
    std::fprintf(stderr, "make_old_surfaces: cannot write %s\n", argv[2]);
    return 1;
  }
  const std::wstring out = uv::fromUtf8(argv[1]);
  AcApDocument* doc = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), out);
  if (!uv::samples::writeOldSurfaces(sampleSurfaces(), L"Teren")) {
    std::fprintf(stderr, "make_old_surfaces: the drawing refused the old surfaces\n");
    return 1;
  }
  const uv::dxf::Result saved = uv::dxf::save(*doc->database(), out);
  acDocManager->closeDocument(doc);
  if (!saved) {
    std::fprintf(stderr, "make_old_surfaces: %s\n", uv::toUtf8(saved.error).c_str());
    return 1;
  }
  return 0;
}
