// Loading survey points into a surface: a frame of two pages under the tab
// control 204, points from drawing entities (page 0) and points from text
// files (page 1). Each page hands its points to the surface itself; the
// frame passes both the surface manager and the surface name. Close ends
// the dialog and has the engine save its surfaces; Cancel saves nothing
// (points already handed over stay in the engine's memory).
#pragma once

#include "base/CString.h"
#include "module/points/dlg_UcitavanjeTocaka_Crtez.h"
#include "module/points/dlg_UcitavanjeTocaka_Txt.h"
#include "ui/CAdUiTab.h"
#include "ui/CAdUiTabMainDialog.h"

class CKVLSurfaceManager;

class dlg_UcitavanjeTocaka : public CAcUiTabMainDialog {
 public:
  enum { IDD = 200 };

  dlg_UcitavanjeTocaka();

  BOOL OnInitDialog() override;

  dlg_UcitavanjeTocaka_Crtez& DrawingPage() { return m_drawingPage; }
  dlg_UcitavanjeTocaka_Txt& TextPage() { return m_textPage; }

  // The surface the points go to.
  CString m_strSurfaceName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnBnClickedClose();
  DECLARE_MESSAGE_MAP()

 private:
  CKVLSurfaceManager* m_pSurfaceManager;
  CAcUiTab m_tab;
  dlg_UcitavanjeTocaka_Crtez m_drawingPage;
  dlg_UcitavanjeTocaka_Txt m_textPage;
};
