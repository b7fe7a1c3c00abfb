#include "AcDbLayerTableRecord.h"

#include "AcDbDatabase.h"
#include "AcDbEntity.h"
#include "AcDbLinetypeTableRecord.h"
#include "DbAccess.h"

UV_DEFINE_RX_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord, L"LAYER")

AcDbLayerTableRecord::AcDbLayerTableRecord() { m_color.setColorIndex(7); }

void AcDbLayerTableRecord::setIsOff(bool off) {
  assertWriteEnabled();
  m_off = off;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
  return setChecked(m_frozen, frozen, !(frozen && database() && database()->clayer() == objectId()));
}

void AcDbLayerTableRecord::setIsLocked(bool locked) {
  assertWriteEnabled();
  m_locked = locked;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plottable) { return setWritable(m_plottable, plottable); }

void AcDbLayerTableRecord::setColor(const AcCmColor& color) {
  assertWriteEnabled();
  if (color.isByACI()) m_color = color;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!id.isNull()) {
    if (!id.isValid() || id.isErased() || !AcDbLinetypeTableRecord::cast(uv::DbAccess::peek(id)))
      return Acad::eUndefinedLineType;
    if (database() && id.database() != database()) return Acad::eWrongDatabase;
  }
  m_linetype = id;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!AcDbEntity::isValidLineWeight(weight) || weight == AcDb::kLnWtByLayer || weight == AcDb::kLnWtByBlock)
    return Acad::eInvalidInput;
  m_lineWeight = weight;
  return Acad::eOk;
}

void AcDbLayerTableRecord::getReferences(std::vector<uv::ObjectReference>& refs) const {
  refs.push_back({m_linetype, "linetype", AcDbLinetypeTableRecord::desc()});
}

void AcDbLayerTableRecord::subAdded() {
  if (m_linetype.isNull() || m_linetype.database() != database()) m_linetype = database()->continuousLinetype();
}
