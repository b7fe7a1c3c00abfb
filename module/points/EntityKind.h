// The kinds of drawing entity that point loading and the entity type list
// know, found in one fixed order: an entity is of the first kind whose
// class it belongs to (an attribute definition is a text).
#pragma once

class AcDbEntity;

namespace uv {

enum class EntityKind {
  kNone,
  kLine,
  kArc,
  kLwPolyline,
  k2dPolyline,
  k3dPolyline,
  kCircle,
  kBlockReference,
  kPoint,
  kText,
  kFace,
};

// kNone for a null entity or one of no kind above.
EntityKind EntityKindOf(const AcDbEntity* entity);

// The type name of the selection filter: "LINE", "ARC", "LWPOLYLINE",
// "POLYLINE" (2D and 3D), "CIRCLE", "INSERT", "POINT", "TEXT", "3DFACE";
// "" for kNone.
const wchar_t* FilterTypeName(EntityKind kind);

}  // namespace uv
