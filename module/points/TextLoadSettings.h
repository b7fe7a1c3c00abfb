// The values behind the text page's controls, with the defaults a new page
// shows. The page takes them from its controls before every load and keeps
// them nowhere else.
#pragma once

#include "base/CString.h"

struct TextLoadSettings {
  enum SplitMode { kDelimiter = 0, kFixedWidth = 1 };

  CString strFilePath;
  int bUseCommentMarker = 1;  // shown only: the marker is in force either way
  CString strCommentMarker = L"#";
  int nSplitMode = kDelimiter;
  CString strDelimiter = L" ";
  int nFixedWidth = 10;
  // Column numbers count from 1; 0 (an empty edit) is not a column.
  int nColumnX = 1;
  int nColumnY = 2;
  int nColumnZ = 3;

  // The first character of the marker setting, a space when it is empty.
  wchar_t commentMarker() const { return strCommentMarker.IsEmpty() ? L' ' : strCommentMarker[0]; }
  // The first character of the delimiter setting, a space when it is empty.
  wchar_t delimiter() const { return strDelimiter.IsEmpty() ? L' ' : strDelimiter[0]; }
};
