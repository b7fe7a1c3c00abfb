// The product's module configuration: user-visible texts by message id,
// icons by name and folders by key. Where the files behind them are found is
// told in product/giscore/ProductPaths.h (KVLX_DATA_DIR, KVLX_SYMBOL_DIR).
//
// All members are static, as the module's dialogs call them
// (CModuleConfiguration::GetMsg(5017)). The catalogue is read on first use
// and read again when the data folder changes; problems in it are written
// to standard error once, as "file:line: what", and the good lines serve.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

namespace uv::giscore {
struct Icon;
}

class CModuleConfiguration {
 public:
  // The text of a message id. An id without text gives "[message <id>]",
  // never an empty string.
  static CString GetMsg(UINT id);

  // The icon of that name ("IDI_FILEIMPORT1", "IDI_FILEIMPORTADD"), read
  // from <data folder>/icons/<name>.xpm. The handle stays valid for the
  // life of the process; the same file gives the same handle. nullptr for
  // an unknown name or an unreadable file (reported on standard error once).
  static HICON GetIcon(const wchar_t* name);

  // What a handle from GetIcon stands for; nullptr for any other handle.
  static const uv::giscore::Icon* GetIconImage(HICON icon);

  // A folder by key, with a trailing path separator: "Symbol" the folder of
  // the elevation-marker drawing, "Data" the data folder. Keys ignore
  // letter case; an unknown key gives an empty string.
  static CString GetPath(const wchar_t* key);
};
