// Handlers bound by message maps: lookup by code and id, ranges, the base
// class's table behind the derived one, and a control's reflected
// notifications before its parent's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/CButton.h"
#include "ui/CWnd.h"

namespace {

std::vector<std::string> g_log;

class Base : public CWnd {
 public:
  virtual void OnTen() { g_log.push_back("base ten"); }
  void OnEleven() { g_log.push_back("base eleven"); }
  void OnRange(UINT id) { g_log.push_back("range " + std::to_string(id)); }
  void OnNotified(NMHDR* h, LRESULT* r) {
    g_log.push_back("notify " + std::to_string(h->idFrom));
    *r = 7;
  }
  LRESULT OnCustom(WPARAM wp, LPARAM lp) { return LRESULT(wp + lp); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Base, CWnd)
  ON_BN_CLICKED(10, &Base::OnTen)
  ON_BN_CLICKED(11, &Base::OnEleven)
  ON_CONTROL_RANGE(BN_CLICKED, 20, 29, &Base::OnRange)
  ON_NOTIFY(NM_CLICK, 30, &Base::OnNotified)
  ON_MESSAGE(WM_USER + 1, &Base::OnCustom)
END_MESSAGE_MAP()

class Derived : public Base {
 public:
  void OnTen() override { g_log.push_back("derived ten"); }
  void OnEleven2() { g_log.push_back("derived eleven"); }
  DECLARE_MESSAGE_MAP()
};

// The derived table is searched first: its entry for 11 wins; 10 still
// reaches the base's entry, which calls the virtual override.
BEGIN_MESSAGE_MAP(Derived, Base)
  ON_BN_CLICKED(11, &Derived::OnEleven2)
END_MESSAGE_MAP()

class SelfHandlingButton : public CButton {
 public:
  BOOL passOn = FALSE;
  BOOL OnClicked() {
    g_log.push_back("button itself");
    return !passOn;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfHandlingButton, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &SelfHandlingButton::OnClicked)
END_MESSAGE_MAP()

LRESULT command(CWnd& w, UINT code, UINT id) { return w.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), WORD(code))); }

TEST(MessageMap, CommandsFindTheirHandlerByCodeAndId) {
  g_log.clear();
  Derived d;
  command(d, BN_CLICKED, 10);
  command(d, BN_CLICKED, 11);
  command(d, BN_CLICKED, 25);
  command(d, BN_CLICKED, 30);      // no entry: nothing happens
  command(d, CBN_SELCHANGE, 10);   // another code: nothing happens
  EXPECT_EQ(g_log, (std::vector<std::string>{"derived ten", "derived eleven", "range 25"}));
}

TEST(MessageMap, NotificationsAndMessagesReturnTheHandlersResult) {
  g_log.clear();
  Base b;
  NMHDR header;
  header.idFrom = 30;
  header.code = NM_CLICK;
  EXPECT_EQ(b.SendMessage(WM_NOTIFY, 30, LPARAM(&header)), 7);
  EXPECT_EQ(g_log, std::vector<std::string>{"notify 30"});
  EXPECT_EQ(b.SendMessage(WM_USER + 1, 3, 4), 7);
  EXPECT_EQ(b.SendMessage(WM_USER + 2, 3, 4), 0);  // unhandled messages answer 0
}

TEST(MessageMap, AControlHandlesItsOwnNotificationBeforeItsParent) {
  g_log.clear();
  Derived parent;
  parent.Create(nullptr, L"parent", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0);
  SelfHandlingButton button;
  button.Create(L"ten", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &parent, 10);
  button.userClick();
  EXPECT_EQ(g_log, std::vector<std::string>{"button itself"});
  button.passOn = TRUE;
  button.userClick();
  EXPECT_EQ(g_log, (std::vector<std::string>{"button itself", "button itself", "derived ten"}));
}

}  // namespace
