// Window texts as widgets show them.
#pragma once

#include <QString>

#include "base/CString.h"

namespace uv::qt {

// Windows shows "&x" as an underlined x and "&&" as "&"; widgets show the
// text without the marks.
QString withoutMnemonic(const CString& text);

}  // namespace uv::qt
