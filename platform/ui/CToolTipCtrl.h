// Tool tips of a dialog's controls. Each tool is a window and its text;
// the model keeps the text on the window (CWnd::toolTip), where a front
// end finds it, and clears it while the tips are deactivated.
#pragma once

#include <vector>

#include "ui/CWnd.h"

#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPTSTR>(-1))

class CToolTipCtrl {
 public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  BOOL AddTool(CWnd* window, LPCTSTR text = LPSTR_TEXTCALLBACK, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
  // The text of a message identifier.
  BOOL AddTool(CWnd* window, UINT textId, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
  void UpdateTipText(LPCTSTR text, CWnd* window, UINT_PTR toolId = 0);
  void DelTool(CWnd* window, UINT_PTR toolId = 0);
  void Activate(BOOL activate);
  int GetToolCount() const { return int(m_tools.size()); }
  void GetText(CString& text, CWnd* window, UINT_PTR toolId = 0) const;
  void SetMaxTipWidth(int) {}
  void SetDelayTime(UINT, int) {}
  void RelayEvent(void*) {}
  HWND GetSafeHwnd() const { return m_created ? reinterpret_cast<HWND>(const_cast<CToolTipCtrl*>(this)) : nullptr; }

 private:
  struct Tool {
    HWND window;
    CString text;
  };
  Tool* find(CWnd* window);
  const Tool* find(CWnd* window) const;

  bool m_created = false;
  bool m_active = true;
  std::vector<Tool> m_tools;
};
