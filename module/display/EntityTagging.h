// Extended data that names the surface and the element a drawn triangle
// edge or face stands for, so that other commands can find the triangle
// again from the entity:
//
//   line   (1001 "KV2_SurfaceName") (1000 name) (1001 "KV2_EndgeId") (1070 index)
//   face   (1001 "KV2_SurfaceName") (1000 name) (1001 "KV2_TrinagleId") (1070 index)
//
// The application names are a file format: other programs read them as
// spelled here.
#pragma once

#include "base/CString.h"
#include "db/AcDbObjectId.h"

class AcDbEntity;
struct resbuf;

namespace uv::display {
constexpr const wchar_t* kSurfaceNameApp = L"KV2_SurfaceName";
constexpr const wchar_t* kEdgeIndexApp = L"KV2_EndgeId";
constexpr const wchar_t* kTriangleIndexApp = L"KV2_TrinagleId";

// The 1070 item holds 16 bits: an index keeps its low 16 bits, read as a
// signed number (40000 is written as -25536).
short IndexTagValue(long index);
}  // namespace uv::display

// Sets the entity's data of `appName` to the single item `value`, which the
// call takes over (a one-item chain). The entity is open for write. Data of
// other applications stays as it was; the application name is registered
// when the entity has no data of it yet. Failures leave the entity as it was
// and are not reported.
void TagEntity(AcDbEntity* entity, const wchar_t* appName, resbuf* value);

// Tags a triangle edge drawn as a line: the surface name and the edge index.
// An id that does not open for write as a line stays untagged.
void TagTriangleEdge(AcDbObjectId line, const CString& surfaceName, long index);
// The same for a triangle drawn as a 3D face, with the triangle index.
void TagTriangleFace(AcDbObjectId face, const CString& surfaceName, long index);
