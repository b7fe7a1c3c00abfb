#include "module/contours/CContourClass.h"

#include <cwchar>

#include "ui/CDataExchange.h"
#include "ui/CWnd.h"

namespace {

constexpr UINT kAddImage = 228, kDeleteImage = 212;
constexpr UINT kMsgAddTip = 5156, kMsgDeleteTip = 5157;

}  // namespace

const CContourClass::Ids CContourClass::kMajor = {208, 217, 209, 218, 210, 219, 261, 262, 263, 220,
                                                  279, 281, 225, 283, 284, 282, 264, 265, 266, 267};
const CContourClass::Ids CContourClass::kMinor = {211, 221, 212, 222, 213, 223, 270, 271, 272, 224,
                                                  280, 285, 226, 287, 288, 286, 273, 274, 275, 276};

void CContourClass::Exchange(CDataExchange* dx) {
  DDX_Control(dx, m_ids.colour, m_colour);
  DDX_Control(dx, m_ids.linetype, m_linetype);
  DDX_Control(dx, m_ids.weight, m_weight);
  DDX_Control(dx, m_ids.interval, m_interval);
  DDX_Control(dx, m_ids.from, m_from);
  DDX_Control(dx, m_ids.to, m_to);
  DDX_Control(dx, m_ids.entry, m_entry);
  DDX_Control(dx, m_ids.levels, m_levels);
  DDX_Control(dx, m_ids.add, m_add);
  DDX_Control(dx, m_ids.remove, m_remove);
  DDX_NumericValue(dx, m_ids.interval, m_dInterval);
  DDX_NumericValue(dx, m_ids.from, m_dFrom);
  DDX_NumericValue(dx, m_ids.to, m_dTo);
}

void CContourClass::Initialize() {
  for (CNumericEdit* edit : {&m_interval, &m_from, &m_to, &m_entry}) {
    edit->SetDigits(8, 4);
    edit->SetSeparators(L'.', L',');
    edit->AllowNegative(TRUE);
  }
  m_interval.AllowNegative(FALSE);
  m_entry.SetWindowText(L"");

  m_add.SetBitmapImage(kAddImage);
  m_add.SetToolTipMessage(kMsgAddTip);
  m_remove.SetBitmapImage(kDeleteImage);
  m_remove.SetToolTipMessage(kMsgDeleteTip);

  m_linetype.Fill(L"ByLayer");
  m_colour.SetCurrentItemColorIndex(256);
  m_weight.SetCurrentItemLineWeight(CAcUiLineWeightComboBox::kByLayer);

  m_levels.InsertColumn(0, L"");
  m_levels.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
  m_levels.SetExtendedStyle(m_levels.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  m_levels.SetSortColumn(0, TRUE);
}

void CContourClass::Enable(CWnd& dialog, int mode, bool active) const {
  auto enable = [&dialog](std::initializer_list<UINT> ids, bool on) {
    for (UINT id : ids)
      if (CWnd* control = dialog.GetDlgItem(int(id))) control->EnableWindow(on ? TRUE : FALSE);
  };
  enable({m_ids.colour, m_ids.colourLabel, m_ids.linetype, m_ids.linetypeLabel, m_ids.weight, m_ids.weightLabel,
          m_ids.automatic, m_ids.given},
         active);
  const bool byInterval = active && mode == 0, given = active && mode == 1;
  enable({m_ids.interval, m_ids.intervalLabel, m_ids.intervalUnit, m_ids.from, m_ids.fromLabel, m_ids.to,
          m_ids.toLabel, m_ids.toUnit},
         byInterval);
  enable({m_ids.levels, m_ids.entry, m_ids.add, m_ids.remove}, given);
}

bool CContourClass::UpdateRange(double zmin, double zmax) {
  const auto range = uv::contours::RangeFromHeights(zmin, zmax, m_interval.GetValue());
  if (!range) return false;
  m_dFrom = range->from;
  m_dTo = range->to;
  return true;
}

void CContourClass::AddLevel() {
  CString row;
  row.Format(L"%.2f", m_entry.GetValue());
  m_levels.AddRow(row);
}

void CContourClass::DeleteLevels() { m_levels.DeleteSelectedRows(); }

uv::contours::IntervalCheck CContourClass::CheckInterval() const {
  return uv::contours::CheckInterval({m_dFrom, m_dTo}, m_dInterval);
}

std::vector<double> CContourClass::Levels(int mode) const {
  if (mode == 0) return uv::contours::LevelsByInterval({m_dFrom, m_dTo}, m_dInterval);
  std::vector<double> levels;
  for (int row = 0; row < m_levels.GetItemCount(); ++row)
    levels.push_back(std::wcstod(m_levels.GetItemText(row, 0).GetString(), nullptr));
  return levels;
}

CContourClass::Style CContourClass::CurrentStyle() const {
  Style style;
  style.colourIndex = m_colour.GetCurrentItemColorIndex();
  style.linetype = m_linetype.GetSelectedName();
  style.lineWeight = m_weight.GetCurrentItemLineWeight();
  return style;
}
