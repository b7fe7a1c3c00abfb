#include "TestDialogs.h"

#include "ui/Feedback.h"
#include "user/CurrentUser.h"

namespace uvtest {

constexpr UINT kPostedMessage = WM_USER + 5;

BEGIN_MESSAGE_MAP(TestDialog, CAcUiDialog)
  ON_BN_CLICKED(110, &TestDialog::OnPick)
  ON_BN_CLICKED(111, &TestDialog::OnNested)
  ON_CONTROL_RANGE(BN_CLICKED, 105, 107, &TestDialog::OnRadio)
  ON_EN_CHANGE(101, &TestDialog::OnNameChanged)
  ON_NOTIFY(LVN_ITEMCHANGED, 112, &TestDialog::OnListChanged)
  ON_CBN_SELCHANGE(113, &TestDialog::OnComboChanged)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &TestDialog::OnAcadKeepFocus)
  ON_MESSAGE(kPostedMessage, &TestDialog::OnPosted)
END_MESSAGE_MAP()

void TestDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 112, m_list);
  DDX_Control(dx, 113, m_combo);
  DDX_Text(dx, 101, m_strName);
  DDX_Text(dx, 102, m_nCount);
  DDX_Text(dx, 103, m_dStep);
  DDX_Check(dx, 104, m_bFlag);
  DDX_Radio(dx, 105, m_nChoice);
}

BOOL TestDialog::OnInitDialog() {
  CAcUiDialog::OnInitDialog();
  m_list.InsertColumn(0, L"Surface", LVCFMT_LEFT, 80);
  for (const wchar_t* s : {L"Alpha", L"Beta", L"Gamma"}) m_list.InsertItem(m_list.GetItemCount(), s);
  for (const wchar_t* s : {L"gamma", L"Alpha", L"beta"}) m_combo.AddString(s);
  initialName = GetDlgItem(101)->windowText();
  initialRadio = GetCheckedRadioButton(105, 107);
  nameChanges = 0;
  if (endAtInit) {
    MessageBox(L"The drawing has no surface.", L"Test", MB_OK | MB_ICONEXCLAMATION);
    EndDialog(IDCLOSE);
  }
  return TRUE;
}

void TestDialog::OnOK() {
  if (!UpdateData(TRUE)) {
    log.push_back(L"focus " + std::to_wstring(GetFocus() ? GetFocus()->GetDlgCtrlID() : 0));
    return;
  }
  if (m_strName.IsEmpty()) {
    MessageBox(L"Enter a name.", nullptr, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(101));
    return;
  }
  EndDialog(IDOK);
}

void TestDialog::OnPick() {
  CWaitCursor wait;
  BeginEditorCommand();
  uv::PointAnswer a = uv::currentUser().getPoint({L"Pick a point:"});
  if (a.status == uv::InputStatus::kOk) picked = a.point;
  CompleteEditorCommand();
  visibleAfterPick = IsWindowVisible() != FALSE;
  PostMessage(kPostedMessage, 1);
  log.push_back(L"picked");
}

LRESULT TestDialog::OnPosted(WPARAM wp, LPARAM) {
  log.push_back(L"posted " + std::to_wstring(wp));
  return 0;
}

void TestDialog::OnNested() {
  TestSmall small;
  small.m_strText = m_strName;
  INT_PTR result = small.DoModal();
  log.push_back(L"nested " + std::to_wstring(result) + L" " + small.m_strText.str());
}

void TestDialog::OnRadio(UINT id) {
  UpdateData(TRUE);
  log.push_back(L"radio " + std::to_wstring(id) + L" choice " + std::to_wstring(m_nChoice));
}

void TestDialog::OnNameChanged() { ++nameChanges; }

void TestDialog::OnListChanged(NMHDR* header, LRESULT*) {
  auto* nm = reinterpret_cast<NMLISTVIEW*>(header);
  if ((nm->uNewState & LVIS_SELECTED) && !(nm->uOldState & LVIS_SELECTED))
    log.push_back(L"row " + m_list.GetItemText(nm->iItem, 0).str());
}

void TestDialog::OnComboChanged() {
  CString text;
  m_combo.GetLBText(m_combo.GetCurSel(), text);
  log.push_back(L"combo " + text.str());
}

BOOL TestPage::OnTabChanging() { return GetDlgItem(301) == nullptr || GetDlgItem(301)->windowText() != L"stay"; }

BEGIN_MESSAGE_MAP(TestTabs, CAcUiTabMainDialog)
  ON_BN_CLICKED(IDCLOSE, &TestTabs::OnClose)
END_MESSAGE_MAP()

BOOL TestTabs::OnInitDialog() {
  CAcUiTabMainDialog::OnInitDialog();
  SetAcadTabPointer(&m_tab);
  m_tab.AddTab(0, L"First", 702, &m_a);
  m_tab.AddTab(1, L"Second", 703, &m_b);
  return TRUE;
}

}  // namespace uvtest
