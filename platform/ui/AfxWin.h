// MFC's global functions that the dialogs call: message boxes, the main
// window, and the resource handle that decides whose templates and images
// are found first.
#pragma once

#include "base/CString.h"
#include "ui/WinUser.h"

class CWnd;

// Asks the current user; the caption is the application's title.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
// The text of a message identifier, from the resources' message catalogue.
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = UINT(-1));

// The host's main window: enabled and visible unless a modal dialog or
// the program has disabled or hidden it.
CWnd* AfxGetMainWnd();
// The same window, as the host's programming interface hands it out.
CWnd* acedGetAcadFrame();
HWND adsw_acadMainWnd();

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE instance);
HINSTANCE AfxGetInstanceHandle();

namespace uv {

// The caption of AfxMessageBox ("cadhost" unless the host sets another).
const CString& applicationTitle();
void setApplicationTitle(const CString& title);

}  // namespace uv
