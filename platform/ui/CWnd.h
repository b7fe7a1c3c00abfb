// The window model. A CWnd has what a Windows window has that the dialogs
// can observe: an id, a text, styles (visible, disabled, group start, ...),
// a rectangle in pixels, a parent and children in tab order, the focus, and
// a message handler table. Controls and dialogs derive from it.
//
// Windows made from a dialog template are owned by their dialog; a member
// control bound with DDX_Control takes the place of the one the template
// made (as MFC's subclassing does) and is owned by its C++ owner.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/CString.h"
#include "ui/MessageMap.h"
#include "ui/WindowObserver.h"
#include "user/DialogAction.h"

namespace uv {
class WindowAccess;
// "push button", "edit field", ... for messages.
const wchar_t* widgetKindName(WidgetKind kind);
}

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }  // NOLINT: as in MFC
  static CWnd* FromHandle(HWND hWnd);

  // Creates the window as a child of `parent` (or a top-level window).
  BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  virtual BOOL DestroyWindow();
  // Takes the place of the parent's child window `id`, as DDX_Control does.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  int GetDlgCtrlID() const { return m_id; }
  int SetDlgCtrlID(int id);
  CWnd* GetParent() const { return m_parent; }
  CWnd* GetOwner() const { return m_parent; }
  // A direct child with that id, or null.
  CWnd* GetDlgItem(int id) const;

  void SetWindowText(LPCTSTR text);
  void GetWindowText(CString& text) const { text = m_text; }
  int GetWindowTextLength() const { return m_text.GetLength(); }
  void SetDlgItemText(int id, LPCTSTR text);
  int GetDlgItemText(int id, CString& text) const;
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  void CheckRadioButton(int firstId, int lastId, int checkId);
  int GetCheckedRadioButton(int firstId, int lastId) const;

  BOOL ShowWindow(int command);
  // Visible when it and all its parents are.
  BOOL IsWindowVisible() const;
  // Returns whether the window was disabled before.
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const { return (m_style & WS_DISABLED) == 0; }
  CWnd* SetFocus();
  static CWnd* GetFocus();

  DWORD GetStyle() const { return m_style; }
  DWORD GetExStyle() const { return m_exStyle; }
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

  // Rectangles in pixels. The screen is the client area of the top-level
  // window's parent; each window's rectangle is relative to its parent.
  void GetWindowRect(LPRECT rect) const;
  void GetClientRect(LPRECT rect) const;
  void ScreenToClient(LPRECT rect) const;
  void ScreenToClient(CPoint* point) const;
  void ClientToScreen(LPRECT rect) const;
  void ClientToScreen(CPoint* point) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
  void CenterWindow(CWnd* alternateOwner = nullptr) {}

  // Painting is not modelled; requests are counted so tests can see them.
  void Invalidate(BOOL erase = TRUE);
  void UpdateWindow() {}
  BOOL RedrawWindow(LPCRECT rect = nullptr, void* region = nullptr, UINT flags = RDW_INVALIDATE | RDW_ERASE);
  void SetRedraw(BOOL redraw = TRUE);

  LRESULT SendMessage(UINT message, WPARAM wp = 0, LPARAM lp = 0);
  // Queued and delivered when the current user action has been handled.
  BOOL PostMessage(UINT message, WPARAM wp = 0, LPARAM lp = 0);
  // Asks the current user; a null caption is shown as "Error", as Windows does.
  int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

  // The wait cursor of MFC's command targets (see CWaitCursor).
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor() {}

  HICON SetIcon(HICON icon, BOOL big);
  HICON GetIcon(BOOL big) const { return big ? m_bigIcon : m_smallIcon; }

  // --- the model, for front ends, scripts and tests ---
  uv::WidgetKind widgetKind() const { return kind(); }
  const std::vector<CWnd*>& children() const { return m_children; }
  // The symbolic name the template gave the window (IDC_ADD), or empty.
  const std::wstring& controlName() const { return m_name; }
  void setControlName(std::wstring name) { m_name = std::move(name); }
  // "IDC_ADD (215)", or "control 215" without a name, for messages.
  std::wstring describeControl() const;
  const CString& windowText() const { return m_text; }
  // The rectangle in the parent's client coordinates.
  const CRect& rect() const { return m_rect; }
  // The tool tip text shown over the window (empty: none).
  const CString& toolTip() const { return m_toolTip; }
  void setToolTip(const CString& text);
  // Visible and enabled, with every parent up to the top-level window.
  bool isUsable() const;
  int redrawCount() const { return m_redraws; }
  void addObserver(uv::WindowObserver* observer);
  void removeObserver(uv::WindowObserver* observer);
  // A person's action on this control, as a script names it (click, set,
  // choose, ...). Throws uv::DialogActionRefused, naming the control, when
  // the control cannot do it.
  virtual void applyUserAction(const uv::DialogAction& action);
  // The Windows class a control of this kind belongs to ("Button",
  // "Edit", ...); a member control only takes the place of a window of its
  // own class.
  virtual const wchar_t* windowClassName() const { return nullptr; }

 protected:
  virtual uv::WidgetKind kind() const { return uv::WidgetKind::kWindow; }
  virtual LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp);
  // Looks the message up in the handler tables; true when one handled it.
  virtual BOOL OnWndMsg(UINT message, WPARAM wp, LPARAM lp, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wp, LPARAM lp);
  // A control's chance to handle its own notification (reflection).
  virtual BOOL OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result);
  // Copies the kind-specific state (images, checks, list styles) of the
  // template window whose place this window takes.
  virtual void takeOver(CWnd& from) {}
  // Called when the window has just taken the place of a template window.
  virtual void PreSubclassWindow() {}
  // Called when the window is about to be destroyed.
  virtual void OnDestroy() {}

  // Sends WM_COMMAND with this control's id and the code to the parent,
  // after the control's own reflected handler had its chance.
  void notifyParent(UINT code);
  // Sends WM_NOTIFY; fills the header's sender fields. Returns the result.
  LRESULT notifyParent(NMHDR& header);
  // Tells the observers of this window and of its parents.
  void changed(uv::WindowChange change);

  // Makes the window a child of `parent` (or a top-level window).
  void attach(CWnd* parent, UINT id, const CString& text, DWORD style, const CRect& rect);

  static const uv::MessageMap* GetThisMessageMap();
  virtual const uv::MessageMap* GetMessageMap() const;

 private:
  friend class uv::WindowAccess;
  void detachFromParent();

  int m_id = 0;
  std::wstring m_name;
  CString m_text;
  CString m_toolTip;
  DWORD m_style = 0;
  DWORD m_exStyle = 0;
  CRect m_rect;
  CWnd* m_parent = nullptr;
  std::vector<CWnd*> m_children;
  std::vector<std::unique_ptr<CWnd>> m_owned;
  std::vector<uv::WindowObserver*> m_observers;
  HICON m_bigIcon = nullptr;
  HICON m_smallIcon = nullptr;
  int m_redraws = 0;
  bool m_redrawOn = true;
};

namespace uv {

// The framework's access to window internals: template building, owned
// children, subclassing.
class WindowAccess {
 public:
  static void attach(CWnd& window, CWnd* parent, UINT id, const CString& text, DWORD style, const CRect& rect) {
    window.attach(parent, id, text, style, rect);
  }
  // Makes `child` a child owned by `parent`.
  static CWnd* adopt(CWnd& parent, std::unique_ptr<CWnd> child);
  // `member` takes the place of `existing` (a child owned by its parent),
  // which is destroyed.
  static void subclass(CWnd& member, CWnd& existing);
  static void notifyChanged(CWnd& window, uv::WindowChange change) { window.changed(change); }
  static void notifyParent(CWnd& window, UINT code) { window.notifyParent(code); }
  static LRESULT notifyParent(CWnd& window, NMHDR& header) { return window.notifyParent(header); }
};

}  // namespace uv

BOOL IsWindow(HWND hWnd);

namespace uv {

// Delivers the messages posted so far, in order; those to destroyed
// windows are dropped.
void deliverPostedMessages();

}  // namespace uv
