#include "AcDbLinetypeTableRecord.h"

#include "resbuf.h"

UV_DEFINE_RX_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, L"LTYPE")

Acad::ErrorStatus AcDbLinetypeTableRecord::comments(ACHAR*& text) const {
  text = uv::newResString(m_comments.c_str());
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const ACHAR* text) { return setWritable(m_comments, text ? text : L""); }

void AcDbLinetypeTableRecord::setPatternLength(double length) {
  assertWriteEnabled();
  m_patternLength = length;
}

void AcDbLinetypeTableRecord::setNumDashes(int count) {
  assertWriteEnabled();
  m_dashes.resize(size_t(count < 0 ? 0 : count), 0.0);
}

double AcDbLinetypeTableRecord::dashLengthAt(int index) const {
  return index >= 0 && index < numDashes() ? m_dashes[size_t(index)] : 0.0;
}

void AcDbLinetypeTableRecord::setDashLengthAt(int index, double length) {
  assertWriteEnabled();
  if (index >= 0 && index < numDashes()) m_dashes[size_t(index)] = length;
}
