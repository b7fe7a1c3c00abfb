// A reference to a block definition placed at a position, scaled and turned
// about the normal, with the attributes it owns (followed by a SEQEND once
// it has any).
#pragma once

#include "AcDbAttribute.h"
#include "AcDbEntity.h"
#include "AcGeScale3d.h"
#include "SequenceList.h"

class AcDbBlockReference : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockReference);
  UV_DECLARE_CLONE(AcDbBlockReference);
  AcDbBlockReference() = default;
  AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
      : m_position(position), m_block(blockTableRecord) {}

  AcDbObjectId blockTableRecord() const { return m_block; }
  // eNotThatKindOfClass for an id that is not a block definition.
  Acad::ErrorStatus setBlockTableRecord(AcDbObjectId block);
  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& p);
  AcGeScale3d scaleFactors() const { return m_scale; }
  // eInvalidInput for a zero factor.
  Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
  double rotation() const { return m_rotation; }
  Acad::ErrorStatus setRotation(double r);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);
  // Where a point of the block definition lands in the drawing.
  AcGePoint3d blockToWorld(const AcGePoint3d& p) const;

  // The reference open for write; the attribute joins it as
  // AcDb2dPolyline::appendVertex describes.
  Acad::ErrorStatus appendAttribute(AcDbAttribute* attribute);
  Acad::ErrorStatus appendAttribute(AcDbObjectId& id, AcDbAttribute* attribute);
  AcDbObjectIterator* attributeIterator() const { return m_attributes.newIterator(); }
  Acad::ErrorStatus openAttribute(AcDbAttribute*& attribute, AcDbObjectId id, AcDb::OpenMode mode,
                                  bool openErased = false) const {
    return m_attributes.open(attribute, id, mode, openErased);
  }
  Acad::ErrorStatus openSequenceEnd(AcDbSequenceEnd*& end, AcDb::OpenMode mode) const {
    return acdbOpenObject(end, m_attributes.sequenceEndId(), mode);
  }

  // The block's entities placed by the reference, with the attributes.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  void getOwnedIds(std::vector<AcDbObjectId>& ids) const override { m_attributes.appendOwnedIds(ids); }
  void getReferences(std::vector<uv::ObjectReference>& refs) const override;

 protected:
  Acad::ErrorStatus subPrepareAdd(AcDbDatabase* db) override;
  void subAdded() override;
  void getSubentities(std::vector<AcDbEntity*>& subents) const override;

 private:
  AcGePoint3d m_position;
  AcDbObjectId m_block;
  AcGeScale3d m_scale;
  double m_rotation = 0;
  AcGeVector3d m_normal{0, 0, 1};
  uv::SequenceList m_attributes{false};
};
