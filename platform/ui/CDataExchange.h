// Data exchange between a dialog's controls and its members: DoDataExchange
// lists one DDX_ call per control and UpdateData runs it in one direction.
// A value that cannot be read (a word where an integer belongs) is
// reported to the user, the field gets the focus, and UpdateData returns
// FALSE.
#pragma once

#include <stdexcept>

#include "base/CString.h"
#include "ui/WinUser.h"

class CWnd;

namespace uv {

// Thrown by CDataExchange::Fail and caught by UpdateData.
class DataExchangeFailed : public std::runtime_error {
 public:
  DataExchangeFailed() : std::runtime_error("data exchange failed") {}
};

}  // namespace uv

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;

  // The dialog's control with that id; a missing control is a programming
  // error (std::logic_error naming the dialog and the id).
  CWnd* PrepareCtrl(int id);
  CWnd* PrepareEditCtrl(int id) { return PrepareCtrl(id); }
  // Gives the last prepared control the focus and stops the exchange.
  [[noreturn]] void Fail();

 private:
  CWnd* m_last = nullptr;
};

// Binds a member control to the dialog's control of that id.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
// 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked radio button in the group that starts at `id`
// (a control with WS_GROUP); -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CString& value);

// Checks made when saving; each reports and fails as DDX_Text does.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue);
