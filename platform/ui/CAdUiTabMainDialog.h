// A dialog that holds pages under a tab control (CAdUiTab).
#pragma once

#include "ui/CAdUiDialog.h"
#include "ui/CAdUiTab.h"

class CAdUiTabMainDialog : public CAdUiDialog {
 public:
  explicit CAdUiTabMainDialog(UINT templateId = 0, CWnd* parent = nullptr, HINSTANCE resources = nullptr)
      : CAdUiDialog(templateId, parent, resources) {}

  void SetAcadTabPointer(CAdUiTab* tab) { m_tab = tab; }
  CAdUiTab* GetTabControl() const { return m_tab; }

 private:
  CAdUiTab* m_tab = nullptr;
};

class CAcUiTabMainDialog : public CAdUiTabMainDialog {
 public:
  explicit CAcUiTabMainDialog(UINT templateId = 0, CWnd* parent = nullptr, HINSTANCE resources = nullptr)
      : CAdUiTabMainDialog(templateId, parent, resources) {}
};
