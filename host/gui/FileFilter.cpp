#include "host/gui/FileFilter.h"

#include <QDir>
#include <QFileInfo>

namespace uv::gui {

QStringList FileFilter::toQt(const std::wstring& filter) {
  const QStringList parts = QString::fromStdWString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    if (description.isEmpty() && patterns.isEmpty()) break;  // the closing "||"
    if (patterns.isEmpty()) continue;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    filters << (description.isEmpty() ? patterns : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters;
}

FileFilter::Start FileFilter::start(const std::wstring& initialName) {
  QString name = QString::fromStdWString(initialName);
  name.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (name.isEmpty()) return {};
  const QFileInfo info(name);
  const QString folder = name.contains(QLatin1Char('/')) ? info.path() : QString();
  Start start;
  start.name = info.fileName();
  if (!folder.isEmpty() && QDir(folder).exists() && !folder.contains(QLatin1Char(':'))) start.folder = folder;
  return start;
}

}  // namespace uv::gui
