// The text with every refused character removed, as a paste into an
// alphanumeric field leaves it.
#pragma once

#include <string>

namespace uv {

std::wstring withoutRefused(const std::wstring& text, const std::wstring& refused);

}  // namespace uv
