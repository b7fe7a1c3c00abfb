// The rules for surface names that the new-surface and the properties
// dialogs share, and the unique name given to a surface read from a file.
#pragma once

#include <set>

#include "base/CString.h"
#include "base/CStringArray.h"

// The characters refused in surface names and in surface layer names. The
// ampersand stands twice, as the product has always listed it; 29 distinct
// characters in 30.
extern const wchar_t InvalidNameSymbols[];

namespace uv::surfaces {

// Whether the text holds a character of InvalidNameSymbols.
bool HasInvalidNameSymbol(const CString& text);

// The names as an exact, case-sensitive set.
std::set<CString> NameSet(const CStringArray& names);

// `name` itself when it is not taken; otherwise "%s_%d" with name and the
// first of 1, 2, 3, ... that gives a free text. The number always goes to
// `name`, never to an earlier candidate.
CString UniqueName(const CString& name, const std::set<CString>& taken);

}  // namespace uv::surfaces
