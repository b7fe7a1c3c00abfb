// Draws single-line texts as a CAD user expects them: the height is the
// height of the capitals, the text turns about its insertion point, the width
// factor stretches it and the oblique angle slants it. Alignment follows the
// text's modes (left/centre/right/middle, baseline/bottom/middle/top, and
// aligned or fitted between the two points). Control codes %%d %%p %%c %%%
// show as the degree, plus-minus and diameter signs and a percent sign.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <optional>
#include <string>

class AcDbText;
class QPainter;

namespace uv::render {

class Placement;
class ViewMapping;

class TextPainter {
 public:
  TextPainter();

  // `shown` is what to write (an attribute definition shows its tag).
  void draw(QPainter& painter, const AcDbText& text, const std::wstring& shown, const QColor& colour,
            const Placement& placement, const ViewMapping& view) const;

  static QString decodeControlCodes(const std::wstring& text);

 private:
  const QFontMetricsF& metrics() const;

  QFont m_font;
  // Made on first use: metrics need the application's font database.
  mutable std::optional<QFontMetricsF> m_metrics;
};

}  // namespace uv::render
