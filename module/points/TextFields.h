// Cutting a line of text into fields, over views, for CTextFile and its
// free functions. The same rules cut wide text and the UTF-8 that a section
// keeps: UTF-8 never holds a character's bytes inside another's, so cutting
// UTF-8 at a delimiter's bytes gives the fields that cutting the wide text
// gives, and column positions, which count characters, are turned into
// byte offsets first.
//
// The CStringArray forms keep the array's strings from call to call: a
// field overwrites the string already at its place, so a caller that keeps
// one array for many lines pays no allocation per field.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/CStringArray.h"

namespace uv::text {

// Calls add(field) for every field of `text` cut at each occurrence of
// `delimiter` and returns their number. Empty pieces are dropped; a text
// without the delimiter, or an empty delimiter, gives no fields at all.
template <class Char, class Add>
int cutAtDelimiter(std::basic_string_view<Char> text, std::basic_string_view<Char> delimiter, Add&& add) {
  using View = std::basic_string_view<Char>;
  size_t found = delimiter.empty() ? View::npos : text.find(delimiter);
  if (found == View::npos) return 0;
  int count = 0;
  size_t start = 0;
  while (true) {
    const size_t stop = found == View::npos ? text.size() : found;
    if (stop > start) {
      add(text.substr(start, stop - start));
      ++count;
    }
    if (found == View::npos) return count;
    start = found + delimiter.size();
    found = text.find(delimiter, start);
  }
}

// Calls add(field) for the field behind each end position and one more
// whose end is `length`; returns their number. Positions and `length` are
// counted in the units that offset(position) turns into an offset in
// `text` (characters, for UTF-8 text). Fields starting at or behind the end
// of the text are empty but kept.
template <class Char, class Offset, class Add>
int cutAtBoundaries(std::basic_string_view<Char> text, size_t length, const std::vector<int>& endPositions,
                    Offset&& offset, Add&& add) {
  size_t start = 0;
  for (size_t j = 0; j <= endPositions.size(); ++j) {
    const size_t end = j < endPositions.size() ? size_t(std::max(endPositions[j], 0)) : length;
    if (start >= length || end <= start) {
      add(text.substr(0, 0));
    } else {
      const size_t first = offset(start);
      add(text.substr(first, offset(std::min(end, length)) - first));
    }
    start = end;
  }
  return int(endPositions.size() + 1);
}

// The fields of a line of valid UTF-8, as views of it. `delimiter` is the
// UTF-8 of the delimiter character; `endPositions` count characters.
int cutUtf8AtDelimiter(std::string_view line, std::string_view delimiter, std::vector<std::string_view>& fields);
int cutUtf8AtBoundaries(std::string_view line, const std::vector<int>& endPositions,
                        std::vector<std::string_view>& fields);

// The wide text of `fields`, written over the strings of `out`.
void storeWide(const std::vector<std::string_view>& fields, CStringArray& out);

int splitByDelimiter(std::wstring_view text, std::wstring_view delimiter, CStringArray& fields);
int splitByBoundaries(std::wstring_view text, const std::vector<int>& endPositions, CStringArray& fields);

}  // namespace uv::text
