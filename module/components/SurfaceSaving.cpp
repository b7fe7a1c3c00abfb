#include "module/components/SurfaceSaving.h"

#include "base/CString.h"
#include "ed/EdPrint.h"
#include "ed/WorkFailures.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/giscore/CModuleConfiguration.h"

namespace uv {

namespace {
constexpr UINT kMsgNotSaved = 5038;
}

bool SaveSurfaces(CKVLSurfaceManager* manager) {
  if (!manager || manager->Save()) return true;
  CString text;
  text.Format(CModuleConfiguration::GetMsg(kMsgNotSaved), CString(manager->LastError()).GetString());
  acutPrintf(L"\n%s\n", text.GetString());
  reportWorkFailure(text.str());
  return false;
}

}  // namespace uv
