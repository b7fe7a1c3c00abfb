// Dialogs of the framework's tests, built from the templates of
// UiTestSupport.cpp, written as the module writes its dialogs.
#pragma once

#include <string>
#include <vector>

#include "ge/AcGePoint3d.h"
#include "ui/CAcUiDialog.h"
#include "ui/CAdUiTabChildDialog.h"
#include "ui/CAdUiTabMainDialog.h"
#include "ui/CComboBox.h"
#include "ui/CListCtrl.h"

namespace uvtest {

// TEST_MAIN (700): fields with data exchange, a radio group, a list, a
// combo box, a button that asks for a point and one that opens TestSmall.
class TestDialog : public CAcUiDialog {
 public:
  TestDialog() : CAcUiDialog(700) {}

  CString m_strName = L"start";
  int m_nCount = 3;
  double m_dStep = 2.5;
  int m_bFlag = 1;
  int m_nChoice = 1;
  bool endAtInit = false;

  std::vector<std::wstring> log;
  CString initialName;  // the name field's text when the dialog opened
  int initialRadio = 0;
  AcGePoint3d picked;
  bool visibleAfterPick = false;
  int nameChanges = 0;

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnPick();
  void OnNested();
  void OnRadio(UINT id);
  void OnNameChanged();
  void OnListChanged(NMHDR* header, LRESULT* result);
  void OnComboChanged();
  LRESULT OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
  LRESULT OnPosted(WPARAM wp, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  CListCtrl m_list;
  CComboBox m_combo;
};

// TEST_SMALL (704): one text field and OK.
class TestSmall : public CAcUiDialog {
 public:
  TestSmall() : CAcUiDialog(704) {}
  CString m_strText;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, 501, m_strText); }
};

class TestPage : public CAcUiTabChildDialog {
 public:
  explicit TestPage(std::vector<std::wstring>& log, std::wstring name) : m_log(log), m_name(std::move(name)) {}
  void OnTabActivation(BOOL activate) override { m_log.push_back(m_name + (activate ? L" shown" : L" hidden")); }
  // Page A refuses to be left while its text says "stay".
  BOOL OnTabChanging() override;

 private:
  std::vector<std::wstring>& m_log;
  std::wstring m_name;
};

// TEST_TABS (701): a tab control with the pages TEST_PAGE_A and TEST_PAGE_B.
class TestTabs : public CAcUiTabMainDialog {
 public:
  TestTabs() : CAcUiTabMainDialog(701), m_a(log, L"A"), m_b(log, L"B") {}
  std::vector<std::wstring> log;
  TestPage& pageA() { return m_a; }
  TestPage& pageB() { return m_b; }
  CAcUiTab& tab() { return m_tab; }

  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 201, m_tab); }
  void OnClose() { EndDialog(IDCLOSE); }
  DECLARE_MESSAGE_MAP()

 private:
  CAcUiTab m_tab;
  TestPage m_a;
  TestPage m_b;
};

}  // namespace uvtest
