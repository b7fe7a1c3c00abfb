#include "module/surfaces/NameRules.h"

#include "product/giscore/CModuleConfiguration.h"
#include "ui/CDialog.h"

namespace uv::surfaces {

namespace {
constexpr UINT kMsgEmptyName = 3227;
constexpr UINT kMsgNameTaken = 4991;
}  // namespace

bool CheckSurfaceName(CDialog& dialog, CWnd& nameField, const CString& name,
                      const std::function<bool(const CString&)>& taken) {
  UINT message = 0;
  if (name.IsEmpty()) message = kMsgEmptyName;
  else if (taken(name)) message = kMsgNameTaken;
  if (!message) return true;
  CString caption;
  dialog.GetWindowText(caption);
  dialog.MessageBox(CModuleConfiguration::GetMsg(message), caption, MB_OK | MB_ICONEXCLAMATION);
  dialog.GotoDlgCtrl(&nameField);
  return false;
}

}  // namespace uv::surfaces
