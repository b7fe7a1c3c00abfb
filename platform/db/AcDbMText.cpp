#include "AcDbMText.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "AcDbTextStyleTableRecord.h"
#include "CurvePath.h"
#include "ge/NurbsCurve.h"

UV_DEFINE_RX_MEMBERS(AcDbMText, AcDbEntity, L"MTEXT")

namespace {

// Codes that take a value up to a semicolon: alignment, colour, font,
// height, obliquing, tracking, width, paragraph.
bool takesValue(wchar_t code) { return std::wcschr(L"ACcFfHQTWp", code) != nullptr; }

bool isHex(wchar_t c) { return std::iswxdigit(c) != 0; }

}  // namespace

Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& p) { return setChecked(m_location, p, uv::isFinitePoint(p)); }
Acad::ErrorStatus AcDbMText::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

Acad::ErrorStatus AcDbMText::setDirection(const AcGeVector3d& d) {
  if (d.isZeroLength() || !std::isfinite(d.length())) return writeOk() ? Acad::eInvalidInput : Acad::eNotOpenForWrite;
  return setWritable(m_direction, d.normal());
}

double AcDbMText::rotation() const {
  AcGeVector3d x, y;
  uv::ocsAxes(m_normal, x, y);
  return std::atan2(m_direction.dotProduct(y), m_direction.dotProduct(x));
}

Acad::ErrorStatus AcDbMText::setRotation(double angle) {
  if (!std::isfinite(angle)) return writeOk() ? Acad::eInvalidInput : Acad::eNotOpenForWrite;
  AcGeVector3d x, y;
  uv::ocsAxes(m_normal, x, y);
  return setWritable(m_direction, x * std::cos(angle) + y * std::sin(angle));
}

Acad::ErrorStatus AcDbMText::setTextHeight(double h) { return setChecked(m_height, h, h > 0 && std::isfinite(h)); }
Acad::ErrorStatus AcDbMText::setWidth(double w) { return setChecked(m_width, w, w >= 0 && std::isfinite(w)); }
Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint a) {
  return setChecked(m_attachment, a, a >= kTopLeft && a <= kBottomRight);
}
Acad::ErrorStatus AcDbMText::setLineSpacingFactor(double f) {
  return setChecked(m_spacing, f, f > 0 && std::isfinite(f));
}
Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId style) { return setWritable(m_style, style); }
Acad::ErrorStatus AcDbMText::setContents(const std::wstring& text) { return setWritable(m_contents, text); }

std::wstring AcDbMText::plainText(const std::wstring& s) {
  std::wstring out;
  for (size_t i = 0; i < s.size(); ++i) {
    const wchar_t c = s[i];
    if (c == L'{' || c == L'}') continue;  // grouping
    if (c == L'%' && i + 2 < s.size() && s[i + 1] == L'%') {
      const wchar_t k = wchar_t(std::towlower(s[i + 2]));
      const wchar_t* shown = k == L'd' ? L"\u00B0" : k == L'p' ? L"\u00B1" : k == L'c' ? L"\u2300" : k == L'%' ? L"%" : nullptr;
      if (shown) {
        out += shown;
        i += 2;
        continue;
      }
    }
    if (c != L'\\' || i + 1 == s.size()) {
      out += c;
      continue;
    }
    const wchar_t code = s[++i];
    if (code == L'P' || code == L'N' || code == L'X') {
      out += L'\n';  // paragraph, column break, the line under a dimension
    } else if (code == L'~') {
      out += L' ';
    } else if (code == L'\\' || code == L'{' || code == L'}') {
      out += code;
    } else if (std::wcschr(L"LlOoKk", code)) {
      // under- and overline, strike-through: nothing to show here
    } else if (code == L'S') {
      // Stacked: "\S1^2;", "\S1/2;" and "\S1#2;" show as 1/2.
      const size_t end = s.find(L';', i + 1);
      std::wstring stack = s.substr(i + 1, (end == std::wstring::npos ? s.size() : end) - i - 1);
      std::replace(stack.begin(), stack.end(), L'^', L'/');
      std::replace(stack.begin(), stack.end(), L'#', L'/');
      out += stack;
      i = end == std::wstring::npos ? s.size() : end;
    } else if (code == L'U' && i + 5 < s.size() && s[i + 1] == L'+' &&
               std::all_of(s.begin() + std::ptrdiff_t(i) + 2, s.begin() + std::ptrdiff_t(i) + 6, isHex)) {
      out += wchar_t(std::wcstoul(s.substr(i + 2, 4).c_str(), nullptr, 16));
      i += 5;
    } else if (code == L'M' && i + 6 < s.size() && s[i + 1] == L'+') {
      i += 6;  // a character of a code page (\M+1A1B2): not shown
    } else if (takesValue(code)) {
      const size_t end = s.find(L';', i);
      i = end == std::wstring::npos ? s.size() : end;
    } else {
      out += code;  // an unknown code shows as written
    }
  }
  return out;
}

std::vector<std::wstring> AcDbMText::lines() const {
  std::vector<std::wstring> out;
  const std::wstring plain = text();
  const double perChar = kCharacterWidth * m_height;
  const size_t fit = m_width > 0 ? std::max<size_t>(1, size_t(std::min(1e9, m_width / perChar))) : 0;
  size_t begin = 0;
  while (begin <= plain.size()) {
    size_t end = plain.find(L'\n', begin);
    if (end == std::wstring::npos) end = plain.size();
    // Greedy wrapping between words; a word longer than the width stands alone.
    size_t from = begin;
    while (fit > 0 && end - from > fit) {
      size_t cut = plain.rfind(L' ', from + fit);
      if (cut == std::wstring::npos || cut <= from) cut = plain.find(L' ', from + fit);
      if (cut == std::wstring::npos || cut >= end) break;
      out.push_back(plain.substr(from, cut - from));
      from = cut + 1;
    }
    out.push_back(plain.substr(from, end - from));
    begin = end + 1;
  }
  return out;
}

Acad::ErrorStatus AcDbMText::getGeomExtents(AcDbExtents& extents) const {
  const std::vector<std::wstring> shown = lines();
  size_t longest = 0;
  for (const std::wstring& l : shown) longest = std::max(longest, l.size());
  const double w = m_width > 0 ? m_width : kCharacterWidth * m_height * double(longest);
  const double h = m_height + lineStep() * double(shown.size() - 1);
  // Columns and rows of the attachment point: 0 left/top, 1 centre/middle, 2 right/bottom.
  const int col = (int(m_attachment) - 1) % 3, row = (int(m_attachment) - 1) / 3;
  const AcGeVector3d x = m_direction, y = m_normal.crossProduct(m_direction);
  const AcGePoint3d topLeft = m_location - x * (w * col / 2.0) + y * (h * row / 2.0);
  extents = AcDbExtents();
  for (int k = 0; k < 4; ++k) extents.addPoint(topLeft + x * (k & 1 ? w : 0) - y * (k & 2 ? h : 0));
  return Acad::eOk;
}

void AcDbMText::getReferences(std::vector<uv::ObjectReference>& refs) const {
  AcDbEntity::getReferences(refs);
  refs.push_back({m_style, "text style", AcDbTextStyleTableRecord::desc(), true});
}
