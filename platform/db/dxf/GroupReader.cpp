#include "db/dxf/GroupReader.h"

#include <algorithm>
#include <cstring>

#include "db/dxf/DxfError.h"

namespace uv::dxf {

namespace {

const char kBinarySentinel[] = "AutoCAD Binary DXF";

std::string shown(std::string_view text) {
  std::string out;
  for (char c : text.substr(0, 40)) out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
  if (text.size() > 40) out += "...";
  return out;
}

}  // namespace

GroupReader::GroupReader(std::istream& in, int linesBefore) : m_in(in), m_line(linesBefore) {
  const std::streampos at = in.tellg();
  if (at != std::streampos(-1)) m_base = static_cast<long long>(at);
}

bool GroupReader::refill() {
  if (m_end) return false;
  constexpr size_t kChunk = size_t(1) << 20;
  const size_t taken = m_pos;
  if (m_base >= 0) m_base += static_cast<long long>(taken);
  m_buf.erase(0, m_pos);
  m_pos = 0;
  const size_t had = m_buf.size();
  // No more than the stream says it holds (and a byte, to meet its end): a small drawing read from
  // memory, as a fuzzer reads thousands a second, then costs no megabyte to clear.
  const std::streamsize avail = m_in.rdbuf() ? m_in.rdbuf()->in_avail() : 0;
  const size_t chunk = avail > 0 ? std::min(kChunk, size_t(avail) + 1) : kChunk;
  m_buf.resize(had + chunk);
  m_in.read(m_buf.data() + had, std::streamsize(chunk));
  const auto got = static_cast<size_t>(m_in.gcount());
  m_buf.resize(had + got);
  if (got < chunk) m_end = true;
  // Where the first NUL is, looked for once a chunk rather than on every line.
  if (m_nul != std::string::npos) m_nul -= taken;
  else if (const void* nul = std::memchr(m_buf.data() + had, '\0', got))
    m_nul = size_t(static_cast<const char*>(nul) - m_buf.data());
  return got > 0;
}

bool GroupReader::readLine(std::string_view& text) {
  // As std::getline: a last line without its line end counts, an empty rest does not.
  size_t scanned = m_pos;
  while (true) {
    const char* begin = m_buf.data() + scanned;
    if (const void* nl = std::memchr(begin, '\n', m_buf.size() - scanned)) {
      const size_t end = size_t(static_cast<const char*>(nl) - m_buf.data());
      text = std::string_view(m_buf).substr(m_pos, end - m_pos);
      m_pos = end + 1;
      break;
    }
    scanned = m_buf.size() - m_pos;  // what refill() keeps, already searched
    if (!refill()) {
      if (m_pos >= m_buf.size()) return false;
      text = std::string_view(m_buf).substr(m_pos);
      m_pos = m_buf.size();
      break;
    }
  }
  ++m_line;
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  if (m_line == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (m_line == 1 && text.starts_with(kBinarySentinel))
    throw DxfError(m_line, "binary DXF is not supported; save the drawing as ASCII DXF");
  // No line before the first NUL holds one.
  if (m_nul != std::string::npos && text.data() + text.size() > m_buf.data() + m_nul)
    throw DxfError(m_line, "binary data where DXF text was expected");
  return true;
}

namespace {

// The code of a code line: blanks, an optional minus, digits, blanks;
// `ok` false for anything else.
int codeOf(std::string_view text, bool& ok) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p != end && (*p == ' ' || *p == '\t')) ++p;
  while (end != p && (end[-1] == ' ' || end[-1] == '\t')) --end;
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  ok = p != end;
  int code = 0;
  for (; p != end && ok; ++p) {
    ok = *p >= '0' && *p <= '9' && code <= 100000;  // far beyond any code: refused below
    code = code * 10 + (*p - '0');
  }
  return negative ? -code : code;
}

}  // namespace

bool GroupReader::quickCode(int& code) {
  // A code line as writers put them ("  8", " 10", "1001", CR LF or LF),
  // whole in the buffer, past the first line and before any NUL: read as
  // it is looked for. Anything else takes the full way.
  if (m_line == 0) return false;
  const char* begin = m_buf.data() + m_pos;
  const char* end = m_buf.data() + std::min(m_buf.size(), m_nul);
  const char* p = begin;
  while (p != end && *p == ' ') ++p;
  const char* digits = p;
  int value = 0;
  while (p != end && *p >= '0' && *p <= '9' && p - digits < 4) value = value * 10 + (*p++ - '0');
  if (p == digits || p == end || value > 1071) return false;
  if (*p == '\r') ++p;
  if (p == end || *p != '\n') return false;
  m_pos = size_t(p + 1 - m_buf.data());
  ++m_line;
  code = value;
  return true;
}

bool GroupReader::next(Group& group) {
  int code = 0;
  int codeLine = 0;
  if (quickCode(code)) {
    codeLine = m_line;
  } else {
    std::string_view codeText;
    if (!readLine(codeText)) return false;
    codeLine = m_line;
    bool parsed = false;
    code = codeOf(codeText, parsed);
    if (!parsed || code < -10 || code > 1071) {
      if (codeText.find_first_not_of(" \t") == std::string_view::npos)
        throw DxfError(codeLine, "expected a group code, found an empty line");
      throw DxfError(codeLine, "expected a group code, found '" + shown(codeText) + "'");
    }
  }
  std::string_view value;
  if (!readLine(value))
    throw DxfError(codeLine, "the file ends after group code " + std::to_string(code) + " without its value");
  group.text = m_values.keepTerminated(value);
  group.code = static_cast<std::int16_t>(code);
  group.line = codeLine;
  return true;
}

}  // namespace uv::dxf
