// A text style: font file, fixed height (0: none), width factor, slant.
#pragma once

#include <string>

#include "AcDbSymbolTableRecord.h"

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
  UV_DECLARE_CLONE(AcDbTextStyleTableRecord);

  double textSize() const { return m_textSize; }
  Acad::ErrorStatus setTextSize(double size);
  double xScale() const { return m_xScale; }
  Acad::ErrorStatus setXScale(double scale);
  double obliquingAngle() const { return m_oblique; }
  Acad::ErrorStatus setObliquingAngle(double angle);
  Acad::ErrorStatus fileName(const ACHAR*& name) const;
  Acad::ErrorStatus setFileName(const ACHAR* name);
  Acad::ErrorStatus bigFontFileName(const ACHAR*& name) const;
  Acad::ErrorStatus setBigFontFileName(const ACHAR* name);

 private:
  double m_textSize = 0, m_xScale = 1, m_oblique = 0;
  std::wstring m_fileName = L"txt", m_bigFontFileName;
};
