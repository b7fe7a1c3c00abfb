// The sample dialog (template 900 UV_SAMPLE): one control of every kind,
// written as the module writes its dialogs, so that a script can drive
// them all and a front end can show them all. OK reads every control into
// `result`.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "module/controls/CAlphanumericEdit.h"
#include "module/controls/CBrowseEdit.h"
#include "module/controls/CListCtrlEx.h"
#include "module/controls/CNumericEdit.h"
#include "module/controls/CReportCtrl.h"
#include "module/controls/CTreeListCtrl.h"
#include "ui/CAcUiColorComboBox.h"
#include "ui/CAcUiLineWeightComboBox.h"
#include "ui/CAdUiTabChildDialog.h"
#include "ui/CAdUiTabMainDialog.h"
#include "ui/CBitmapButton.h"
#include "ui/CComboBox.h"
#include "ui/CListBox.h"
#include "ui/CToolTipCtrl.h"
#include "ui/CXTButton.h"

namespace sample {

enum : UINT {
  IDC_PUSH = 1001, IDC_XT, IDC_PICK, IDC_GROUPED, IDC_AREA_ALL, IDC_AREA_POLYGON, IDC_AREA_VIEW,
  IDC_NAME = 1010, IDC_STEP, IDC_COLUMN, IDC_MIN, IDC_FILE, IDC_NOTES,
  IDC_TABS = 1020,
  IDC_SURFACES = 1030, IDC_COLOR, IDC_LINEWEIGHT,
  IDC_LEVELS = 1040, IDC_LEVEL_ENTRY, IDC_ADD_LEVEL, IDC_DELETE_LEVELS,
  IDC_NAMES = 1045,
  IDC_SURFACE_LIST = 1050, IDC_LAYER_GRID, IDC_TYPES_FRAME, IDC_TYPES,
  IDC_MARKER = 1101, IDC_USE_MARKER,
  IDC_KEEP = 1201, IDC_MARKER2,
  IDC_NEW_NAME = 1301,
};

// Registers module/resources/sample once.
void registerResources();

struct TypeRow : CTreeListRowData {
  TypeRow(std::wstring t, std::wstring b) : type(std::move(t)), block(std::move(b)) {}
  std::wstring type;
  std::wstring block;
};

class TextPage : public CAcUiTabChildDialog {
 public:
  CString m_strMarker = L"#";
  int m_bUseMarker = 1;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};

class DrawingPage : public CAcUiTabChildDialog {
 public:
  int m_bKeep = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, IDC_KEEP, m_bKeep); }
};

// What OK read from the controls.
struct SampleResult {
  std::wstring surface;
  int colour = -1;
  int lineWeight = -2;
  std::vector<std::wstring> levels;
  std::vector<std::wstring> names;
  std::vector<std::wstring> surfaceRows;
  std::vector<std::wstring> gridRow0;
  std::vector<std::wstring> types;  // "TEXT on Text value"
  bool keep = false;
  std::wstring marker;
};

class SampleDialog : public CAcUiTabMainDialog {
 public:
  SampleDialog() : CAcUiTabMainDialog(900) {}

  CString m_strName = L"Teren";
  double m_dStep = 10;
  int m_nColumn = 1;
  int m_bGroup = 0;
  int m_nArea = 0;
  CString m_strFile = L"c:\\drawing.kvb";
  CString m_strNotes;
  CString m_strMinimum = L"101.37";

  std::vector<std::wstring> log;
  SampleResult result;

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnAsk();
  void OnRename();
  void OnPick();
  void OnArea(UINT id);
  void OnAddLevel();
  void OnDeleteLevels();
  void OnColour();
  void OnClose() { EndDialog(IDCLOSE); }
  void OnSurfaceRowChanged(NMHDR* header, LRESULT* result);
  void OnSurfaceRowColours(NMHDR* header, LRESULT* result);
  void OnOptionChanged(NMHDR* header, LRESULT* result);
  void OnCellChanged(NMHDR* header, LRESULT* result);
  LRESULT OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }

  DECLARE_MESSAGE_MAP()

 private:
  CXTButton m_rename;
  CBitmapButton m_pick;
  CAlphanumericEdit m_name;
  CNumericEdit m_step;
  CNumericEdit m_entry;
  CBrowseEdit m_file;
  CComboBox m_surfaces;
  CAcUiColorComboBox m_colour;
  CAcUiLineWeightComboBox m_weight;
  CReportCtrl m_levels;
  CBitmapButton m_addLevel;
  CBitmapButton m_deleteLevels;
  CListBox m_names;
  CListCtrl m_surfaceList;
  CListCtrlEx m_grid;
  CTreeListCtrl m_types;
  CAcUiTab m_tabs;
  TextPage m_textPage;
  DrawingPage m_drawingPage;
  CImageList m_images;
  CToolTipCtrl m_tips;
  int m_currentSurface = 0;
};

}  // namespace sample
