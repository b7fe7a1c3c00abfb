#include "xml/CXmlWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/TextCase.h"
#include "xml/XmlError.h"

namespace {

bool nameStart(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || c == L':' || c >= 0xC0;
}

bool nameChar(wchar_t c) { return nameStart(c) || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.' || c == 0xB7; }

// `compact` writes without line ends and indentation, inside an element
// that has text as well as children, so that reading gives the text back.
void writeElement(const CXmlElement& e, int depth, bool compact, std::wstring& out) {
  if (!CXmlWriter::IsName(e.GetName())) throw uv::XmlError(L"\"" + e.GetName().str() + L"\" is not an XML name");
  const std::wstring indent = compact ? std::wstring() : std::wstring(size_t(depth) * 2, L' ');
  const wchar_t* lineEnd = compact ? L"" : L"\n";
  out += indent + L"<" + e.GetName().str();
  for (const auto& [name, value] : e.GetAttributes()) {
    if (!CXmlWriter::IsName(name))
      throw uv::XmlError(L"\"" + name.str() + L"\" is not an XML name (attribute of <" + e.GetName().str() + L">)");
    out += L" " + name.str() + L"=\"" + CXmlWriter::Escape(value, true).str() + L"\"";
  }
  if (e.GetChildCount() == 0 && e.GetText().IsEmpty()) {
    out += std::wstring(L"/>") + lineEnd;
    return;
  }
  out += L">" + CXmlWriter::Escape(e.GetText(), false).str();
  if (e.GetChildCount() > 0) {
    const bool mixed = compact || !e.GetText().IsEmpty();
    if (!mixed) out += L"\n";
    for (int i = 0; i < e.GetChildCount(); ++i) writeElement(e.GetChild(i), depth + 1, mixed, out);
    if (!mixed) out += indent;
  }
  out += L"</" + e.GetName().str() + L">" + lineEnd;
}

}  // namespace

bool CXmlWriter::IsName(const CString& name) {
  if (name.IsEmpty() || !nameStart(name[0])) return false;
  for (int i = 1; i < name.GetLength(); ++i)
    if (!nameChar(name[i])) return false;
  return true;
}

CString CXmlWriter::Escape(const CString& text, bool attribute) {
  std::wstring out;
  for (wchar_t c : text.str()) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += attribute ? L"&quot;" : L"\""; break;
      // Attribute values lose their line ends when read unless escaped; so
      // does a carriage return anywhere.
      case L'\n': out += attribute ? L"&#10;" : L"\n"; break;
      case L'\t': out += attribute ? L"&#9;" : L"\t"; break;
      case L'\r': out += L"&#13;"; break;
      default: out += c;
    }
  }
  return CString(out);
}

std::string CXmlWriter::Write(const CXmlElement& root, bool declaration) {
  std::wstring out;
  if (declaration) out += L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  writeElement(root, 0, false, out);
  return uv::toUtf8(out);
}

bool CXmlWriter::WriteFile(const std::wstring& path, const CXmlElement& root) {
  namespace fs = std::filesystem;
  const std::string text = Write(root);
  const fs::path target(uv::toUtf8(path));
  fs::path temporary = target;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), std::streamsize(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) fs::remove(temporary, ec);
  return !ec;
}
