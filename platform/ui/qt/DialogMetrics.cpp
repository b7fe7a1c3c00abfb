#include "ui/qt/DialogMetrics.h"

#include <QFontMetrics>

#include "ui/DialogUnits.h"

namespace uv::qt {

namespace {

QFont dialogFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);  // 8 points at 96 dots per inch
  return font;
}

}  // namespace

DialogMetrics::DialogMetrics() : DialogMetrics(dialogFont()) {}

DialogMetrics::DialogMetrics(const QFont& font) : m_font(font) {
  QFontMetrics metrics(font);
  const int letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_baseX = (letters / 26 + 1) / 2;
  m_baseY = metrics.height();
}

int DialogMetrics::x(int modelPixels) const {
  const int standard = DialogUnits::standard().baseX;
  return (modelPixels * m_baseX + standard / 2) / standard;
}

int DialogMetrics::y(int modelPixels) const {
  const int standard = DialogUnits::standard().baseY;
  return (modelPixels * m_baseY + standard / 2) / standard;
}

QRect DialogMetrics::toWidget(const CRect& model) const {
  const int left = x(model.left), top = y(model.top);
  return QRect(left, top, x(model.right) - left, y(model.bottom) - top);
}

}  // namespace uv::qt
