// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CKVLIndexElement.h"

#include <cerrno>
#include <climits>
#include <cwchar>

#include "product/engine/SimpleXml.h"

namespace uv::engine {

namespace {

const wchar_t* const kNames[3] = {L"a", L"b", L"c"};

bool parseIndex(const std::wstring& s, std::int32_t& out) {
  if (s.empty()) return false;
  wchar_t* end = nullptr;
  errno = 0;
  const long long v = std::wcstoll(s.c_str(), &end, 10);
  if (errno != 0 || *end != L'\0' || v < INT32_MIN || v > INT32_MAX) return false;
  out = static_cast<std::int32_t>(v);
  return true;
}

}  // namespace

bool readIndexList(const CString& text, std::int32_t* out, int n) {
  std::int32_t v[3] = {};
  const std::wstring& s = text.str();
  std::size_t start = 0;
  for (int i = 0; i < n; ++i) {
    const std::size_t comma = s.find(L',', start);
    const bool last = i == n - 1;
    if (last != (comma == std::wstring::npos)) return false;
    const std::wstring field = s.substr(start, last ? std::wstring::npos : comma - start);
    if (!parseIndex(field, v[i])) return false;
    start = comma + 1;
  }
  for (int i = 0; i < n; ++i) out[i] = v[i];
  return true;
}

CString writeIndexList(const std::int32_t* v, int n) {
  std::wstring s;
  for (int i = 0; i < n; ++i) {
    if (i) s += L',';
    s += std::to_wstring(v[i]);
  }
  return CString(s);
}

bool writeIndicesBin(std::streambuf& out, const std::int32_t* v, int n) {
  for (int i = 0; i < n; ++i) {
    const auto u = static_cast<std::uint32_t>(v[i]);
    const char b[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char((u >> 24) & 0xFF)};
    if (out.sputn(b, 4) != 4) return false;
  }
  return true;
}

bool readIndicesBin(std::streambuf& in, std::int32_t* out, int n) {
  std::int32_t v[3] = {};
  for (int i = 0; i < n; ++i) {
    unsigned char b[4];
    if (in.sgetn(reinterpret_cast<char*>(b), 4) != 4) return false;
    v[i] = static_cast<std::int32_t>(std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
                                     (std::uint32_t(b[3]) << 24));
  }
  for (int i = 0; i < n; ++i) out[i] = v[i];
  return true;
}

CString writeIndicesXml(const wchar_t* element, const std::int32_t* v, int n, int no) {
  std::wstring s = L"<";
  s += element;
  if (no >= 0) s += L" no=\"" + std::to_wstring(no) + L"\"";
  for (int i = 0; i < n; ++i) s += L" " + std::wstring(kNames[i]) + L"=\"" + std::to_wstring(v[i]) + L"\"";
  s += L"/>";
  return CString(s);
}

bool readIndicesXml(const XmlNode& node, const wchar_t* element, std::int32_t* out, int n) {
  if (node.name != element) return false;
  std::int32_t v[3] = {};
  for (int i = 0; i < n; ++i) {
    const std::wstring* value = node.attribute(kNames[i]);
    if (!value || !parseIndex(*value, v[i])) return false;
  }
  for (int i = 0; i < n; ++i) out[i] = v[i];
  return true;
}

bool readIndicesXml(const CString& xml, const wchar_t* element, std::int32_t* out, int n) {
  const auto node = parseXml(xml.str());
  return node && readIndicesXml(*node, element, out, n);
}

}  // namespace uv::engine
