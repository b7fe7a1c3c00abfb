#include "AcDbText.h"

#include <cmath>

#include "AcDbDatabase.h"
#include "AcDbTextStyleTableRecord.h"
#include "DbAccess.h"
#include "resbuf.h"

UV_DEFINE_RX_MEMBERS(AcDbText, AcDbEntity, L"TEXT")

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style, double height, double rotation)
    : m_position(position), m_text(text ? text : L""), m_height(height > 0 ? height : 1), m_rotation(rotation),
      m_style(style) {}

Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& v) { return setWritable(m_position, v); }
Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& v) { return setWritable(m_alignment, v); }
Acad::ErrorStatus AcDbText::setRotation(double v) { return setWritable(m_rotation, v); }
Acad::ErrorStatus AcDbText::setOblique(double v) { return setWritable(m_oblique, v); }
Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode v) { return setWritable(m_hmode, v); }
Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode v) { return setWritable(m_vmode, v); }
Acad::ErrorStatus AcDbText::setThickness(double v) { return setWritable(m_thickness, v); }

ACHAR* AcDbText::textString() const { return uv::newResString(m_text.c_str()); }

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) { return setWritable(m_text, text ? text : L""); }

Acad::ErrorStatus AcDbText::setHeight(double h) {
  return setChecked(m_height, h, h > 0);
}

Acad::ErrorStatus AcDbText::setWidthFactor(double f) {
  return setChecked(m_widthFactor, f, f > 0);
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!uv::DbAccess::peekAs<AcDbTextStyleTableRecord>(style)) return Acad::eInvalidInput;
  if (database() && style.database() != database()) return Acad::eWrongDatabase;
  m_style = style;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const {
  const double w = 0.6 * m_height * m_widthFactor * double(m_text.empty() ? 1 : m_text.size());
  const double c = std::cos(m_rotation), s = std::sin(m_rotation);
  extents = AcDbExtents();
  for (const auto& [x, y] : {std::pair{0.0, 0.0}, {w, 0.0}, {w, m_height}, {0.0, m_height}})
    extents.addPoint(m_position + AcGeVector3d(x * c - y * s, x * s + y * c, 0));
  return Acad::eOk;
}

void AcDbText::getReferences(std::vector<uv::ObjectReference>& refs) const {
  AcDbEntity::getReferences(refs);
  refs.push_back({m_style, "text style", AcDbTextStyleTableRecord::desc()});
}

Acad::ErrorStatus AcDbText::subPrepareAdd(AcDbDatabase* db) {
  if (!m_style.isNull() && m_style.database() != db) return Acad::eWrongDatabase;
  return AcDbEntity::subPrepareAdd(db);
}

void AcDbText::subAdded() {
  AcDbEntity::subAdded();
  if (m_style.isNull()) m_style = database()->textstyle();
}
