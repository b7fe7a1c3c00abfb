#include "ui/AfxWin.h"

#include "ui/CWnd.h"
#include "ui/Resources.h"
#include "user/CurrentUser.h"

namespace {

HINSTANCE g_resourceHandle = nullptr;

CString& title() {
  static CString t(L"cadhost");
  return t;
}

}  // namespace

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
  return uv::currentUser().messageBox({text ? text : L"", uv::applicationTitle().str(), type});
}

int AfxMessageBox(UINT textId, UINT type, UINT helpId) {
  const std::wstring text = uv::Resources::instance().message(textId);
  return AfxMessageBox(text.c_str(), type, helpId);
}

CWnd* AfxGetMainWnd() {
  static CWnd frame;
  if (!frame.GetSafeHwnd())
    frame.Create(nullptr, uv::applicationTitle(), WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0);
  return &frame;
}

CWnd* acedGetAcadFrame() { return AfxGetMainWnd(); }

HWND adsw_acadMainWnd() { return AfxGetMainWnd()->GetSafeHwnd(); }

HINSTANCE AfxGetResourceHandle() { return g_resourceHandle; }
void AfxSetResourceHandle(HINSTANCE instance) { g_resourceHandle = instance; }
HINSTANCE AfxGetInstanceHandle() { return g_resourceHandle; }

namespace uv {

const CString& applicationTitle() { return title(); }
void setApplicationTitle(const CString& t) { title() = t; }

}  // namespace uv
