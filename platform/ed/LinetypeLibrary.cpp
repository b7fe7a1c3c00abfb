#include "LinetypeLibrary.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/TextCase.h"
#include "user/ScriptValues.h"
#include "FileFinder.h"

namespace uv {

namespace {

std::wstring trim(const std::wstring& s) {
  size_t b = s.find_first_not_of(L" \t\r");
  if (b == std::wstring::npos) return {};
  return s.substr(b, s.find_last_not_of(L" \t\r") - b + 1);
}

[[noreturn]] void fail(const std::wstring& file, int line, const std::wstring& message) {
  throw std::runtime_error(toUtf8(file + L":" + std::to_wstring(line) + L": " + message));
}

}  // namespace

double LinetypeDefinition::patternLength() const {
  double sum = 0;
  for (double d : dashes) sum += std::abs(d);
  return sum;
}

LinetypeLibrary LinetypeLibrary::parse(const std::wstring& text, const std::wstring& fileName) {
  LinetypeLibrary lib;
  std::wistringstream in(text);
  std::wstring raw;
  int lineNo = 0;
  bool awaitingPattern = false;
  while (std::getline(in, raw)) {
    ++lineNo;
    std::wstring line = trim(raw);
    if (line.empty() || line.rfind(L";;", 0) == 0) continue;
    if (line[0] == L'*') {
      if (awaitingPattern) fail(fileName, lineNo, L"linetype " + lib.m_definitions.back().name + L" has no pattern line");
      size_t comma = line.find(L',');
      LinetypeDefinition def;
      def.name = trim(line.substr(1, comma == std::wstring::npos ? std::wstring::npos : comma - 1));
      if (comma != std::wstring::npos) def.description = trim(line.substr(comma + 1));
      if (def.name.empty()) fail(fileName, lineNo, L"a linetype without a name");
      if (lib.find(def.name)) fail(fileName, lineNo, L"linetype " + def.name + L" is defined twice");
      lib.m_definitions.push_back(def);
      awaitingPattern = true;
      continue;
    }
    if (!awaitingPattern) fail(fileName, lineNo, L"a pattern line without a *NAME line before it");
    if (line.find(L'[') != std::wstring::npos)
      fail(fileName, lineNo, L"complex linetypes (text or shape elements) are not supported");
    if (line.size() < 2 || (line[0] != L'A' && line[0] != L'a') || line[1] != L',')
      fail(fileName, lineNo, L"a pattern line starts with \"A,\"");
    std::wistringstream fields(line.substr(2));
    std::wstring field;
    auto& def = lib.m_definitions.back();
    while (std::getline(fields, field, L',')) {
      auto v = parseScriptNumber(trim(field));
      if (!v) fail(fileName, lineNo, L"\"" + trim(field) + L"\" is not a dash length");
      def.dashes.push_back(*v);
    }
    if (def.dashes.empty()) fail(fileName, lineNo, L"a pattern without dashes");
    awaitingPattern = false;
  }
  if (awaitingPattern) fail(fileName, lineNo, L"linetype " + lib.m_definitions.back().name + L" has no pattern line");
  return lib;
}

LinetypeLibrary LinetypeLibrary::load(const std::wstring& path) {
  std::ifstream in(toUtf8(path), std::ios::binary);
  if (!in) throw std::runtime_error(toUtf8(path + L": cannot read the linetype file"));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return parse(fromUtf8(bytes.str()), path);
}

const LinetypeLibrary& LinetypeLibrary::standard() {
  static const LinetypeLibrary lib = [] {
    auto path = FileFinder::find(L"uvstandard.lin", L"");
    return path ? load(*path) : LinetypeLibrary();
  }();
  return lib;
}

const LinetypeDefinition* LinetypeLibrary::find(const std::wstring& name) const {
  for (const auto& d : m_definitions)
    if (equalsNoCase(d.name, name)) return &d;
  return nullptr;
}

}  // namespace uv
