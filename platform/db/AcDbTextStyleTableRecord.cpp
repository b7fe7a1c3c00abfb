#include "AcDbTextStyleTableRecord.h"

UV_DEFINE_RX_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, L"STYLE")

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (size < 0) return Acad::eInvalidInput;
  m_textSize = size;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double scale) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!(scale > 0)) return Acad::eInvalidInput;
  m_xScale = scale;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double angle) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_oblique = angle;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& name) const {
  name = m_fileName.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* name) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_fileName = name ? name : L"";
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const ACHAR*& name) const {
  name = m_bigFontFileName.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* name) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_bigFontFileName = name ? name : L"";
  return Acad::eOk;
}
