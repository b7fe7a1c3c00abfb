// Finds a file the way the host's file search does: a name with a folder is
// taken as it is; a bare name is looked for in the drawing's folder, the
// current folder and the support folders, in that order. The host reads DXF
// only, so a ".dwg" name is found as its ".dxf" twin. Backslashes count as
// folder separators.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace uv {

class FileFinder {
 public:
  // Support folders: those of UV_SUPPORT_PATH (colon separated) first, then
  // those added here, then the host's own support folder.
  static std::vector<std::wstring> supportFolders();
  static void addSupportFolder(const std::wstring& folder);
  static void clearAddedSupportFolders();
  // The folder that ships with the host (the standard linetype file).
  static std::wstring hostSupportFolder();

  // drawingFolder may be empty (a drawing not saved yet).
  static std::optional<std::wstring> find(const std::wstring& name, const std::wstring& drawingFolder);
};

}  // namespace uv
