#include "module/points/TextFields.h"

#include <algorithm>

#include "module/points/CTextFile.h"

namespace uv::text {

namespace {

// Writes fields over the array's strings, then trims the array to them.
class FieldWriter {
 public:
  explicit FieldWriter(CStringArray& fields) : m_fields(fields), m_size(fields.GetSize()) {}
  void add(std::wstring_view field) {
    if (m_count < m_size) m_fields.GetData()[m_count].str().assign(field);
    else m_fields.Add(CString(field));
    ++m_count;
  }
  int finish() {
    if (m_count < m_fields.GetSize()) m_fields.SetSize(m_count);
    return m_count;
  }

 private:
  CStringArray& m_fields;
  int m_size;
  int m_count = 0;
};

}  // namespace

int splitByDelimiter(std::wstring_view text, std::wstring_view delimiter, CStringArray& fields) {
  FieldWriter out(fields);
  size_t found = delimiter.empty() ? std::wstring_view::npos : text.find(delimiter);
  if (found == std::wstring_view::npos) return out.finish();  // no delimiter: no fields at all
  size_t start = 0;
  while (true) {
    const size_t stop = found == std::wstring_view::npos ? text.size() : found;
    if (stop > start) out.add(text.substr(start, stop - start));
    if (found == std::wstring_view::npos) break;
    start = found + delimiter.size();
    found = text.find(delimiter, start);
  }
  return out.finish();
}

int splitByBoundaries(std::wstring_view text, const std::vector<int>& endPositions, CStringArray& fields) {
  FieldWriter out(fields);
  const size_t length = text.size();
  size_t start = 0;
  for (size_t j = 0; j <= endPositions.size(); ++j) {
    // The line's length stands behind the stored end positions.
    const size_t end = j < endPositions.size() ? size_t(std::max(endPositions[j], 0)) : length;
    if (start >= length || end <= start) out.add({});
    else out.add(text.substr(start, std::min(end, length) - start));
    start = end;
  }
  return out.finish();
}

}  // namespace uv::text

int SplitByDelimiter(const CString& text, const CString& delimiter, CStringArray& fields) {
  return uv::text::splitByDelimiter(text.str(), delimiter.str(), fields);
}

int SplitByBoundaries(const CString& text, const CIntArray& endPositions, CStringArray& fields) {
  return uv::text::splitByBoundaries(text.str(), endPositions.vector(), fields);
}
