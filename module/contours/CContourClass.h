// One class of contour lines in the contour dialog (the major or the minor
// class): its pickers for colour, linetype and line weight, its mode
// (levels by interval over a range, or given in a list), and the controls
// of each mode. The two classes have the same controls under different
// ids; this class binds one set and applies the dialog's rules to it.
#pragma once

#include <vector>

#include "module/contours/ContourLevels.h"
#include "module/controls/CNumericEdit.h"
#include "module/controls/CReportCtrl.h"
#include "module/surfaces/CKVLLinetypeComboBox.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "ui/CAcUiColorComboBox.h"
#include "ui/CAcUiLineWeightComboBox.h"

class CDataExchange;
class CWnd;

class CContourClass {
 public:
  // The control ids of one class; labels that only follow enabling are
  // listed with the control they belong to.
  struct Ids {
    UINT colour, colourLabel, linetype, linetypeLabel, weight, weightLabel;
    UINT automatic, given;
    UINT interval, intervalLabel, intervalUnit;
    UINT from, fromLabel, to, toLabel, toUnit;
    UINT levels, entry, add, remove;
  };
  static const Ids kMajor;
  static const Ids kMinor;

  // How the class's contour polylines look.
  struct Style {
    int colourIndex = 256;           // 256 ByLayer; -1 when the picker has no selection
    CString linetype = L"ByLayer";
    int lineWeight = -1;             // the host's line weight; -1 ByLayer
  };

  CContourClass(const Ids& ids, double startInterval) : m_dInterval(startInterval), m_ids(ids) {}

  const Ids& ids() const { return m_ids; }

  // DDX of the controls and of interval, range from and range to.
  void Exchange(CDataExchange* dx);
  // Edits, pickers, the level list and the buttons as the dialog opens.
  void Initialize();
  // The enabling rules: `active` is false for a class that is not drawn.
  void Enable(CWnd& dialog, int mode, bool active) const;
  // The range from the surface's heights, with the interval as its edit
  // shows it now; false (the range left alone) when the interval gives none.
  bool UpdateRange(double zmin, double zmax);

  // The entry edit's value as a new row "%.2f"; the list sorts itself.
  void AddLevel();
  // Deletes the selected rows.
  void DeleteLevels();

  // The levels of the class in mode 0 (by interval) or 1 (the list's rows
  // in row order); the interval has been checked for mode 0.
  std::vector<double> Levels(int mode) const;
  uv::contours::IntervalCheck CheckInterval() const;
  CWnd& IntervalEdit() { return m_interval; }

  Style CurrentStyle() const;

  double m_dInterval;
  double m_dFrom = 0;
  double m_dTo = 0;

 private:
  Ids m_ids;
  CAcUiColorComboBox m_colour;
  CKVLLinetypeComboBox m_linetype;
  CAcUiLineWeightComboBox m_weight;
  CNumericEdit m_interval;
  CNumericEdit m_from;
  CNumericEdit m_to;
  CNumericEdit m_entry;
  CReportCtrl m_levels;
  CKVLBitmapButton m_add;
  CKVLBitmapButton m_remove;
};
