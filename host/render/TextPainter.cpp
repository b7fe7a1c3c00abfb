#include "host/render/TextPainter.h"

#include <QPainter>
#include <cmath>

#include "db/AcDbText.h"
#include "host/render/Placement.h"
#include "host/render/ViewMapping.h"

namespace uv::render {

namespace {

// Glyphs are laid out at this pixel size and scaled, which keeps their
// shapes exact for texts of any height.
constexpr int kLayoutPixels = 100;

}  // namespace

TextPainter::TextPainter() : m_font(QStringLiteral("DejaVu Sans")) {
  m_font.setPixelSize(kLayoutPixels);
  m_font.setStyleHint(QFont::SansSerif);
  // Hinting would snap the large layout glyphs to a pixel grid that the
  // scaling then distorts.
  m_font.setHintingPreference(QFont::PreferNoHinting);
}

const QFontMetricsF& TextPainter::metrics() const {
  if (!m_metrics) m_metrics.emplace(m_font);
  return *m_metrics;
}

QString TextPainter::decodeControlCodes(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && i + 2 < text.size() && text[i + 1] == L'%') {
      const wchar_t code = text[i + 2];
      const wchar_t lower = code >= L'A' && code <= L'Z' ? wchar_t(code - L'A' + L'a') : code;
      if (lower == L'd') out += L'\u00B0';
      else if (lower == L'p') out += L'\u00B1';
      else if (lower == L'c') out += L'\u2300';
      else if (code == L'%') out += L'%';
      else if (lower != L'u' && lower != L'o') out += std::wstring(L"%%") + code;  // underline/overline: dropped
      i += 2;
      continue;
    }
    out += text[i];
  }
  return QString::fromStdWString(out);
}

void TextPainter::draw(QPainter& painter, const AcDbText& text, const std::wstring& shown, const QColor& colour,
                       const Placement& placement, const ViewMapping& view) const {
  const QString string = decodeControlCodes(shown);
  if (string.trimmed().isEmpty()) return;
  const QFontMetricsF& fm = metrics();
  const double capHeight = fm.capHeight() > 0 ? fm.capHeight() : fm.ascent() * 0.7;
  const double advance = fm.horizontalAdvance(string);
  if (!(advance > 0)) return;

  double height = text.height(), widthFactor = text.widthFactor(), rotation = text.rotation();
  AcGePoint3d anchor = text.isDefaultAlignment() ? text.position() : text.alignmentPoint();
  const AcDb::TextHorzMode h = text.horizontalMode();
  if (h == AcDb::kTextAlign || h == AcDb::kTextFit) {
    // Laid between the two points: the baseline runs from one to the other.
    const AcGePoint3d a = text.position(), b = text.alignmentPoint();
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (length > 0) {
      rotation = std::atan2(b.y - a.y, b.x - a.x);
      const double natural = advance * height / capHeight * widthFactor;
      if (h == AcDb::kTextAlign) height *= length / natural;
      else widthFactor *= length / natural;
    }
    anchor = a;
  }
  const double k = height / capHeight;  // drawing units per layout pixel
  const double pixelHeight = height * placement.planScale() * view.pixelsPerUnit();
  if (!(pixelHeight >= 0.5) || pixelHeight > 1e5) return;

  // Offsets of the anchor in the text's own frame (x along the baseline, y up).
  const double width = advance * k * widthFactor;
  double dx = 0, dy = 0;
  if (h == AcDb::kTextCenter || h == AcDb::kTextMid) dx = -width / 2;
  else if (h == AcDb::kTextRight) dx = -width;
  if (h == AcDb::kTextMid) dy = -height / 2;
  else if (h != AcDb::kTextAlign && h != AcDb::kTextFit) {
    switch (text.verticalMode()) {
      case AcDb::kTextBottom: dy = fm.descent() * k; break;
      case AcDb::kTextVertMid: dy = -height / 2; break;
      case AcDb::kTextTop: dy = -height; break;
      default: break;
    }
  }
  // Layout pixels (y down) -> text frame (y up, slanted, stretched).
  const double slant = std::tan(text.oblique());
  const QTransform glyphs(k * widthFactor, 0, -k * slant, -k, dx, dy);
  QTransform turn;
  turn.rotateRadians(rotation);
  const AcGePoint3d at = placement.apply(anchor);
  const QTransform toWorld = placement.planLinear() * QTransform::fromTranslate(at.x, at.y);

  painter.save();
  painter.setTransform(glyphs * turn * toWorld * view.transform());
  painter.setFont(m_font);
  painter.setPen(colour);
  painter.drawText(QPointF(0, 0), string);
  painter.restore();
}

}  // namespace uv::render
