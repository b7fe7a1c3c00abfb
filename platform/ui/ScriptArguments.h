// Reading the values of a dialog action the way controls need them: an
// item or row is named by its index (a bare 3, or #3) or by its text (a
// quoted "3", or any other word).
#pragma once

#include <functional>

#include "base/CString.h"
#include "user/DialogAction.h"

class CWnd;

namespace uv {

// The index value `i` names, looking texts up with `byText` (-1 when there
// is none). Throws DialogActionRefused naming the control and the value
// when the item is missing (`count` items exist).
int scriptItem(const DialogAction& action, size_t i, const std::function<int(const CString&)>& byText, int count,
               const CWnd& control, const wchar_t* noun);
// Every value from `first` on, each as scriptItem reads it.
std::vector<int> scriptItems(const DialogAction& action, size_t first,
                             const std::function<int(const CString&)>& byText, int count, const CWnd& control,
                             const wchar_t* noun);

}  // namespace uv
