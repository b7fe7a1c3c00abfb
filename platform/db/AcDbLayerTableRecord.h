// A layer: colour, linetype, line weight and the off/frozen/locked states.
#pragma once

#include "AcCmColor.h"
#include "AcDbSymbolTableRecord.h"

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
  UV_DECLARE_CLONE(AcDbLayerTableRecord);
  AcDbLayerTableRecord();

  bool isOff() const { return m_off; }
  void setIsOff(bool off);
  bool isFrozen() const { return m_frozen; }
  Acad::ErrorStatus setIsFrozen(bool frozen);
  bool isLocked() const { return m_locked; }
  void setIsLocked(bool locked);
  bool isPlottable() const { return m_plottable; }
  Acad::ErrorStatus setIsPlottable(bool plottable);

  // An ACI colour 1-255 (ByLayer and ByBlock have no meaning for a layer).
  AcCmColor color() const { return m_color; }
  void setColor(const AcCmColor& color);
  AcDbObjectId linetypeObjectId() const { return m_linetype; }
  // The linetype of the layer's database (or of the working database before
  // the layer is added); null means Continuous.
  Acad::ErrorStatus setLinetypeObjectId(AcDbObjectId id);
  AcDb::LineWeight lineWeight() const { return m_lineWeight; }
  Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);

  void getReferences(std::vector<uv::ObjectReference>& refs) const override;

 protected:
  void subAdded() override;

 private:
  bool m_off = false, m_frozen = false, m_locked = false, m_plottable = true;
  AcCmColor m_color;
  AcDbObjectId m_linetype;
  AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLwDefault;
};
