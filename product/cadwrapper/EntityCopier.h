// Copies an entity of one drawing as a new entity for another: its kind,
// geometry and properties, with its vertices or attributes. What the entity
// refers to in its own drawing (layer, linetype, text style, block) is
// translated through References, which the caller backs with the records
// of the target drawing.
#pragma once

#include <memory>

#include "db/AcDbEntity.h"

class AcDb2dPolyline;
class AcDb3dPolyline;
class AcDbBlockReference;
class AcDbText;

namespace uv::cadwrapper {

class EntityCopier {
 public:
  class References {
   public:
    virtual ~References() = default;
    // The target's record for a record of the source; null when there is
    // none (a null layer or linetype then takes the target's current one).
    virtual AcDbObjectId layer(AcDbObjectId source) = 0;
    virtual AcDbObjectId linetype(AcDbObjectId source) = 0;
    virtual AcDbObjectId textStyle(AcDbObjectId source) = 0;
    virtual AcDbObjectId block(AcDbObjectId source) = 0;
  };

  explicit EntityCopier(References& references) : m_refs(references) {}

  // A new entity, not in any database; null for a kind the drawing does not
  // model, or a block reference whose block could not be translated.
  // Kinds: line, arc, circle, point, text, attribute definition, lightweight,
  // 2D and 3D polylines, 3D face, block reference with attributes.
  std::unique_ptr<AcDbEntity> copy(const AcDbEntity& source);

 private:
  void copyProperties(const AcDbEntity& from, AcDbEntity& to);
  std::unique_ptr<AcDbEntity> copyPolyline2d(const AcDb2dPolyline& from);
  std::unique_ptr<AcDbEntity> copyPolyline3d(const AcDb3dPolyline& from);
  std::unique_ptr<AcDbEntity> copyBlockReference(const AcDbBlockReference& from);
  void copyText(const AcDbText& from, AcDbText& to);

  References& m_refs;
};

}  // namespace uv::cadwrapper
