// A linetype: description and dash pattern (positive dashes drawn, negative
// gaps, 0 dots), kept so that real linetypes survive a load and save.
#pragma once

#include <string>
#include <vector>

#include "AcDbSymbolTableRecord.h"

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
  UV_DECLARE_CLONE(AcDbLinetypeTableRecord);

  // A malloc'ed copy of the description.
  Acad::ErrorStatus comments(ACHAR*& text) const;
  const ACHAR* commentsConst() const { return m_comments.c_str(); }
  Acad::ErrorStatus setComments(const ACHAR* text);

  double patternLength() const { return m_patternLength; }
  void setPatternLength(double length);
  int numDashes() const { return int(m_dashes.size()); }
  void setNumDashes(int count);
  double dashLengthAt(int index) const;
  void setDashLengthAt(int index, double length);

 private:
  std::wstring m_comments;
  double m_patternLength = 0;
  std::vector<double> m_dashes;
};
