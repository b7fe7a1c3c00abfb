// A report list whose cells a person edits: text cells typed in place,
// colour cells edited in the host's colour dialog (acedSetColorDialog,
// ByLayer and ByBlock not offered; the colour index is written in
// decimal), and drop-down cells that choose one of a list of texts. Each
// edit sends LXN_CELLCHANGED (an NMLISTVIEW with the row and column) to
// the parent.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "base/CStringArray.h"
#include "ui/CListCtrl.h"

constexpr UINT LXN_CELLCHANGED = UINT(-2410);

class CListCtrlEx : public CListCtrl {
 public:
  enum class CellType { kReadOnly, kText, kColor, kChoice };

  // The type of every cell of the column that has no type of its own.
  void SetColumnCellType(int column, CellType type);
  void SetCellType(int row, int column, CellType type);
  CellType GetCellType(int row, int column) const;
  // Makes the cell a drop-down of these texts with `selected` chosen (-1:
  // none); the cell shows the chosen text.
  void SetCellChoices(int row, int column, const CStringArray& choices, int selected);
  // The index of the chosen text, -1 when none.
  int GetCellChoice(int row, int column) const;

  uv::CellEditor cellEditor(int item, int subItem) const override;
  // Text cells take the value; drop-down cells one of their texts; colour
  // cells take no value and open the colour dialog.
  void userEditCell(int item, int subItem, const std::optional<CString>& value) override;

 private:
  struct Choices {
    std::vector<CString> texts;
    int selected = -1;
  };
  // Cell settings are kept by row position and follow rows inserted or
  // deleted before them; sorting the list leaves them where they were.
  std::map<std::pair<int, int>, CellType> m_cellTypes;
  std::map<int, CellType> m_columnTypes;
  std::map<std::pair<int, int>, Choices> m_choices;

  void cellChanged(int row, int column);
  // Moves the settings of rows from `first` on by `delta` (dropping `first`
  // itself when delta is -1).
  void shiftRows(int first, int delta);

 protected:
  BOOL OnInsertItem(NMHDR* header, LRESULT* result);
  BOOL OnDeleteItem(NMHDR* header, LRESULT* result);
  void OnDestroy() override;

  DECLARE_MESSAGE_MAP()
};
