// The drawing's settings for wipeouts, kept in the named object dictionary
// under "ACAD_WIPEOUT_VARS" (DXF WIPEOUTVARIABLES): whether wipeouts show
// their frame.
#pragma once

#include "AcDbObject.h"

class AcDbDatabase;

class AcDbWipeoutVariables : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbWipeoutVariables);
  UV_DECLARE_CLONE(AcDbWipeoutVariables);

  bool showFrame() const { return m_frame; }
  Acad::ErrorStatus setShowFrame(bool on) { return setWritable(m_frame, on); }

  // The key in the named object dictionary.
  static const ACHAR* dictionaryKey() { return L"ACAD_WIPEOUT_VARS"; }
  // The drawing's settings, made (without a frame) when it has none;
  // null when the dictionary cannot be opened.
  static AcDbObjectId ensureIn(AcDbDatabase* db);

 private:
  bool m_frame = false;
};
