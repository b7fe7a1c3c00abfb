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

#define UV_TEXT_SETTER(NAME, TYPE, MEMBER) \
  Acad::ErrorStatus AcDbText::NAME(TYPE v) {         \
    if (!writeOk()) return Acad::eNotOpenForWrite;   \
    MEMBER = v;                                      \
    return Acad::eOk;                                \
  }
UV_TEXT_SETTER(setPosition, const AcGePoint3d&, m_position)
UV_TEXT_SETTER(setAlignmentPoint, const AcGePoint3d&, m_alignment)
UV_TEXT_SETTER(setRotation, double, m_rotation)
UV_TEXT_SETTER(setOblique, double, m_oblique)
UV_TEXT_SETTER(setHorizontalMode, AcDb::TextHorzMode, m_hmode)
UV_TEXT_SETTER(setVerticalMode, AcDb::TextVertMode, m_vmode)
UV_TEXT_SETTER(setThickness, double, m_thickness)
#undef UV_TEXT_SETTER

ACHAR* AcDbText::textString() const { return uv::newResString(m_text.c_str()); }

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_text = text ? text : L"";
  return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setHeight(double h) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!(h > 0)) return Acad::eInvalidInput;
  m_height = h;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setWidthFactor(double f) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!(f > 0)) return Acad::eInvalidInput;
  m_widthFactor = f;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!uv::DbAccess::peekAs<AcDbTextStyleTableRecord>(style)) return Acad::eInvalidInput;
  if (database() && style.database() != database()) return Acad::eWrongDatabase;
  m_style = style;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& n) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (n.isZeroLength()) return Acad::eInvalidInput;
  m_normal = n.normal();
  return Acad::eOk;
}

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
