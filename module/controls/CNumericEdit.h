// An edit field for numbers (see NumericText.h for the rules). A typed
// character that would make the text unacceptable is dropped with the
// warning beep; pasted text loses such characters silently. The program
// writes values with SetValue and reads them with GetValue.
#pragma once

#include "module/controls/NumericText.h"
#include "ui/CDataExchange.h"
#include "ui/CEdit.h"

class CNumericEdit : public CEdit {
 public:
  // Digits allowed before and after the decimal separator; 0 after makes
  // an integer field.
  void SetDigits(int integerDigits, int fractionDigits);
  void AllowNegative(BOOL allow) { m_format.allowNegative = allow != FALSE; }
  void SetSeparators(wchar_t decimalSeparator, wchar_t groupSeparator);
  const uv::NumericFormat& format() const { return m_format; }

  void SetValue(double value);
  double GetValue() const;
  int GetIntValue() const { return int(GetValue()); }

 protected:
  void OnChar(UINT ch, UINT repeat, UINT flags) override;
  void OnPaste() override;

 private:
  // The text after the selection is replaced by `inserted`.
  CString withSelectionReplaced(const CString& inserted) const;

  uv::NumericFormat m_format;
};

// Exchanges the value of a numeric edit bound with DDX_Control.
void DDX_NumericValue(CDataExchange* dx, int id, double& value);
void DDX_NumericValue(CDataExchange* dx, int id, int& value);
