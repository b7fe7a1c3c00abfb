#include "module/controls/CNumericEdit.h"

#include <stdexcept>

#include "ui/Clipboard.h"
#include "ui/Feedback.h"

void CNumericEdit::SetDigits(int integerDigits, int fractionDigits) {
  m_format.integerDigits = integerDigits;
  m_format.fractionDigits = fractionDigits;
}

void CNumericEdit::SetSeparators(wchar_t decimalSeparator, wchar_t groupSeparator) {
  m_format.decimalSeparator = decimalSeparator;
  m_format.groupSeparator = groupSeparator;
}

void CNumericEdit::SetValue(double value) { SetWindowText(uv::formatNumericValue(value, m_format).c_str()); }

double CNumericEdit::GetValue() const { return uv::readNumericText(windowText().str(), m_format); }

CString CNumericEdit::withSelectionReplaced(const CString& inserted) const {
  int start = 0, end = 0;
  GetSel(start, end);
  const CString& text = windowText();
  return text.Left(start) + inserted + text.Mid(end);
}

void CNumericEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (ch == L'\b' || uv::isAcceptableNumericText(withSelectionReplaced(CString(wchar_t(ch))).str(), m_format))
    CEdit::OnChar(ch, repeat, flags);
  else
    MessageBeep(MB_ICONEXCLAMATION);
}

void CNumericEdit::OnPaste() {
  if (isReadOnly()) return;
  // Each pasted character is taken as if typed; those that do not fit are
  // dropped without a sound.
  CString accepted;
  for (wchar_t c : uv::Clipboard::text().str()) {
    CString next = accepted + c;
    if (uv::isAcceptableNumericText(withSelectionReplaced(next).str(), m_format)) accepted = next;
  }
  ReplaceSel(accepted);
}

namespace {

CNumericEdit& numericEdit(CDataExchange* dx, int id) {
  auto* edit = dynamic_cast<CNumericEdit*>(dx->PrepareEditCtrl(id));
  if (!edit)
    throw std::logic_error("DDX_NumericValue: control " + std::to_string(id) +
                           " is not a numeric edit; bind it with DDX_Control first");
  return *edit;
}

}  // namespace

void DDX_NumericValue(CDataExchange* dx, int id, double& value) {
  CNumericEdit& edit = numericEdit(dx, id);
  if (dx->m_bSaveAndValidate)
    value = edit.GetValue();
  else
    edit.SetValue(value);
}

void DDX_NumericValue(CDataExchange* dx, int id, int& value) {
  CNumericEdit& edit = numericEdit(dx, id);
  if (dx->m_bSaveAndValidate)
    value = int(edit.GetValue());
  else
    edit.SetValue(value);
}
