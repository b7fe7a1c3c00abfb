// Reads resource files: dialog templates and image declarations, one
// statement a line (module/resources/README.md describes the format).
//
//   dialog 209 KVX_SURFMAN size 300x200 caption=@5008
//   control 215 IDC_SETCURRENT bitmapbutton 10,10,20,20 style=disabled image=bitmap:211 tooltip=@5009
//   control 8 IDCLOSE button 240,180,50,14 caption=@235
//   bitmap 211 "bitmaps/current.xpm"
//
// Every error names the file and the line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/DialogTemplate.h"

namespace uv {

struct ResourceScript {
  std::vector<DialogTemplate> dialogs;
  std::vector<ImageResource> images;

  // `fileName` names the file in messages; image paths are taken relative
  // to `folder`. Throws ResourceError.
  static ResourceScript parse(std::wstring_view text, const std::wstring& fileName, const std::wstring& folder);
  // Reads a UTF-8 file; relative image paths are taken from its folder.
  static ResourceScript parseFile(const std::wstring& path);
};

}  // namespace uv
