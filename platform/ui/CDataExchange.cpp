#include "ui/CDataExchange.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cwchar>

#include "base/TextCase.h"
#include "ui/AfxWin.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CListBox.h"
#include "ui/CWnd.h"

CWnd* CDataExchange::PrepareCtrl(int id) {
  CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
  if (!control) {
    std::wstring dialog = m_pDlgWnd ? std::wstring(L"the dialog \"") + m_pDlgWnd->windowText().GetString() + L"\""
                                    : std::wstring(L"no dialog");
    throw std::logic_error(uv::toUtf8(L"data exchange: " + dialog + L" has no control " + std::to_wstring(id)));
  }
  m_last = control;
  return control;
}

void CDataExchange::Fail() {
  if (m_last) m_last->SetFocus();
  throw uv::DataExchangeFailed();
}

namespace {

[[noreturn]] void failWith(CDataExchange* dx, const CString& message) {
  AfxMessageBox(message, MB_ICONEXCLAMATION);
  dx->Fail();
}

// An integer as a person may type it: blanks, a sign, digits, blanks.
bool readInteger(const CString& text, long long minValue, long long maxValue, long long& out) {
  const wchar_t* p = text.GetString();
  while (*p == L' ' || *p == L'\t') ++p;
  wchar_t* end = nullptr;
  errno = 0;
  long long v = std::wcstoll(p, &end, 10);
  if (end == p || errno == ERANGE) return false;
  while (*end == L' ' || *end == L'\t') ++end;
  if (*end || v < minValue || v > maxValue) return false;
  out = v;
  return true;
}

template <class T>
void exchangeInteger(CDataExchange* dx, int id, T& value, long long minValue, long long maxValue) {
  CWnd* control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    CString text;
    text.Format(L"%lld", (long long)value);
    control->SetWindowText(text);
    return;
  }
  long long v = 0;
  if (!readInteger(control->windowText(), minValue, maxValue, v)) failWith(dx, L"Enter a whole number.");
  value = T(v);
}

template <class T>
T* controlOf(CDataExchange* dx, int id, const wchar_t* kind) {
  CWnd* w = dx->PrepareCtrl(id);
  T* control = dynamic_cast<T*>(w);
  if (!control)
    throw std::logic_error(uv::toUtf8(L"data exchange: " + w->describeControl() + L" is not a " + kind));
  return control;
}

}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.GetSafeHwnd()) return;
  CWnd* existing = dx->PrepareCtrl(id);
  uv::WindowAccess::subclass(control, *existing);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  CWnd* control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = control->windowText();
  else
    control->SetWindowText(value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) { exchangeInteger(dx, id, value, INT_MIN, INT_MAX); }
void DDX_Text(CDataExchange* dx, int id, UINT& value) { exchangeInteger(dx, id, value, 0, UINT_MAX); }
void DDX_Text(CDataExchange* dx, int id, long& value) { exchangeInteger(dx, id, value, LONG_MIN, LONG_MAX); }

void DDX_Text(CDataExchange* dx, int id, double& value) {
  CWnd* control = dx->PrepareEditCtrl(id);
  // <charconv> reads and writes with a point whatever locale a front end set.
  if (!dx->m_bSaveAndValidate) {
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    control->SetWindowText(CString(std::wstring(buffer, end)));
    return;
  }
  std::string text = uv::toUtf8(control->windowText().str());
  size_t first = text.find_first_not_of(" \t");
  size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) failWith(dx, L"Enter a number.");
  if (text[first] == '+') ++first;
  double v = 0;
  auto [end, error] = std::from_chars(text.data() + first, text.data() + last + 1, v);
  if (error != std::errc() || end != text.data() + last + 1) failWith(dx, L"Enter a number.");
  value = v;
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  CButton* button = controlOf<CButton>(dx, id, L"button");
  if (dx->m_bSaveAndValidate)
    value = button->GetCheck();
  else
    button->SetCheck(value);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  CButton* first = controlOf<CButton>(dx, id, L"button");
  if (!(first->GetStyle() & WS_GROUP))
    throw std::logic_error(uv::toUtf8(L"DDX_Radio: " + first->describeControl() + L" does not start a group"));
  std::vector<CButton*> radios;
  for (CButton* b : first->groupButtons())
    if (b->widgetKind() == uv::WidgetKind::kRadioButton) radios.push_back(b);
  if (dx->m_bSaveAndValidate) {
    value = -1;
    for (size_t i = 0; i < radios.size(); ++i)
      if (radios[i]->GetCheck() == BST_CHECKED) value = int(i);
  } else {
    for (size_t i = 0; i < radios.size(); ++i) radios[i]->SetCheck(int(i) == value ? BST_CHECKED : BST_UNCHECKED);
  }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  CComboBox* combo = controlOf<CComboBox>(dx, id, L"combo box");
  if (dx->m_bSaveAndValidate)
    index = combo->GetCurSel();
  else
    combo->SetCurSel(index);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
  CComboBox* combo = controlOf<CComboBox>(dx, id, L"combo box");
  if (dx->m_bSaveAndValidate) {
    value = combo->windowText();
  } else if (combo->SelectString(-1, value) == CB_ERR && !combo->isDropDownList()) {
    combo->SetWindowText(value);
  }
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value) {
  CComboBox* combo = controlOf<CComboBox>(dx, id, L"combo box");
  if (dx->m_bSaveAndValidate) {
    value = combo->windowText();
  } else {
    int found = combo->FindStringExact(-1, value);
    if (found != CB_ERR) combo->SetCurSel(found);
    else if (!combo->isDropDownList()) combo->SetWindowText(value);
  }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
  CListBox* list = controlOf<CListBox>(dx, id, L"list box");
  if (dx->m_bSaveAndValidate)
    index = list->GetCurSel();
  else
    list->SetCurSel(index);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value) {
  CListBox* list = controlOf<CListBox>(dx, id, L"list box");
  if (dx->m_bSaveAndValidate) {
    int current = list->GetCurSel();
    value.Empty();
    if (current >= 0) list->GetText(current, value);
  } else {
    list->SelectString(-1, value);
  }
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
  if (!dx->m_bSaveAndValidate || value.GetLength() <= maxChars) return;
  CString message;
  message.Format(L"Enter no more than %d characters.", maxChars);
  failWith(dx, message);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  CString message;
  message.Format(L"Enter a whole number from %d to %d.", minValue, maxValue);
  failWith(dx, message);
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  CString message;
  message.Format(L"Enter a number from %g to %g.", minValue, maxValue);
  failWith(dx, message);
}
