// A page of a tab dialog: a child dialog built from its own template when
// the tab control adds it, shown while its tab is active.
#pragma once

#include "ui/CAdUiDialog.h"

class CAdUiTab;
class CAdUiTabMainDialog;

class CAdUiTabChildDialog : public CAdUiDialog {
 public:
  explicit CAdUiTabChildDialog(CWnd* parent = nullptr, HINSTANCE resources = nullptr)
      : CAdUiDialog(0, parent, resources) {}

  // The page becomes active (TRUE) or stops being active (FALSE).
  virtual void OnTabActivation(BOOL activate) {}
  // Whether the page may be left now; FALSE keeps it.
  virtual BOOL OnTabChanging() { return TRUE; }
  CAdUiTabMainDialog* GetMainDialog() const;
  CAdUiTab* GetAcadTabPointer() const { return m_tab; }

 private:
  friend class CAdUiTab;
  CAdUiTab* m_tab = nullptr;
};

class CAcUiTabChildDialog : public CAdUiTabChildDialog {
 public:
  explicit CAcUiTabChildDialog(CWnd* parent = nullptr, HINSTANCE resources = nullptr)
      : CAdUiTabChildDialog(parent, resources) {}
};
