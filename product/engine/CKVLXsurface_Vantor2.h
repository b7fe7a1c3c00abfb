// SPDX-License-Identifier: GPL-3.0-or-later
// A terrain surface: survey points, break lines and diagonal swaps, triangulated (a constrained
// Delaunay triangulation in plan, see tin/Surface.h for the rules of elevations, duplicates and
// break lines), with the queries the drawing routines need and the surface file.
//
// Results: 1 is success for the integer operations. Element arrays and elements handed out
// stay valid until the next change of the surface.
//
// A surface belongs to a CKVLSurfaceManager (which knows its drawing and its description
// record) or stands alone (CKVLXsurface_Vantor2(nullptr), for reading a file's header or for
// tools); a standalone surface keeps its own name, description and layer records.
#pragma once

#include <cstdint>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

#include "base/CString.h"
#include "db/AcDbExtents.h"
#include "ge/AcGePointArrays.h"
#include "product/engine/CKVLEdge.h"
#include "product/engine/CKVLPoint3dArray.h"
#include "product/engine/CKVLPointerArray.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLTriangle.h"
#include "product/engine/CTriangulation.h"
#include "product/engine/CUniquePointSet.h"
#include "product/engine/KvbFormat.h"

class AcDbDatabase;

class CKVLXsurface_Vantor2 {
 public:
  // What ImportFromBin reads: below kReadAll only the file's header (name, description and
  // counts, for a list of files; the surface's geometry is not touched); kReadAll and above
  // the whole surface.
  static constexpr unsigned long kReadHeader = 3;
  static constexpr unsigned long kReadAll = 10;

  // Takes the triangulation over; null starts an empty surface.
  explicit CKVLXsurface_Vantor2(CTriangulation* triangulation);
  ~CKVLXsurface_Vantor2();
  CKVLXsurface_Vantor2(const CKVLXsurface_Vantor2&) = delete;
  CKVLXsurface_Vantor2& operator=(const CKVLXsurface_Vantor2&) = delete;

  // The description record's name and description for a surface of a manager; otherwise the
  // surface's own (as last read from a file or set).
  CString Name() const;
  CString Description() const;
  void SetName(const CString& name) { m_strName = name; }
  void SetDescription(const CString& description) { m_strDescription = description; }

  // Points: SetPoints replaces all survey points (break lines and swaps stay), AddPoints adds
  // (an existing position takes the new elevation). 1 when every point was taken, 0 when some
  // had coordinates that are not numbers (the others are taken).
  int SetPoints(CUniquePointSet& points);
  int AddPoints(CUniquePointSet& points);
  // The segment becomes constrained edges; it splits and is split by the break lines it
  // crosses. 1 when added or already there; 0 for a segment of no length in plan or with a
  // coordinate that is not a number.
  int SetBreakLine(const AcGePoint3d& p1, const AcGePoint3d& p2);
  // Replaces the common side of two adjacent triangles by the other diagonal of their
  // quadrilateral; the swap is kept with the surface and made again after later changes where
  // still possible. 0 (and nothing changed) for unknown, equal or non-adjacent triangles, a
  // side on a break line, or a quadrilateral that is not strictly convex.
  int SwapTringles(CKVLTriangle* t1, CKVLTriangle* t2);

  // 1 with the elevation in z when (x, y) lies on the surface, 0 otherwise.
  int Elevation(const AcGePoint3d& point, double& z) const;
  // The same for many points (much faster than one call each for scattered points): z[i] and
  // found[i] (1 on the surface, 0 off it, z then 0) for points[i]. Returns the number found.
  int Elevations(const AcGePoint3dArray& points, AcGeDoubleArray& z, AcArray<int>& found) const;
  // Drapes the polyline (bulge i belongs to the stretch from point i to i + 1) over the surface:
  // every vertex gets the surface elevation and every crossing of a triangle side becomes a
  // vertex; arcs are followed by chords within 5 mm. offSurface is the elevation for stretches
  // off the surface; -1000000.0 or lower means "none": such stretches are left out. When that
  // splits the line, the pieces follow each other in `out`, so the joining straight stretch
  // crosses the gap (DrapePieces keeps them apart). 1 when any piece lies on the surface.
  int Drape(const AcGePoint3dArray& points, const AcGeDoubleArray& bulges, AcGePoint3dArray& out,
            double offSurface) const;
  int DrapePieces(const AcGePoint3dArray& points, const AcGeDoubleArray& bulges, std::vector<AcGePoint3dArray>& pieces,
                  double offSurface) const;

  // Rings where the surface ends: ring 0 the outer one of largest area, counter-clockwise;
  // holes clockwise. Boundary(i, ring) fills the ring closed (its first point repeated at the
  // end) and returns its number of points, 0 for no such ring.
  int GetBoundaryCount() const;
  int Boundary(int index, CKVLPoint3dArray& ring) const;
  // The 3D extents of all points; empty for an empty surface.
  AcDbExtents Boundary() const;

  // The surface's own arrays (not to be released by the caller).
  CKVLPointerArray<CKVLTriangle>* GetAllTriangles();
  CKVLPointerArray<CKVLEdge>* GetAllEdges();
  // Fill the array with new elements that it owns (m_bOwner 1): the triangles whose centroid
  // and the edges whose midpoint lie inside the polygon (closed or not). Return the count.
  int GetContainedTriangles(const AcGePoint3dArray& polygon, CKVLPointerArray<CKVLTriangle>& out) const;
  int GetContainedEdges(const AcGePoint3dArray& polygon, CKVLPointerArray<CKVLEdge>& out) const;
  int GetPointAtIndex(long index, AcGePoint3d& point) const;
  // The triangle of GetAllTriangles() under (x, y); null off the surface.
  CKVLTriangle* TriangleAt(const AcGePoint3d& point);

  // The surface file (see KvbFormat.h). 1 on success; on failure nothing is changed and
  // LastError() says why.
  int ExportToBin(std::streambuf& out);
  int ImportFromBin(std::streambuf& in, unsigned long what);

  int PointCount() const;
  int TriangleCount() const;
  const std::string& LastError() const { return m_error; }
  // Raised by every change, for the manager's save.
  std::uint64_t Revision() const { return m_revision; }
  const CTriangulation& Triangulation() const { return *m_triangulation; }

  // The file content of this surface, and taking one over (whole depth; its triangles are
  // moved out of it).
  uv::engine::SurfaceFileContent FileContent() const;
  // The surface file's bytes, the same as encodeSurfaceFile(FileContent()) without copying
  // the points first; WriteFile hands them to the sink as they are made.
  std::vector<unsigned char> FileBytes() const;
  void WriteFile(uv::engine::ByteSink& sink) const;
  // The surface file at path, written in its place only once whole (a full disk or a refused
  // folder leaves the old file), streamed as it is made: never held whole in memory. False,
  // with the reason in error, when it is not written.
  bool WriteFileAt(const std::wstring& path, std::string& error) const;
  bool LoadContent(uv::engine::SurfaceFileContent& content);
  std::vector<uv::engine::LayerData> LayerRecords() const;

  // For the manager: the description record this surface shows, its manager, and the
  // drawing both belong to.
  void Attach(CKVLSurfaceManager* manager, CKVLSurfaceManager::CSurfaceDesc* desc);
  CKVLSurfaceManager* Manager() const { return m_pManager; }
  AcDbDatabase* Database() const;

 private:
  void Changed();
  const tin::Surface& Tin() const { return m_triangulation->Surface(); }

  std::unique_ptr<CTriangulation> m_triangulation;
  CString m_strName;
  CString m_strDescription;
  std::vector<uv::engine::LayerData> m_layers;  // standalone surfaces only
  CKVLSurfaceManager* m_pManager = nullptr;
  CKVLSurfaceManager::CSurfaceDesc* m_pDesc = nullptr;
  std::uint64_t m_revision = 0;
  std::string m_error;
};
