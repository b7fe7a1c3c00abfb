#include "module/components/SurfaceFiles.h"

#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "ed/AcApDocManager.h"
#include "ed/AcApDocument.h"

namespace uv {

namespace {

std::wstring currentDrawingFile() {
  if (AcApDocument* doc = curDoc()) return doc->fileName();
  const ACHAR* name = nullptr;
  if (AcDbDatabase* db = acdbCurDwg(); db && db->getFilename(name) == Acad::eOk && name) return name;
  return {};
}

}  // namespace

CString DefaultFileForDrawing(const wchar_t* extension) {
  const std::wstring path = currentDrawingFile();
  if (path.empty()) return CString();
  // The folder is kept: a file beside its drawing is where a user looks for it.
  const size_t slash = path.find_last_of(L"/\\");
  const size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
  const size_t dot = path.rfind(L'.');
  const std::wstring stem = dot != std::wstring::npos && dot > nameStart ? path.substr(0, dot) : path;
  return CString(stem + L"." + extension);
}

CString FileFilter(const wchar_t* extension) {
  CString filter;
  filter.Format(L"*.%s|*.%s|*.*|*.*||", extension, extension);
  return filter;
}

}  // namespace uv
