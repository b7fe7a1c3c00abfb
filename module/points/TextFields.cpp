#include "module/points/TextFields.h"

#include "module/points/CTextFile.h"
#include "module/points/TextDecoding.h"

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
  void addUtf8(std::string_view field) {
    if (m_count >= m_size) m_fields.Add(CString());
    std::wstring& s = m_fields.GetData()[m_count].str();
    s.clear();
    appendWide(field, s);
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

int cutUtf8AtDelimiter(std::string_view line, std::string_view delimiter, std::vector<std::string_view>& fields) {
  fields.clear();
  return cutAtDelimiter(line, delimiter, [&](std::string_view f) { fields.push_back(f); });
}

int cutUtf8AtBoundaries(std::string_view line, const std::vector<int>& endPositions,
                        std::vector<std::string_view>& fields) {
  fields.clear();
  auto add = [&](std::string_view f) { fields.push_back(f); };
  // In ASCII, the usual survey file, a character is a byte.
  if (isAscii(line))
    return cutAtBoundaries(line, line.size(), endPositions, [](size_t position) { return position; }, add);
  return cutAtBoundaries(
      line, characterCount(line), endPositions,
      [line](size_t position) { return offsetOfCharacter(line, position); }, add);
}

void storeWide(const std::vector<std::string_view>& fields, CStringArray& out) {
  FieldWriter writer(out);
  for (std::string_view f : fields) writer.addUtf8(f);
  writer.finish();
}

int splitByDelimiter(std::wstring_view text, std::wstring_view delimiter, CStringArray& fields) {
  FieldWriter out(fields);
  cutAtDelimiter(text, delimiter, [&](std::wstring_view f) { out.add(f); });
  return out.finish();
}

int splitByBoundaries(std::wstring_view text, const std::vector<int>& endPositions, CStringArray& fields) {
  FieldWriter out(fields);
  cutAtBoundaries(
      text, text.size(), endPositions, [](size_t position) { return position; },
      [&](std::wstring_view f) { out.add(f); });
  return out.finish();
}

}  // namespace uv::text

int SplitByDelimiter(const CString& text, const CString& delimiter, CStringArray& fields) {
  return uv::text::splitByDelimiter(text.str(), delimiter.str(), fields);
}

int SplitByBoundaries(const CString& text, const CIntArray& endPositions, CStringArray& fields) {
  return uv::text::splitByBoundaries(text.str(), endPositions.vector(), fields);
}
