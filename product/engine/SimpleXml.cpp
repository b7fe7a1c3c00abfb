// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/SimpleXml.h"

#include <cwctype>

namespace uv::engine {

namespace {

class Parser {
 public:
  explicit Parser(const std::wstring& s) : m_s(s) {}

  std::optional<XmlNode> document() {
    skipProlog();
    auto root = element();
    if (!root) return std::nullopt;
    skipSpace();
    if (m_pos != m_s.size()) return std::nullopt;
    return root;
  }

 private:
  bool at(const wchar_t* lit) const { return m_s.compare(m_pos, std::wcslen(lit), lit) == 0; }
  void skipSpace() {
    while (m_pos < m_s.size() && std::iswspace(m_s[m_pos])) ++m_pos;
  }
  void skipProlog() {
    skipSpace();
    if (at(L"<?")) {
      const auto end = m_s.find(L"?>", m_pos);
      m_pos = end == std::wstring::npos ? m_s.size() : end + 2;
    }
    skipSpace();
  }
  std::wstring name() {
    const std::size_t start = m_pos;
    while (m_pos < m_s.size() && (std::iswalnum(m_s[m_pos]) || m_s[m_pos] == L'_' || m_s[m_pos] == L'-' ||
                                  m_s[m_pos] == L':' || m_s[m_pos] == L'.'))
      ++m_pos;
    return m_s.substr(start, m_pos - start);
  }
  std::optional<std::wstring> unescape(const std::wstring& raw) {
    std::wstring out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != L'&') {
        out += raw[i];
        continue;
      }
      const auto semi = raw.find(L';', i);
      if (semi == std::wstring::npos) return std::nullopt;
      const std::wstring entity = raw.substr(i + 1, semi - i - 1);
      if (entity == L"amp") out += L'&';
      else if (entity == L"lt") out += L'<';
      else if (entity == L"gt") out += L'>';
      else if (entity == L"quot") out += L'"';
      else if (entity == L"apos") out += L'\'';
      else return std::nullopt;
      i = semi;
    }
    return out;
  }
  std::optional<XmlNode> element() {
    if (!at(L"<")) return std::nullopt;
    ++m_pos;
    XmlNode node;
    node.name = name();
    if (node.name.empty()) return std::nullopt;
    for (;;) {
      skipSpace();
      if (at(L"/>")) {
        m_pos += 2;
        return node;
      }
      if (at(L">")) {
        ++m_pos;
        break;
      }
      std::wstring key = name();
      if (key.empty()) return std::nullopt;
      skipSpace();
      if (!at(L"=")) return std::nullopt;
      ++m_pos;
      skipSpace();
      if (m_pos >= m_s.size() || (m_s[m_pos] != L'"' && m_s[m_pos] != L'\'')) return std::nullopt;
      const wchar_t quote = m_s[m_pos++];
      const auto end = m_s.find(quote, m_pos);
      if (end == std::wstring::npos) return std::nullopt;
      auto value = unescape(m_s.substr(m_pos, end - m_pos));
      if (!value) return std::nullopt;
      node.attributes.emplace_back(std::move(key), std::move(*value));
      m_pos = end + 1;
    }
    for (;;) {
      while (m_pos < m_s.size() && m_s[m_pos] != L'<') ++m_pos;  // text content is not kept
      if (m_pos >= m_s.size()) return std::nullopt;
      if (at(L"</")) {
        m_pos += 2;
        if (name() != node.name) return std::nullopt;
        skipSpace();
        if (!at(L">")) return std::nullopt;
        ++m_pos;
        return node;
      }
      auto child = element();
      if (!child) return std::nullopt;
      node.children.push_back(std::move(*child));
    }
  }

  const std::wstring& m_s;
  std::size_t m_pos = 0;
};

}  // namespace

const std::wstring* XmlNode::attribute(const std::wstring& key) const {
  for (const auto& [k, v] : attributes)
    if (k == key) return &v;
  return nullptr;
}

std::optional<XmlNode> parseXml(const std::wstring& text) { return Parser(text).document(); }

std::wstring xmlEscape(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      case L'\'': out += L"&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace uv::engine
