#include "ui/CDialog.h"

#include <algorithm>

#include "ui/AfxWin.h"
#include "ui/ControlFactory.h"
#include "ui/CEdit.h"
#include "ui/DialogRunner.h"
#include "ui/DialogUnits.h"
#include "ui/ResourceError.h"
#include "ui/Resources.h"
#include "user/CurrentUser.h"

namespace {

std::vector<CDialog*>& modalStack() {
  static std::vector<CDialog*> stack;
  return stack;
}

constexpr WORD DC_HASDEFID = 0x534B;

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

CDialog::~CDialog() {
  auto& stack = modalStack();
  stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
}

const std::vector<CDialog*>& CDialog::openModalDialogs() { return modalStack(); }

void CDialog::build(CWnd* parent, bool child) {
  m_template = uv::Resources::instance().dialog(m_templateId);
  if (!m_template)
    throw uv::ResourceError(L"no resource folder holds the dialog template " + std::to_wstring(m_templateId));
  const DWORD style = child ? WS_CHILD : (WS_POPUP | WS_CAPTION | WS_SYSMENU);
  const CRect rect = uv::DialogUnits::standard().toPixels(CRect(0, 0, m_template->width, m_template->height));
  attach(parent, child ? m_templateId : 0, m_template->caption.resolve(), style, rect);
  setControlName(m_template->name);
  for (const auto& c : m_template->controls) {
    uv::createControl(*this, c);
    if ((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
        (c.kind == uv::ControlKind::kButton || c.kind == uv::ControlKind::kBitmapButton) && m_defaultId == 0)
      m_defaultId = UINT(c.id);
  }
}

INT_PTR CDialog::DoModal() {
  uv::DialogRunner runner(*this);
  return uv::currentUser().runDialog(runner);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (GetSafeHwnd()) return FALSE;
  m_templateId = templateId;
  m_pParentWnd = parent;
  build(parent, parent != nullptr);
  OnInitDialog();
  return TRUE;
}

void CDialog::beginModal() {
  m_ended = false;
  m_result = 0;
  build(nullptr, false);
  m_modal = true;
  modalStack().push_back(this);
  // The owner is disabled while a modal dialog runs.
  m_mainWasEnabled = !AfxGetMainWnd()->EnableWindow(FALSE);
}

void CDialog::endModal() {
  if (!m_modal) return;
  DestroyWindow();
  m_modal = false;
  auto& stack = modalStack();
  stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
  if (m_mainWasEnabled) AfxGetMainWnd()->EnableWindow(TRUE);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
  m_result = result;
  if (m_ended) return;
  m_ended = true;
  changed(uv::WindowChange::kEnded);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const uv::DataExchangeFailed&) {
    return FALSE;
  }
  return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (!control) return;
  control->SetFocus();
  if (auto* edit = dynamic_cast<CEdit*>(control)) edit->SetSel(0, -1);
}

DWORD CDialog::GetDefID() const {
  const UINT id = m_defaultId ? m_defaultId : IDOK;
  return DWORD(id & 0xFFFF) | (DWORD(DC_HASDEFID) << 16);
}

std::wstring CDialog::describe() const {
  std::wstring text = L"the dialog \"" + windowText().str() + L"\"";
  if (m_template) text += L" (template " + std::to_wstring(m_template->id) + L" " + m_template->name + L")";
  else text += L" (template " + std::to_wstring(m_templateId) + L")";
  return text;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_CLOSE) return SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return CWnd::DefWindowProc(message, wp, lp);
}
