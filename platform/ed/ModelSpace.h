// The editor's questions to the drawing: the entities of model space in
// drawing order, what a filter can test of each, and which of them a pick
// or a window reaches.
#pragma once

#include <string>
#include <vector>

#include "db/AcDbObjectId.h"
#include "ge/AcGePoint3d.h"
#include "EntityFacts.h"

class AcDbEntity;

namespace uv {

class ModelSpace {
 public:
  // Live entities, in drawing order; empty for a null database.
  static std::vector<AcDbObjectId> entities(AcDbDatabase* db);
  static EntityFacts facts(const AcDbEntity& entity);
  // A live model-space entity by its hexadecimal handle; null when none.
  static AcDbObjectId byHandle(AcDbDatabase* db, const std::wstring& handle);
  // The entity nearest to p in plan within tolerance (the later one on a
  // tie, as it is drawn on top); null when none lies that close.
  static AcDbObjectId pick(AcDbDatabase* db, const AcGePoint3d& p, double tolerance);
  // Window (wholly inside) or crossing (partly inside) selection; the
  // corners may be given in any order.
  static std::vector<AcDbObjectId> window(AcDbDatabase* db, const AcGePoint3d& a, const AcGePoint3d& b,
                                          bool crossing);
};

}  // namespace uv
