// The tree list, the sorted report list and the list with editable cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/controls/CListCtrlEx.h"
#include "module/controls/CReportCtrl.h"
#include "module/controls/CTreeListCtrl.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using uvtest::u8;

// A parent that writes down the notifications of its lists.
class Parent : public CWnd {
 public:
  Parent() { Create(nullptr, L"parent", WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0); }
  std::vector<std::string> log;

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) override {
    if (message != WM_NOTIFY) return CWnd::OnWndMsg(message, wp, lp, result);
    auto* nm = reinterpret_cast<const NMLISTVIEW*>(lp);
    if (nm->hdr.code == TLN_OPTIONCHANGED)
      log.push_back("option " + std::to_string(reinterpret_cast<const NMTREELIST*>(lp)->iRow));
    else if (nm->hdr.code == LXN_CELLCHANGED)
      log.push_back("cell " + std::to_string(nm->iItem) + "," + std::to_string(nm->iSubItem));
    else if (nm->hdr.code == LVN_ITEMCHANGED && (nm->uChanged & LVIF_STATE) &&
             ((nm->uOldState ^ nm->uNewState) & LVIS_STATEIMAGEMASK))
      log.push_back("check " + std::to_string(nm->iItem));
    return TRUE;
  }
};

int g_released = 0;

struct CountedRow : CTreeListRowData {
  explicit CountedRow(std::wstring t) : type(std::move(t)) {}
  ~CountedRow() override { ++g_released; }
  std::wstring type;
};

TEST(TreeList, RowsHaveACheckBoxAnOptionAndDataTheyOwn) {
  g_released = 0;
  {
    Parent parent;
    CTreeListCtrl tree;
    tree.Create(WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 1053);
    tree.InsertColumn(0, L"Type", LVCFMT_LEFT, 150);
    tree.InsertColumn(1, L"Elevation");
    for (const wchar_t* type : {L"POINT", L"TEXT", L"INSERT"}) {
      int row = tree.AddRow(type);
      tree.SetRowData(row, std::make_unique<CountedRow>(type));
    }
    tree.SetRowOption(1, L"<<-->>|Text value", L"<<-->>");
    tree.SetRowOption(2, L"<<-->>|ELEV|NAME", L"<<-->>");
    EXPECT_TRUE(tree.GetCheck(0));
    EXPECT_EQ(tree.GetRowChoices(2), (std::vector<CString>{L"<<-->>", L"ELEV", L"NAME"}));
    EXPECT_EQ(static_cast<CountedRow*>(tree.GetRowData(2))->type, L"INSERT");

    parent.log.clear();
    tree.applyUserAction(uv::DialogAction(L"tick", L"1053", {{L"TEXT", true}, {L"off", false}}));
    tree.applyUserAction(uv::DialogAction(L"option", L"1053", {{L"INSERT", true}, {L"ELEV", true}}));
    EXPECT_FALSE(tree.GetCheck(1));
    EXPECT_EQ(tree.GetRowOption(2), L"ELEV");
    EXPECT_EQ(parent.log, (std::vector<std::string>{"check 1", "option 2"}));
    uv::CellEditor editor = tree.cellEditor(2, 1);
    EXPECT_EQ(editor.type, uv::CellEditor::Type::kChoice);
    EXPECT_EQ(editor.selected, 1);
    EXPECT_EQ(tree.cellEditor(0, 1).type, uv::CellEditor::Type::kNone);

    try {
      tree.userChooseOption(2, L"TAG");
      FAIL() << "an option outside the pick list was taken";
    } catch (const uv::DialogActionRefused& e) {
      EXPECT_EQ(e.reason(), L"control 1053: the row \"INSERT\" offers \"<<-->>\", \"ELEV\", \"NAME\", not \"TAG\"");
    }
    try {
      tree.userChooseOption(0, L"x");
      FAIL() << "a row without a pick list took an option";
    } catch (const uv::DialogActionRefused& e) {
      EXPECT_EQ(e.reason(), L"control 1053: the row \"POINT\" has no options");
    }

    tree.DeleteItem(0);
    EXPECT_EQ(g_released, 1);
    EXPECT_EQ(static_cast<CountedRow*>(tree.GetRowData(0))->type, L"TEXT");
  }
  EXPECT_EQ(g_released, 3);  // the rest went with the control
}

TEST(ReportCtrl, RowsStaySortedAndSelectedRowsGoTogether) {
  Parent parent;
  CReportCtrl levels;
  levels.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 200), &parent, 264);
  levels.InsertColumn(0, L"");
  levels.SetSortColumn(0);
  EXPECT_EQ(levels.AddRow(L"105.00"), 0);
  EXPECT_EQ(levels.AddRow(L"100.12"), 0);
  EXPECT_EQ(levels.AddRow(L"b"), 2);
  EXPECT_EQ(levels.AddRow(L"B"), 2);  // equal ignoring case: the upper case first
  EXPECT_EQ(levels.AddRow(L"110.00"), 2);
  std::vector<std::wstring> rows;
  for (int i = 0; i < levels.GetItemCount(); ++i) rows.push_back(levels.GetItemText(i, 0).str());
  EXPECT_EQ(rows, (std::vector<std::wstring>{L"100.12", L"105.00", L"110.00", L"B", L"b"}));
  levels.userSelect({0, 2, 4}, false);
  EXPECT_EQ(levels.GetSelectedRows(), (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(levels.DeleteSelectedRows(), 3);
  EXPECT_EQ(levels.GetItemCount(), 2);
  EXPECT_EQ(levels.GetItemText(1, 0), L"B");
}

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.Create(WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(0, 0, 300, 200), &parent, 206);
    for (const wchar_t* h : {L"Layer", L"Name", L"Colour", L"Linetype"}) grid.InsertColumn(grid.columnCount(), h);
    grid.SetColumnCellType(1, CListCtrlEx::CellType::kText);
    grid.SetColumnCellType(2, CListCtrlEx::CellType::kColor);
    CStringArray linetypes;
    linetypes.Add(L"Continuous");
    linetypes.Add(L"DASHED");
    for (int row = 0; row < 2; ++row) {
      grid.InsertItem(row, row == 0 ? L"Triangles" : L"Contours");
      grid.SetItemText(row, 1, L"TIN");
      grid.SetItemText(row, 2, L"3");
      grid.SetCellChoices(row, 3, linetypes, row);
    }
  }
  Parent parent;
  CListCtrlEx grid;
};

TEST_F(GridTest, CellsAreEditedByTheirKind) {
  std::wstring error = uvtest::runScript(L"color 5\ncancel\n", [&] {
    grid.userEditCell(0, 1, CString(L"TIN 2"));
    grid.userEditCell(0, 2, std::nullopt);  // the colour dialog answers 5
    grid.userEditCell(1, 2, std::nullopt);  // cancelled
    grid.userEditCell(0, 3, CString(L"DASHED"));
  });
  ASSERT_EQ(error, L"") << u8(error);
  EXPECT_EQ(grid.GetItemText(0, 1), L"TIN 2");
  EXPECT_EQ(grid.GetItemText(0, 2), L"5");
  EXPECT_EQ(grid.GetItemText(1, 2), L"3");
  EXPECT_EQ(grid.GetItemText(0, 3), L"DASHED");
  EXPECT_EQ(grid.GetCellChoice(0, 3), 1);
  EXPECT_EQ(parent.log, (std::vector<std::string>{"cell 0,1", "cell 0,2", "cell 0,3"}));
}

TEST_F(GridTest, CellsRefuseWhatAPersonCouldNotEnter) {
  struct Case {
    int row, column;
    std::optional<CString> value;
    const wchar_t* reason;
  } cases[] = {
      {0, 0, CString(L"x"), L"control 206: the cell (0, 0) cannot be edited"},
      {0, 1, std::nullopt, L"control 206: the cell (0, 1) takes a text"},
      {0, 2, CString(L"7"), L"control 206: the cell (0, 2) is a colour cell; edit it without a value and answer the colour dialog"},
      {0, 3, CString(L"DOTTED"), L"control 206: the cell (0, 3) offers \"Continuous\", \"DASHED\""},
      {5, 1, CString(L"x"), L"control 206 has no row 5 (it has 2)"},
  };
  for (const auto& c : cases) {
    try {
      grid.userEditCell(c.row, c.column, c.value);
      ADD_FAILURE() << "cell " << c.row << "," << c.column << " took the edit";
    } catch (const uv::DialogActionRefused& e) {
      EXPECT_EQ(e.reason(), c.reason);
    }
  }
}

TEST_F(GridTest, CellSettingsFollowTheirRowsWhenRowsComeAndGo) {
  grid.InsertItem(0, L"Boundary");
  EXPECT_EQ(grid.GetCellChoice(1, 3), 0);
  EXPECT_EQ(grid.GetCellChoice(2, 3), 1);
  EXPECT_EQ(grid.cellEditor(0, 3).type, uv::CellEditor::Type::kNone);
  grid.DeleteItem(1);
  EXPECT_EQ(grid.GetCellChoice(1, 3), 1);
  EXPECT_EQ(grid.cellEditor(1, 3).choices.size(), 2u);
}

}  // namespace
