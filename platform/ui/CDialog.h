// A dialog built from its template (see uv::Resources). DoModal hands the
// dialog to the current user, who initialises it (OnInitDialog) and acts on
// its controls until a handler calls EndDialog; then the window and its
// controls are destroyed and DoModal returns the result. Create makes a
// child dialog such as a tab page.
//
// Clicking OK or pressing Enter sends IDOK, Cancel, Escape and the close box
// send IDCANCEL; the message map sends them to OnOK and OnCancel.
#pragma once

#include "ui/CDataExchange.h"
#include "ui/CWnd.h"
#include "ui/DialogTemplate.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
  ~CDialog() override;

  virtual INT_PTR DoModal();
  // Builds the dialog as a child of `parent` and initialises it.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  void GotoDlgCtrl(CWnd* control);
  void SetDefID(UINT id) { m_defaultId = id; }
  // The default push button's id (IDOK unless the template or SetDefID says).
  DWORD GetDefID() const;

  // --- the model ---
  UINT templateId() const { return m_templateId; }
  // Null until the dialog is built.
  const uv::DialogTemplate* dialogTemplate() const { return m_template; }
  bool isEnded() const { return m_ended; }
  INT_PTR modalResult() const { return m_result; }
  bool isModal() const { return m_modal; }
  // "the dialog "New surface" (template 220 KVX_NEWSURF)"
  std::wstring describe() const;
  // The dialogs open modally now, the first opened first.
  static const std::vector<CDialog*>& openModalDialogs();

  // Used by uv::DialogRunner around a modal run.
  void beginModal();
  void endModal();

 protected:
  virtual void DoDataExchange(CDataExchange* dx) {}
  uv::WidgetKind kind() const override { return uv::WidgetKind::kDialog; }
  LRESULT DefWindowProc(UINT message, WPARAM wp, LPARAM lp) override;

  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;

  DECLARE_MESSAGE_MAP()

 private:
  // Builds the window and its controls from the template.
  void build(CWnd* parent, bool child);

  UINT m_templateId = 0;
  const uv::DialogTemplate* m_template = nullptr;
  bool m_modal = false;
  bool m_ended = false;
  INT_PTR m_result = 0;
  UINT m_defaultId = 0;
  bool m_mainWasEnabled = true;
};
