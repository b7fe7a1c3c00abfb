#include "db/dxf/GroupReader.h"

#include <charconv>

#include "db/dxf/DxfError.h"

namespace uv::dxf {

namespace {

const char kBinarySentinel[] = "AutoCAD Binary DXF";

std::string shown(const std::string& text) {
  std::string out;
  for (char c : text.substr(0, 40)) out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
  if (text.size() > 40) out += "...";
  return out;
}

}  // namespace

GroupReader::GroupReader(std::istream& in) : m_in(in) {}

bool GroupReader::readLine(std::string& text) {
  if (!std::getline(m_in, text)) return false;
  ++m_line;
  if (!text.empty() && text.back() == '\r') text.pop_back();
  if (m_line == 1 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  if (m_line == 1 && text.compare(0, sizeof kBinarySentinel - 1, kBinarySentinel) == 0)
    throw DxfError(m_line, "binary DXF is not supported; save the drawing as ASCII DXF");
  if (text.find('\0') != std::string::npos) throw DxfError(m_line, "binary data where DXF text was expected");
  return true;
}

bool GroupReader::next(Group& group) {
  std::string codeText;
  if (!readLine(codeText)) return false;
  const int codeLine = m_line;
  size_t begin = codeText.find_first_not_of(" \t");
  size_t end = codeText.find_last_not_of(" \t");
  if (begin == std::string::npos) throw DxfError(codeLine, "expected a group code, found an empty line");
  const char* first = codeText.data() + begin;
  const char* last = codeText.data() + end + 1;
  int code = 0;
  auto [ptr, ec] = std::from_chars(first, last, code);
  if (ec != std::errc() || ptr != last || code < -10 || code > 1071)
    throw DxfError(codeLine, "expected a group code, found '" + shown(codeText) + "'");
  if (!readLine(group.value))
    throw DxfError(codeLine, "the file ends after group code " + std::to_string(code) + " without its value");
  group.code = code;
  group.line = codeLine;
  return true;
}

}  // namespace uv::dxf
