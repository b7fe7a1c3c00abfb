#include "ui/DialogRunner.h"

#include "ui/CDialog.h"
#include "ui/DialogDriver.h"

namespace uv {

namespace {

bool isInside(const CWnd* window, const CWnd& dialog) {
  for (; window; window = window->GetParent())
    if (window == &dialog) return true;
  return false;
}

}  // namespace

DialogRunner::~DialogRunner() {
  if (m_begun) m_dialog.endModal();
}

void DialogRunner::initialise() {
  m_dialog.beginModal();
  m_begun = true;
  const BOOL focusFirst = m_dialog.OnInitDialog();
  deliverPostedMessages();
  if (m_dialog.isEnded()) return;
  m_dialog.ShowWindow(SW_SHOW);
  if (focusFirst && !isInside(CWnd::GetFocus(), m_dialog)) {
    for (CWnd* child : m_dialog.children())
      if ((child->GetStyle() & WS_TABSTOP) && child->isUsable()) {
        child->SetFocus();
        break;
      }
  }
}

void DialogRunner::apply(const DialogAction& action) {
  DialogDriver::apply(m_dialog, action);
  deliverPostedMessages();
}

bool DialogRunner::isEnded() const { return m_dialog.isEnded(); }
INT_PTR DialogRunner::result() const { return m_dialog.modalResult(); }
std::wstring DialogRunner::title() const { return m_dialog.windowText().str(); }
std::wstring DialogRunner::describe() const { return m_dialog.describe(); }

}  // namespace uv
