// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CKVLXsurface_Vantor2.h"

#include <cmath>
#include <cstddef>
#include <ostream>
#include <stdexcept>
#include <type_traits>

#include "base/SafeFileWriter.h"
#include "product/engine/GeConvert.h"
#include "tin/LargeArrays.h"

using uv::engine::toGe;
using uv::engine::toTin;
using uv::engine::toTin2;

CKVLXsurface_Vantor2::CKVLXsurface_Vantor2(CTriangulation* triangulation)
    : m_triangulation(triangulation ? triangulation : new CTriangulation()) {}

CKVLXsurface_Vantor2::~CKVLXsurface_Vantor2() = default;

CString CKVLXsurface_Vantor2::Name() const { return m_pDesc ? m_pDesc->m_strName : m_strName; }

CString CKVLXsurface_Vantor2::Description() const {
  return m_pDesc ? m_pDesc->m_strDescription : m_strDescription;
}

void CKVLXsurface_Vantor2::Attach(CKVLSurfaceManager* manager, CKVLSurfaceManager::CSurfaceDesc* desc) {
  m_pManager = manager;
  m_pDesc = desc;
}

AcDbDatabase* CKVLXsurface_Vantor2::Database() const { return m_pManager ? m_pManager->Database() : nullptr; }

void CKVLXsurface_Vantor2::Changed() {
  m_triangulation->Changed();
  ++m_revision;
  if (m_pDesc && m_pDesc->IsInDrawing())
    m_pDesc->m_strInfo.Format(L"%d points, %d triangles", PointCount(), TriangleCount());
}

int CKVLXsurface_Vantor2::PointCount() const { return Tin().pointCount(); }
int CKVLXsurface_Vantor2::TriangleCount() const { return static_cast<int>(Tin().triangleCount()); }

int CKVLXsurface_Vantor2::SetPoints(CUniquePointSet& points) {
  const tin::PointsResult r = m_triangulation->Change().setPoints(points.Points());
  Changed();
  return r.refused == 0 ? 1 : 0;
}

int CKVLXsurface_Vantor2::AddPoints(CUniquePointSet& points) {
  const tin::PointsResult r = m_triangulation->Change().addPoints(points.Points());
  Changed();
  return r.refused == 0 ? 1 : 0;
}

int CKVLXsurface_Vantor2::SetBreakLine(const AcGePoint3d& p1, const AcGePoint3d& p2) {
  const tin::BreakLineResult r = m_triangulation->Change().addBreakLine(toTin(p1), toTin(p2));
  Changed();
  return r == tin::BreakLineResult::Added || r == tin::BreakLineResult::AlreadyPresent ? 1 : 0;
}

int CKVLXsurface_Vantor2::SwapTringles(CKVLTriangle* t1, CKVLTriangle* t2) {
  if (!t1 || !t2) return 0;
  // The callers' triangles may come from any array (all triangles, contained ones, read back
  // from text): find each by its corners, which name it whatever its position in a list.
  auto indexOf = [this](const CKVLTriangle& t) -> std::int32_t {
    const auto& all = Tin().triangles();
    auto same = [&t](const tin::Triangle& u) {
      int matched = 0;
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) matched += u.v[i] == t.m_nPoint[j] ? 1 : 0;
      return matched == 3;
    };
    if (t.m_nIndex >= 0 && static_cast<std::size_t>(t.m_nIndex) < all.size() && same(all[t.m_nIndex]))
      return t.m_nIndex;
    for (std::size_t i = 0; i < all.size(); ++i)
      if (same(all[i])) return static_cast<std::int32_t>(i);
    return -1;
  };
  const std::int32_t a = indexOf(*t1), b = indexOf(*t2);
  if (a < 0 || b < 0 || a == b) return 0;
  // A refused swap changes nothing, so the element arrays (and callers' pointers) stay.
  const tin::SwapResult r = m_triangulation->Change().swapDiagonal(a, b);
  if (r != tin::SwapResult::Swapped) return 0;
  Changed();
  return 1;
}

int CKVLXsurface_Vantor2::Elevation(const AcGePoint3d& point, double& z) const {
  const std::int32_t t = m_triangulation->TriangleAt(toTin2(point));
  if (t < 0) return 0;
  z = tin::elevationInTriangle(Tin().mesh(), t, toTin2(point));
  return 1;
}

int CKVLXsurface_Vantor2::Elevations(const AcGePoint3dArray& points, AcGeDoubleArray& z,
                                     AcArray<int>& found) const {
  // The points' plan read where the array keeps them, the heights written straight into z.
  static_assert(std::is_standard_layout_v<AcGePoint3d> && offsetof(AcGePoint3d, y) == offsetof(AcGePoint3d, x) + sizeof(double),
                "a point's x and y lie side by side");
  const std::vector<AcGePoint3d>& in = points.vector();
  const tin::PlanView plan(in.empty() ? nullptr : &in.front().x, sizeof(AcGePoint3d), in.size());
  std::vector<double>& heights = z.vector();
  Tin().elevations(plan, heights);
  tin::detail::reserveLarge(found.vector(), heights.size());
  found.setLogicalLength(points.length());
  int count = 0;
  for (std::size_t i = 0; i < heights.size(); ++i) {
    const int on = std::isnan(heights[i]) ? 0 : 1;
    found[static_cast<int>(i)] = on;
    if (!on) heights[i] = 0.0;
    count += on;
  }
  return count;
}

int CKVLXsurface_Vantor2::DrapePieces(const AcGePoint3dArray& points, const AcGeDoubleArray& bulges,
                                      std::vector<AcGePoint3dArray>& pieces, double offSurface) const {
  std::vector<tin::Point3> in;
  in.reserve(static_cast<std::size_t>(points.length()));
  for (const auto& p : points) in.push_back(toTin(p));
  tin::DrapeOptions options;
  options.offSurfaceZ = offSurface;
  const tin::DrapeResult r = Tin().drape(in, bulges.vector(), options);
  pieces.clear();
  if (!r.ok) return 0;
  for (const auto& piece : r.pieces) {
    AcGePoint3dArray out;
    for (const auto& p : piece) out.append(toGe(p));
    pieces.push_back(std::move(out));
  }
  return 1;
}

int CKVLXsurface_Vantor2::Drape(const AcGePoint3dArray& points, const AcGeDoubleArray& bulges, AcGePoint3dArray& out,
                                double offSurface) const {
  std::vector<AcGePoint3dArray> pieces;
  out.removeAll();
  if (DrapePieces(points, bulges, pieces, offSurface) != 1) return 0;
  for (const auto& piece : pieces) out.append(piece);
  return 1;
}

int CKVLXsurface_Vantor2::GetBoundaryCount() const { return static_cast<int>(Tin().boundaryRings().size()); }

int CKVLXsurface_Vantor2::Boundary(int index, CKVLPoint3dArray& ring) const {
  ring.removeAll();
  const auto& rings = Tin().boundaryRings();
  if (index < 0 || static_cast<std::size_t>(index) >= rings.size()) return 0;
  for (const auto& p : rings[index]) ring.append(toGe(p));
  if (ring.length() > 0) ring.append(ring.first());
  return ring.length();
}

AcDbExtents CKVLXsurface_Vantor2::Boundary() const {
  AcDbExtents extents;
  const tin::Extents e = Tin().extents();
  if (!e.empty) extents.set(toGe(e.min), toGe(e.max));
  return extents;
}

CKVLPointerArray<CKVLTriangle>* CKVLXsurface_Vantor2::GetAllTriangles() { return m_triangulation->Triangles(); }
CKVLPointerArray<CKVLEdge>* CKVLXsurface_Vantor2::GetAllEdges() { return m_triangulation->Edges(); }

int CKVLXsurface_Vantor2::GetContainedTriangles(const AcGePoint3dArray& polygon,
                                                CKVLPointerArray<CKVLTriangle>& out) const {
  out.Clear();
  out.m_bOwner = 1;
  const auto& all = Tin().triangles();
  for (std::int32_t i : Tin().trianglesInPolygon(uv::engine::planOf(polygon))) {
    const auto& t = all[static_cast<std::size_t>(i)];
    out.append(new CKVLTriangle(i, t.v[0], t.v[1], t.v[2]));
  }
  return out.length();
}

int CKVLXsurface_Vantor2::GetContainedEdges(const AcGePoint3dArray& polygon, CKVLPointerArray<CKVLEdge>& out) const {
  out.Clear();
  out.m_bOwner = 1;
  const auto& all = Tin().edges();
  for (std::int32_t i : Tin().edgesInPolygon(uv::engine::planOf(polygon))) {
    const auto& e = all[static_cast<std::size_t>(i)];
    out.append(new CKVLEdge(i, e.a, e.b));
  }
  return out.length();
}

int CKVLXsurface_Vantor2::GetPointAtIndex(long index, AcGePoint3d& point) const {
  if (index < 0 || index > INT32_MAX) return 0;
  tin::Point3 p;
  if (!Tin().pointAtIndex(static_cast<std::int32_t>(index), p)) return 0;
  point = toGe(p);
  return 1;
}

CKVLTriangle* CKVLXsurface_Vantor2::TriangleAt(const AcGePoint3d& point) {
  const std::int32_t t = m_triangulation->TriangleAt(toTin2(point));
  if (t < 0) return nullptr;
  return (*GetAllTriangles())[t];
}

std::vector<uv::engine::LayerData> CKVLXsurface_Vantor2::LayerRecords() const {
  if (m_pDesc) return m_pDesc->GetLayerManager()->Records();
  if (!m_layers.empty()) return m_layers;
  CKVLLayerManager defaults;
  defaults.SetDefaults(Name());
  return defaults.Records();
}

uv::engine::SurfaceFileContent CKVLXsurface_Vantor2::FileContent() const {
  uv::engine::SurfaceFileContent c;
  c.header.name = Name().str();
  c.header.description = Description().str();
  c.header.triangleCount = static_cast<std::uint32_t>(TriangleCount());
  c.header.extents = Tin().extents();
  c.definition = Tin().definition();
  c.triangulation = Tin().saved();
  c.triangulation->neighbours = Tin().savedNeighbours();
  c.layers = LayerRecords();
  return c;
}

std::vector<unsigned char> CKVLXsurface_Vantor2::FileBytes() const {
  uv::engine::ByteBuffer buffer;
  WriteFile(buffer);
  return buffer.take();
}

void CKVLXsurface_Vantor2::WriteFile(uv::engine::ByteSink& sink) const {
  uv::engine::SurfaceFileHeader header;
  header.name = Name().str();
  header.description = Description().str();
  header.triangleCount = static_cast<std::uint32_t>(TriangleCount());
  header.extents = Tin().extents();
  const tin::SavedTriangulation saved = Tin().savedWithoutTriangles();
  const std::vector<uv::engine::LayerData> layers = LayerRecords();
  uv::engine::writeSurfaceFile(uv::engine::SurfaceFileParts{header, Tin().definition(), layers, &saved,
                                                            &Tin().savedNeighbours(), &Tin().savedTriangles()},
                               sink);
}

bool CKVLXsurface_Vantor2::LoadContent(uv::engine::SurfaceFileContent& content) {
  tin::Surface rebuilt;
  try {
    // The saved triangles when the file has them whole; otherwise (an older file, or damaged
    // triangles) the surface is made again from its definition, which its checksum vouches for.
    std::optional<tin::Surface> saved;
    std::string why;
    if (content.triangulation) {
      // Takes the definition's points over when it succeeds; leaves them for the rebuild if not.
      saved = tin::Surface::fromSaved(std::move(content.definition), std::move(*content.triangulation), why);
      content.triangulation.reset();
    }
    rebuilt = saved ? std::move(*saved) : tin::Surface::fromDefinition(content.definition);
  } catch (const std::exception& e) {
    m_error = std::string("the surface cannot be rebuilt: ") + e.what();
    return false;
  }
  m_triangulation->Replace(std::move(rebuilt));
  m_strName = CString(content.header.name);
  m_strDescription = CString(content.header.description);
  if (m_pDesc) m_pDesc->GetLayerManager()->SetRecords(content.layers);
  else m_layers = content.layers;
  Changed();
  return true;
}

bool CKVLXsurface_Vantor2::WriteFileAt(const std::wstring& path, std::string& error) const {
  // A refused write leaves the stream bad, and the writer tells the system's reason for it.
  const auto write = [this](std::ostream& out, std::string& why) {
    try {
      uv::engine::StreamSink sink(*out.rdbuf());
      WriteFile(sink);
      if (!sink.ok()) out.setstate(std::ios::badbit);
      return true;
    } catch (const std::exception& e) {
      // No memory for what the file is made from (its links, packed): the half-written file goes.
      why = std::string("cannot make the content: ") + e.what();
      return false;
    }
  };
  return uv::replaceFileStreamed(path, write, error);
}

int CKVLXsurface_Vantor2::ExportToBin(std::streambuf& out) {
  // Written from the surface's own arrays (FileContent() would copy each first), piece by piece.
  uv::engine::StreamSink sink(out);
  WriteFile(sink);
  if (!sink.ok()) {
    m_error = "the stream refused the surface's bytes";
    return 0;
  }
  return 1;
}

int CKVLXsurface_Vantor2::ImportFromBin(std::streambuf& in, unsigned long what) {
  uv::engine::SurfaceFileContent content;
  const auto depth = what >= kReadAll ? uv::engine::KvbDepth::Whole : uv::engine::KvbDepth::Header;
  if (!uv::engine::readSurfaceFile(in, depth, content, m_error)) return 0;
  if (depth == uv::engine::KvbDepth::Header) {
    m_strName = CString(content.header.name);
    m_strDescription = CString(content.header.description);
    return 1;
  }
  return LoadContent(content) ? 1 : 0;
}
