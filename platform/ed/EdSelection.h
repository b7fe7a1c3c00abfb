// Selection sets.
//
//   acedSSGet(nullptr, ...)          asks the user (select all / window / ...)
//   acedSSGet(L"X", 0, 0, filter)    every model-space entity the filter takes
//   acedSSGet(L"_W", p1, p2, ...)    window; "C" crossing; "L" last; "P" previous
//
// A leading "_" and ":" options are accepted and ignored. The filter applies
// to every mode. RTNORM with a new set; RTCAN when the user cancels; RTERROR
// when nothing was selected, the mode is unknown or the filter is malformed
// (the reason goes to the command line).
#pragma once

#include "base/WinTypes.h"
#include "db/adsdef.h"

struct resbuf;

int acedSSGet(const wchar_t* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss);
int acedSSLength(const ads_name ss, Adesk::Int32* length);
int acedSSLength(const ads_name ss, long* length);
int acedSSName(const ads_name ss, Adesk::Int32 index, ads_name entity);
int acedSSFree(const ads_name ss);

namespace uv {

// Frees the set it holds when it goes out of scope.
class SelectionSetScope {
 public:
  SelectionSetScope() { m_name[0] = m_name[1] = 0; }
  ~SelectionSetScope() { reset(); }
  SelectionSetScope(const SelectionSetScope&) = delete;
  SelectionSetScope& operator=(const SelectionSetScope&) = delete;

  // Where acedSSGet writes the set's name.
  std::int64_t* name() { return m_name; }
  void reset();

 private:
  ads_name m_name;
};

}  // namespace uv
