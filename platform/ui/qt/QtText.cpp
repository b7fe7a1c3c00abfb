#include "ui/qt/QtText.h"

namespace uv::qt {

QString withoutMnemonic(const CString& text) {
  QString s = QString::fromStdWString(text.str());
  s.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  s.remove(QLatin1Char('&'));
  s.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return s;
}

}  // namespace uv::qt
