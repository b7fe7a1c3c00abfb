#include "product/giscore/MessageCatalogue.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/TextCase.h"

namespace uv::giscore {

namespace {

bool isValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t min;
    if (b0 < 0x80) { ++i; continue; }
    if ((b0 & 0xE0) == 0xC0) { extra = 1; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; min = 0x10000; }
    else return false;
    if (i + size_t(extra) >= s.size()) return false;  // cut short at the end
    char32_t c = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(s[i + size_t(k)]);
      if ((b & 0xC0) != 0x80) return false;
      c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += size_t(extra) + 1;
  }
  return true;
}

// Undoes \n, \t and \\; an unknown escape or a lone backslash at the end
// sets `bad` to the offending text and stops.
std::string unescape(std::string_view s, std::string& bad) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') { out += s[i]; continue; }
    if (i + 1 == s.size()) { bad = "\\ at the end of the text"; return {}; }
    switch (s[++i]) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '\\': out += '\\'; break;
      default: bad = std::string("unknown escape \\") + s[i]; return {};
    }
  }
  return out;
}

}  // namespace

MessageCatalogue MessageCatalogue::parse(std::istream& in, const std::string& fileName) {
  MessageCatalogue cat;
  std::string line;
  int lineNo = 0;
  auto problem = [&](const std::string& what) {
    cat.m_problems.push_back(fileName + ":" + std::to_string(lineNo) + ": " + what);
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;

    const size_t tab = line.find('\t');
    if (tab == std::string::npos) {
      problem("no tab between the id and the text");
      continue;
    }
    const std::string idText = line.substr(0, tab);
    if (idText.empty() || idText.size() > 10 || idText.find_first_not_of("0123456789") != std::string::npos ||
        std::stoull(idText) > 0xFFFFFFFFull) {
      problem("\"" + idText + "\" is not a message id (a decimal number)");
      continue;
    }
    const auto id = static_cast<unsigned>(std::stoull(idText));
    const size_t textStart = line.find_first_not_of('\t', tab);
    if (textStart == std::string::npos) {
      problem("message " + idText + " has no text");
      continue;
    }
    const std::string_view raw = std::string_view(line).substr(textStart);
    if (!isValidUtf8(raw)) {
      problem("message " + idText + " is not valid UTF-8");
      continue;
    }
    std::string bad;
    const std::string text = unescape(raw, bad);
    if (!bad.empty()) {
      problem("message " + idText + ": " + bad);
      continue;
    }
    if (const auto seen = cat.m_lines.find(id); seen != cat.m_lines.end()) {
      problem("message " + idText + " given again (first on line " + std::to_string(seen->second) +
              ", which stays)");
      continue;
    }
    cat.m_texts.emplace(id, fromUtf8(text));
    cat.m_lines.emplace(id, lineNo);
  }
  return cat;
}

MessageCatalogue MessageCatalogue::load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::in | std::ios::binary);
  if (!in) {
    MessageCatalogue cat;
    cat.m_problems.push_back(file.string() + ": cannot open the message catalogue: " + std::strerror(errno));
    return cat;
  }
  return parse(in, file.string());
}

const std::wstring* MessageCatalogue::find(unsigned id) const {
  const auto it = m_texts.find(id);
  return it == m_texts.end() ? nullptr : &it->second;
}

std::vector<unsigned> MessageCatalogue::ids() const {
  std::vector<unsigned> out;
  out.reserve(m_texts.size());
  for (const auto& [id, text] : m_texts) out.push_back(id);
  return out;
}

std::wstring missingMessageText(unsigned id) { return L"[message " + std::to_wstring(id) + L"]"; }

}  // namespace uv::giscore
