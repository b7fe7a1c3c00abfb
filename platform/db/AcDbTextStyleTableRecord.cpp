#include "AcDbTextStyleTableRecord.h"

UV_DEFINE_RX_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, L"STYLE")

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size) {
  return setChecked(m_textSize, size, size >= 0);
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double scale) {
  return setChecked(m_xScale, scale, scale > 0);
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double angle) { return setWritable(m_oblique, angle); }

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& name) const {
  name = m_fileName.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* name) { return setWritable(m_fileName, name ? name : L""); }

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const ACHAR*& name) const {
  name = m_bigFontFileName.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* name) { return setWritable(m_bigFontFileName, name ? name : L""); }
