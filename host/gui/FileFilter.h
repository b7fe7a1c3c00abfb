// The program's file questions in Qt's terms: its filters
// ("*.kvb|*.kvb|*.*|*.*||": pairs of description and pattern) as Qt's name
// filters, and its initial name split into a folder that exists and a name.
#pragma once

#include <string>

#include <QString>
#include <QStringList>

namespace uv::gui {

class FileFilter {
 public:
  static QStringList toQt(const std::wstring& filter);
  struct Start {
    QString folder;  // empty when the name's folder does not exist here
    QString name;
  };
  // A name such as "c:\site.kvb" keeps only "site.kvb": that folder is not here.
  static Start start(const std::wstring& initialName);
};

}  // namespace uv::gui
