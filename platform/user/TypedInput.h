// What a person types at the command line, read as the answer to the
// question the program asks: points "x,y[,z]" (or "@dx,dy[,dz]" from the
// question's base point), numbers, keywords (a keyword or the start of
// exactly one, letter case ignored) and the words of a selection. Nothing
// when the text does not answer the question; the caller then says so and
// asks again.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Answers.h"
#include "ge/AcGePoint3d.h"

namespace uv::typed {

std::optional<AcGePoint3d> point(std::wstring_view text, const std::optional<AcGePoint3d>& base = std::nullopt);
std::optional<double> number(std::wstring_view text, bool integer);
std::optional<std::wstring> keyword(std::wstring_view text, const std::vector<std::wstring>& keywords);
// "all", "last", "previous" (or their first letters but "a" of all, as
// typed at a CAD selection prompt: "all", "l", "p").
std::optional<SelectionAnswer::Mode> selectionWord(std::wstring_view text);

}  // namespace uv::typed
