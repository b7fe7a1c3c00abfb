#include "xml/CXmlReader.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/TextCase.h"
#include "xml/CXmlWriter.h"
#include "xml/XmlError.h"

namespace {

class Parser {
 public:
  Parser(std::wstring text, std::wstring source) : m_s(std::move(text)), m_source(std::move(source)) {}

  CXmlElement document() {
    if (m_s.compare(0, 1, L"\xFEFF") == 0) m_i = 1;
    misc();
    if (atEnd()) fail(L"the text holds no element");
    if (!peek(L"<") || peek(L"</")) fail(L"an element should start here");
    CXmlElement root = element();
    misc();
    if (!atEnd()) fail(L"only one root element is allowed; more follows it");
    return root;
  }

 private:
  [[noreturn]] void fail(const std::wstring& message) const {
    int line = 1, column = 1;
    for (size_t k = 0; k < m_i && k < m_s.size(); ++k) {
      if (m_s[k] == L'\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
    }
    throw uv::XmlError(m_source, line, column, message);
  }

  bool atEnd() const { return m_i >= m_s.size(); }
  bool peek(std::wstring_view w) const { return m_s.compare(m_i, w.size(), w) == 0; }
  static bool blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }
  void skipBlanks() {
    while (!atEnd() && blank(m_s[m_i])) ++m_i;
  }
  void expect(std::wstring_view w, const wchar_t* what) {
    if (!peek(w)) fail(std::wstring(L"expected ") + what);
    m_i += w.size();
  }

  // Blanks, comments and processing instructions between elements.
  void misc() {
    while (true) {
      skipBlanks();
      if (peek(L"<!--")) comment();
      else if (peek(L"<?")) instruction();
      else if (peek(L"<!DOCTYPE")) fail(L"document types are not read");
      else return;
    }
  }

  void comment() {
    size_t end = m_s.find(L"-->", m_i + 4);
    if (end == std::wstring::npos) fail(L"a comment is not closed with -->");
    m_i = end + 3;
  }

  void instruction() {
    size_t end = m_s.find(L"?>", m_i + 2);
    if (end == std::wstring::npos) fail(L"a processing instruction is not closed with ?>");
    m_i = end + 2;
  }

  std::wstring name() {
    size_t start = m_i;
    while (!atEnd() && !blank(m_s[m_i]) && m_s[m_i] != L'>' && m_s[m_i] != L'/' && m_s[m_i] != L'=' &&
           m_s[m_i] != L'<' && m_s[m_i] != L'"' && m_s[m_i] != L'\'')
      ++m_i;
    std::wstring n = m_s.substr(start, m_i - start);
    if (!CXmlWriter::IsName(CString(n))) {
      m_i = start;
      fail(n.empty() ? L"a name is missing" : L"\"" + n + L"\" is not an XML name");
    }
    return n;
  }

  // Text up to `stop`, with references replaced.
  std::wstring characters(wchar_t stop) {
    std::wstring out;
    while (!atEnd() && m_s[m_i] != stop) {
      if (m_s[m_i] == L'<') fail(L"\"<\" must be written &lt; here");
      if (m_s[m_i] == L'&') {
        out += reference();
      } else {
        out += m_s[m_i++];
      }
    }
    return out;
  }

  std::wstring reference() {
    const size_t start = m_i;
    size_t end = m_s.find(L';', m_i);
    if (end == std::wstring::npos || end - m_i > 12) fail(L"\"&\" must be written &amp;");
    std::wstring ref = m_s.substr(m_i + 1, end - m_i - 1);
    m_i = end + 1;
    if (ref == L"lt") return L"<";
    if (ref == L"gt") return L">";
    if (ref == L"amp") return L"&";
    if (ref == L"quot") return L"\"";
    if (ref == L"apos") return L"'";
    if (ref.size() > 1 && ref[0] == L'#') {
      const bool hex = ref[1] == L'x';
      const std::wstring digits = ref.substr(hex ? 2 : 1);
      unsigned long code = 0;
      bool ok = !digits.empty();
      for (wchar_t c : digits) {
        int d = (c >= L'0' && c <= L'9') ? c - L'0'
                : hex && c >= L'a' && c <= L'f' ? c - L'a' + 10
                : hex && c >= L'A' && c <= L'F' ? c - L'A' + 10
                                                 : -1;
        if (d < 0 || code > 0x10FFFF) ok = false;
        else code = code * (hex ? 16 : 10) + unsigned(d);
      }
      if (ok && code > 0 && code <= 0x10FFFF) return std::wstring(1, wchar_t(code));
    }
    m_i = start;
    fail(L"unknown reference &" + ref + L";");
  }

  CXmlElement element() {
    // Each level of elements is a level of this reader's recursion.
    if (m_depth == CXmlReader::kMaxDepth)
      fail(L"elements nest deeper than " + std::to_wstring(CXmlReader::kMaxDepth) + L" levels");
    ++m_depth;
    struct Leave {
      int& depth;
      ~Leave() { --depth; }
    } leave{m_depth};
    expect(L"<", L"\"<\"");
    CXmlElement e{CString(name())};
    while (true) {
      skipBlanks();
      if (peek(L"/>")) {
        m_i += 2;
        return e;
      }
      if (peek(L">")) {
        ++m_i;
        break;
      }
      if (atEnd()) fail(L"the start tag of <" + e.GetName().str() + L"> is not closed");
      const size_t at = m_i;
      std::wstring attribute = name();
      if (e.HasAttribute(CString(attribute))) {
        m_i = at;
        fail(L"the attribute " + attribute + L" is given twice in <" + e.GetName().str() + L">");
      }
      skipBlanks();
      expect(L"=", L"\"=\" after an attribute name");
      skipBlanks();
      if (atEnd() || (m_s[m_i] != L'"' && m_s[m_i] != L'\'')) fail(L"an attribute value must be quoted");
      const wchar_t quote = m_s[m_i++];
      std::wstring value = characters(quote);
      if (atEnd()) fail(L"the value of " + attribute + L" is not closed");
      ++m_i;
      e.SetAttribute(CString(attribute), CString(value));
    }
    content(e);
    return e;
  }

  void content(CXmlElement& e) {
    std::wstring text;
    while (true) {
      if (atEnd()) fail(L"<" + e.GetName().str() + L"> is not closed");
      if (peek(L"</")) {
        m_i += 2;
        const size_t at = m_i;
        std::wstring closing = name();
        if (closing != e.GetName().str()) {
          m_i = at;
          fail(L"</" + closing + L"> closes <" + e.GetName().str() + L">");
        }
        skipBlanks();
        expect(L">", L"\">\"");
        break;
      }
      if (peek(L"<!--")) {
        comment();
      } else if (peek(L"<![CDATA[")) {
        size_t end = m_s.find(L"]]>", m_i + 9);
        if (end == std::wstring::npos) fail(L"a CDATA section is not closed with ]]>");
        text += m_s.substr(m_i + 9, end - m_i - 9);
        m_i = end + 3;
      } else if (peek(L"<?")) {
        instruction();
      } else if (peek(L"<")) {
        e.AddChild(element());
      } else if (m_s[m_i] == L'&') {
        text += reference();
      } else {
        text += m_s[m_i++];
      }
    }
    const bool onlyBlanks = text.find_first_not_of(L" \t\r\n") == std::wstring::npos;
    if (!(onlyBlanks && e.GetChildCount() > 0)) e.SetText(CString(text));
  }

  std::wstring m_s;
  std::wstring m_source;
  size_t m_i = 0;
  int m_depth = 0;
};

}  // namespace

CXmlElement CXmlReader::Parse(std::string_view utf8, const std::wstring& source) {
  return Parser(uv::fromUtf8(utf8), source).document();
}

CXmlElement CXmlReader::ParseFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(uv::toUtf8(path)), std::ios::binary);
  if (!in) throw uv::XmlError(L"cannot open " + path);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return Parse(bytes.str(), path);
}
