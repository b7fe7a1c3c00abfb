// The resources the dialogs are built from: dialog templates and images
// read from resource folders, and the message catalogue that template
// captions (@5009) are looked up in.
//
// A module registers its resource folder when it loads; a dialog finds
// its template by id, preferring the folder of the current resource
// handle (AfxGetResourceHandle), as Windows looks in the current module.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/DialogTemplate.h"

namespace uv {

class Resources {
 public:
  static Resources& instance();

  // Reads every *.dlg file in the folder and its subfolders. Throws
  // ResourceError naming the file and line of the first bad line, or the
  // two places that define the same dialog or image.
  void addFolder(const std::wstring& folder, HINSTANCE owner = nullptr);
  // The same for a text, as if it were a file of `folder` (tests).
  void addText(std::wstring_view text, const std::wstring& fileName, const std::wstring& folder,
               HINSTANCE owner = nullptr);
  // Forgets everything (tests).
  void clear();

  // Null when no folder holds it.
  const DialogTemplate* dialog(UINT id) const;
  const ImageResource* image(ImageRef::Type type, UINT id) const;

  // The message catalogue: the product's configuration installs it.
  void setMessageResolver(std::function<std::wstring(UINT)> resolver);
  // "[message 5009]" while no catalogue is installed.
  std::wstring message(UINT id) const;

 private:
  struct Source {
    HINSTANCE owner;
    std::vector<std::unique_ptr<DialogTemplate>> dialogs;
    std::vector<ImageResource> images;
  };
  void add(struct ResourceScript&& script, HINSTANCE owner);

  std::vector<Source> m_sources;
  std::function<std::wstring(UINT)> m_resolver;
};

}  // namespace uv
