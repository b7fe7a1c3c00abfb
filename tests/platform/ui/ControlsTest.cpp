// The standard controls as a person and the program use them: what each
// action changes and which notifications it sends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/CAcUiColorComboBox.h"
#include "ui/CAcUiLineWeightComboBox.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CListBox.h"
#include "ui/CListCtrl.h"
#include "ui/CToolTipCtrl.h"
#include "ui/Feedback.h"

namespace {

using uvtest::u8;

// A parent that writes down every notification its children send.
class Recorder : public CWnd {
 public:
  Recorder() { Create(nullptr, L"parent", WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0); }
  std::vector<std::string> log;
  COLORREF rowColour = CLR_DEFAULT;

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) override {
    if (message == WM_COMMAND) {
      log.push_back("command " + std::to_string(LOWORD(wp)) + " code " + std::to_string(HIWORD(wp)));
      return TRUE;
    }
    if (message == WM_NOTIFY) {
      const NMHDR* h = reinterpret_cast<const NMHDR*>(lp);
      if (h->code == LVN_ITEMCHANGED) {
        auto* nm = reinterpret_cast<const NMLISTVIEW*>(lp);
        log.push_back("changed " + std::to_string(nm->iItem) + " " + std::to_string(nm->uOldState) + "->" +
                      std::to_string(nm->uNewState));
      } else if (h->code == NM_CUSTOMDRAW) {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lp);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) *result = CDRF_NOTIFYITEMDRAW;
        else if (draw->nmcd.dwItemSpec == 1) draw->clrTextBk = rowColour;
      } else if (h->code != LVN_ITEMCHANGING && h->code != LVN_INSERTITEM && h->code != NM_CLICK) {
        log.push_back("notify " + std::to_string(int(h->code)));
      }
      return TRUE;
    }
    return CWnd::OnWndMsg(message, wp, lp, result);
  }
};

TEST(Edit, TypedAndPastedTextFollowsTheWindowsRules) {
  struct Case {
    DWORD style;
    UINT limit;
    bool paste;
    const wchar_t* input;
    const wchar_t* text;
    size_t beeps;
  } cases[] = {
      {0, 0, false, L"Teren 1", L"Teren 1", 0},
      {ES_NUMBER, 0, false, L"1a2-3", L"123", 2},
      {ES_NUMBER, 0, true, L"1a2-3", L"1a2-3", 0},  // Windows lets pasted text through
      {0, 4, false, L"abcdef", L"abcd", 2},
      {0, 4, true, L"abcdef", L"abcd", 0},
      {0, 0, false, L"ab\bc", L"ac", 0},  // a backspace deletes
  };
  for (const auto& c : cases) {
    Recorder parent;
    CEdit edit;
    edit.Create(WS_VISIBLE | c.style, CRect(0, 0, 80, 20), &parent, 7);
    edit.SetLimitText(c.limit);
    edit.SetWindowText(L"old");
    uv::Feedback::clearBeeps();
    parent.log.clear();
    if (c.paste) edit.userPaste(c.input);
    else edit.userType(c.input);
    EXPECT_EQ(edit.windowText(), c.text) << u8(c.input);
    EXPECT_EQ(uv::Feedback::beeps().size(), c.beeps) << u8(c.input);
    EXPECT_FALSE(parent.log.empty()) << "EN_CHANGE expected for " << u8(c.input);
    EXPECT_EQ(parent.log.back(), "command 7 code " + std::to_string(EN_CHANGE));
  }
}

TEST(Edit, ReadOnlyFieldRefusesScriptsAndBeepsAtKeys) {
  Recorder parent;
  CEdit edit;
  edit.Create(WS_VISIBLE | ES_READONLY, CRect(0, 0, 80, 20), &parent, 7);
  edit.SetWindowText(L"101.37");
  uv::Feedback::clearBeeps();
  edit.userType(L"5");
  EXPECT_EQ(edit.windowText(), L"101.37");
  EXPECT_EQ(uv::Feedback::beeps().size(), 1u);
  EXPECT_THROW(edit.applyUserAction(uv::DialogAction(L"set", L"7", {{L"x", true}})), uv::DialogActionRefused);
}

TEST(ComboBox, SortedListsFindWholeTextsIgnoringCase) {
  Recorder parent;
  CComboBox combo;
  combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(0, 0, 80, 100), &parent, 5);
  for (const wchar_t* name : {L"teren", L"Bager", L"apex", L"Teren_1"}) combo.AddString(name);
  std::vector<std::wstring> order;
  for (int i = 0; i < combo.GetCount(); ++i) {
    CString t;
    combo.GetLBText(i, t);
    order.push_back(t.str());
  }
  EXPECT_EQ(order, (std::vector<std::wstring>{L"apex", L"Bager", L"teren", L"Teren_1"}));
  EXPECT_EQ(combo.FindStringExact(-1, L"TEREN"), 2);
  EXPECT_EQ(combo.FindStringExact(2, L"TEREN"), 2);  // searching after it wraps round to it
  EXPECT_EQ(combo.FindStringExact(-1, L"Tere"), CB_ERR);
  EXPECT_EQ(combo.FindString(-1, L"TER"), 2);
  EXPECT_EQ(combo.FindString(2, L"TER"), 3);

  combo.SetCurSel(1);
  EXPECT_TRUE(parent.log.empty()) << "the program's SetCurSel sends nothing";
  EXPECT_EQ(combo.windowText(), L"Bager");
  combo.userChoose(3);
  EXPECT_EQ(parent.log.back(), "command 5 code " + std::to_string(CBN_SELCHANGE));
  EXPECT_EQ(combo.GetCurSel(), 3);
  EXPECT_THROW(combo.userChoose(4), uv::DialogActionRefused);
}

TEST(Button, AnAutomaticRadioButtonUnchecksOnlyItsGroup) {
  Recorder parent;
  CButton a, b, c, other;
  a.Create(L"a", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(), &parent, 1);
  b.Create(L"b", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(), &parent, 2);
  c.Create(L"c", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(), &parent, 3);
  other.Create(L"o", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(), &parent, 4);
  a.SetCheck(BST_CHECKED);
  other.SetCheck(BST_CHECKED);
  c.userClick();
  EXPECT_EQ(a.GetCheck(), 0);
  EXPECT_EQ(c.GetCheck(), 1);
  EXPECT_EQ(other.GetCheck(), 1);
  EXPECT_EQ(parent.GetCheckedRadioButton(1, 3), 3);
  EXPECT_EQ(parent.log.back(), "command 3 code 0");
}

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.Create(WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(0, 0, 304, 100), &parent, 9);
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    list.InsertColumn(1, L"Description");
    for (const wchar_t* name : {L"A", L"B", L"C"}) list.InsertItem(list.GetItemCount(), name);
    parent.log.clear();
  }
  Recorder parent;
  CListCtrl list;
};

TEST_F(ListTest, SelectingARowDeselectsThePreviousOneWithNotifications) {
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(parent.log, std::vector<std::string>{"changed 0 0->2"});
  parent.log.clear();
  list.userSelect({2}, false);
  EXPECT_EQ(parent.log, (std::vector<std::string>{"changed 0 2->0", "changed 2 0->3"}));
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
  EXPECT_EQ(list.GetSelectedCount(), 1u);
  EXPECT_THROW(list.userSelect({0, 1}, false), uv::DialogActionRefused);
  EXPECT_THROW(list.userSelect({5}, false), uv::DialogActionRefused);
}

TEST_F(ListTest, MultipleSelectionIteratesInRowOrder) {
  list.ModifyStyle(LVS_SINGLESEL, 0);
  list.userSelect({2}, false);
  list.userSelect({0}, true);
  std::vector<int> rows;
  for (POSITION p = list.GetFirstSelectedItemPosition(); p;) rows.push_back(list.GetNextSelectedItem(p));
  EXPECT_EQ(rows, (std::vector<int>{0, 2}));
  list.userSelect({1}, false);
  EXPECT_EQ(list.GetSelectedCount(), 1u);
}

TEST_F(ListTest, SortItemsComparesItemData) {
  for (int i = 0; i < 3; ++i) list.SetItemData(i, DWORD_PTR(10 - i));
  list.SortItems([](LPARAM a, LPARAM b, LPARAM) { return int(a - b); }, 0);
  EXPECT_EQ(list.GetItemText(0, 0), L"C");
  EXPECT_EQ(list.GetItemText(2, 0), L"A");
}

TEST_F(ListTest, AutosizeUsesTheHeaderAndTheLastColumnFillsTheList) {
  list.SetItemText(0, 1, L"a longer description");
  list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
  EXPECT_EQ(list.GetColumnWidth(0), 4 * 6 + 12);  // "Name" is wider than its cells
  list.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
  EXPECT_EQ(list.GetColumnWidth(0) + list.GetColumnWidth(1), 300);  // the list's width inside its border
  list.SetColumnWidth(1, LVSCW_AUTOSIZE);
  EXPECT_EQ(list.GetColumnWidth(1), 20 * 6 + 12);
}

TEST_F(ListTest, CheckBoxesAndRowColoursComeFromTheModel) {
  EXPECT_THROW(list.userTick(0, true), uv::DialogActionRefused);
  list.SetExtendedStyle(LVS_EX_CHECKBOXES);
  EXPECT_FALSE(list.GetCheck(1));
  list.userTick(1, true);
  EXPECT_TRUE(list.GetCheck(1));
  EXPECT_EQ(parent.log.back(), "changed 1 4096->8192");  // state image 1 -> 2
  parent.rowColour = RGB(255, 255, 0);
  EXPECT_EQ(list.itemColours(1, 0).background, RGB(255, 255, 0));
  EXPECT_EQ(list.itemColours(0, 0).background, CLR_DEFAULT);
}

TEST(ListCtrl, SortedListsInsertInTextOrder) {
  Recorder parent;
  CListCtrl list;
  list.Create(WS_VISIBLE | LVS_REPORT | LVS_SORTASCENDING, CRect(0, 0, 100, 100), &parent, 9);
  list.InsertColumn(0, L"");
  for (const wchar_t* name : {L"walls", L"0", L"Roads"}) list.InsertItem(0, name);
  EXPECT_EQ(list.GetItemText(0, 0), L"0");
  EXPECT_EQ(list.GetItemText(1, 0), L"Roads");
  EXPECT_EQ(list.GetItemText(2, 0), L"walls");
}

TEST(HostPickers, SelectColourOpensTheColourDialogAndKeepsTheChoice) {
  Recorder parent;
  CAcUiColorComboBox colours;
  std::wstring error = uvtest::runScript(L"color 30\ncancel\n", [&] {
    colours.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &parent, 3);
    ASSERT_EQ(colours.GetCount(), 10);
    EXPECT_EQ(colours.GetItemColorIndex(0), 256);
    EXPECT_EQ(colours.GetItemColorIndex(1), 0);
    colours.SetCurSel(colours.FindItemByColorIndex(256));
    colours.userChoose(colours.GetCount() - 1);  // "Select colour...", answered 30
    EXPECT_EQ(colours.GetCurrentItemColorIndex(), 30);
    CString text;
    colours.GetLBText(colours.GetCurSel(), text);
    EXPECT_EQ(text, L"Colour 30");
    EXPECT_EQ(colours.GetCurSel(), colours.GetCount() - 2);  // before "Select colour..."
    colours.userChoose(colours.GetCount() - 1);  // cancelled: the previous colour comes back
    EXPECT_EQ(colours.GetCurrentItemColorIndex(), 30);
  });
  EXPECT_EQ(error, L"") << u8(error);
  EXPECT_EQ(parent.log.back(), "command 3 code " + std::to_string(CBN_SELCHANGE));
}

TEST(HostPickers, LineWeightsAreListedInMillimetres) {
  Recorder parent;
  CAcUiLineWeightComboBox weights;
  weights.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &parent, 4);
  EXPECT_EQ(weights.GetCurSel(), -1);
  weights.SetCurSel(weights.FindItemByLineWeight(CAcUiLineWeightComboBox::kByLayer));
  EXPECT_EQ(weights.GetCurrentItemLineWeight(), -1);
  int item = weights.FindItemByLineWeight(25);
  CString text;
  weights.GetLBText(item, text);
  EXPECT_EQ(text, L"0.25 mm");
  weights.SetUseDefault(FALSE);
  EXPECT_EQ(weights.FindItemByLineWeight(CAcUiLineWeightComboBox::kDefault), -1);
  EXPECT_EQ(weights.GetCurrentItemLineWeight(), -1);  // the selection survives the refill
}

TEST(ToolTips, ShowOnTheirWindowsWhileActive) {
  Recorder parent;
  CButton button;
  button.Create(L"b", WS_VISIBLE, CRect(), &parent, 1);
  CToolTipCtrl tips;
  tips.Create(&parent);
  tips.AddTool(&button, L"Add the level");
  EXPECT_EQ(button.toolTip(), L"Add the level");
  tips.Activate(FALSE);
  EXPECT_EQ(button.toolTip(), L"");
  tips.Activate(TRUE);
  EXPECT_EQ(button.toolTip(), L"Add the level");
}

TEST(ListBox, MultipleSelectionAddsOrReplaces) {
  Recorder parent;
  CListBox box;
  box.Create(WS_VISIBLE | LBS_EXTENDEDSEL | LBS_SORT, CRect(), &parent, 6);
  for (const wchar_t* s : {L"c", L"a", L"b"}) box.AddString(s);
  box.userSelect({0}, false);
  box.userSelect({2}, true);
  int items[3] = {};
  ASSERT_EQ(box.GetSelItems(3, items), 2);
  EXPECT_EQ(items[0], 0);
  EXPECT_EQ(items[1], 2);
  box.userSelect({1}, false);
  EXPECT_EQ(box.GetSelCount(), 1);
  EXPECT_EQ(parent.log.back(), "command 6 code " + std::to_string(LBN_SELCHANGE));
}

}  // namespace
