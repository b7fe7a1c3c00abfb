#include "EdFiles.h"

#include <cwchar>

#include "db/adscodes.h"
#include "AcApDocManager.h"
#include "FileFinder.h"

int acedFindFile(const wchar_t* fileName, wchar_t* result, size_t bufferSize) {
  if (!fileName || !result || bufferSize == 0) return RTERROR;
  std::wstring folder;
  if (AcApDocument* doc = curDoc()) {
    std::wstring file = doc->fileName();
    size_t slash = file.find_last_of(L'/');
    if (slash != std::wstring::npos) folder = file.substr(0, slash);
  }
  auto found = uv::FileFinder::find(fileName, folder);
  if (!found || found->size() >= bufferSize) return RTERROR;
  std::wcscpy(result, found->c_str());
  return RTNORM;
}
