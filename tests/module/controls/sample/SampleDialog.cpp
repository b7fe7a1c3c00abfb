#include "SampleDialog.h"

#include "base/TextCase.h"
#include "ui/CAcUiDialog.h"
#include "ui/Resources.h"
#include "user/CurrentUser.h"

namespace sample {

void registerResources() {
  static bool done = false;
  if (done) return;
  done = true;
  uv::Resources::instance().addFolder(uv::fromUtf8(UV_SOURCE_DIR "/module/resources/sample"));
}

void TextPage::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_MARKER, m_strMarker);
  DDX_Check(dx, IDC_USE_MARKER, m_bUseMarker);
}

namespace {

// A small dialog the rename button opens.
class RenameDialog : public CAcUiDialog {
 public:
  RenameDialog() : CAcUiDialog(903) {}
  CString m_strName;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_NEW_NAME, m_strName); }
};

}  // namespace

BEGIN_MESSAGE_MAP(SampleDialog, CAcUiTabMainDialog)
  ON_BN_CLICKED(IDC_PUSH, &SampleDialog::OnAsk)
  ON_BN_CLICKED(IDC_XT, &SampleDialog::OnRename)
  ON_BN_CLICKED(IDC_PICK, &SampleDialog::OnPick)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_AREA_ALL, IDC_AREA_VIEW, &SampleDialog::OnArea)
  ON_BN_CLICKED(IDC_ADD_LEVEL, &SampleDialog::OnAddLevel)
  ON_BN_CLICKED(IDC_DELETE_LEVELS, &SampleDialog::OnDeleteLevels)
  ON_BN_CLICKED(IDCLOSE, &SampleDialog::OnClose)
  ON_CBN_SELCHANGE(IDC_COLOR, &SampleDialog::OnColour)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_SURFACE_LIST, &SampleDialog::OnSurfaceRowChanged)
  ON_NOTIFY(NM_CUSTOMDRAW, IDC_SURFACE_LIST, &SampleDialog::OnSurfaceRowColours)
  ON_NOTIFY(TLN_OPTIONCHANGED, IDC_TYPES, &SampleDialog::OnOptionChanged)
  ON_NOTIFY(LXN_CELLCHANGED, IDC_LAYER_GRID, &SampleDialog::OnCellChanged)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &SampleDialog::OnAcadKeepFocus)
END_MESSAGE_MAP()

void SampleDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_XT, m_rename);
  DDX_Control(dx, IDC_PICK, m_pick);
  DDX_Control(dx, IDC_NAME, m_name);
  DDX_Control(dx, IDC_STEP, m_step);
  DDX_Control(dx, IDC_LEVEL_ENTRY, m_entry);
  DDX_Control(dx, IDC_FILE, m_file);
  DDX_Control(dx, IDC_SURFACES, m_surfaces);
  DDX_Control(dx, IDC_COLOR, m_colour);
  DDX_Control(dx, IDC_LINEWEIGHT, m_weight);
  DDX_Control(dx, IDC_LEVELS, m_levels);
  DDX_Control(dx, IDC_ADD_LEVEL, m_addLevel);
  DDX_Control(dx, IDC_DELETE_LEVELS, m_deleteLevels);
  DDX_Control(dx, IDC_NAMES, m_names);
  DDX_Control(dx, IDC_SURFACE_LIST, m_surfaceList);
  DDX_Control(dx, IDC_LAYER_GRID, m_grid);
  DDX_Control(dx, IDC_TABS, m_tabs);
  DDX_Text(dx, IDC_NAME, m_strName);
  DDX_NumericValue(dx, IDC_STEP, m_dStep);
  DDX_Text(dx, IDC_COLUMN, m_nColumn);
  DDX_Text(dx, IDC_MIN, m_strMinimum);
  DDX_Text(dx, IDC_FILE, m_strFile);
  DDX_Text(dx, IDC_NOTES, m_strNotes);
  DDX_Check(dx, IDC_GROUPED, m_bGroup);
  DDX_Radio(dx, IDC_AREA_ALL, m_nArea);
}

BOOL SampleDialog::OnInitDialog() {
  m_step.SetDigits(8, 4);
  m_step.AllowNegative(FALSE);
  CAcUiTabMainDialog::OnInitDialog();

  m_name.SetRefusedCharacters(L" !#&@/\\");
  m_file.EnableFileBrowseButton(L"kvb", L"*.kvb|*.kvb|*.*|*.*||", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  m_file.SetSaveDialog(TRUE);
  m_rename.SetXButtonStyle(BS_XT_XPFLAT);
  m_rename.EnableWindow(FALSE);
  m_tips.Create(this);
  m_tips.AddTool(&m_rename, L"Rename the selected surface");

  for (const wchar_t* name : {L"Teren", L"Bager", L"apex"}) m_surfaces.AddString(name);
  m_surfaces.SetCurSel(m_surfaces.FindStringExact(-1, L"TEREN"));
  m_colour.SetCurSel(m_colour.FindItemByColorIndex(256));
  m_weight.SetCurSel(m_weight.FindItemByLineWeight(CAcUiLineWeightComboBox::kByLayer));

  m_levels.InsertColumn(0, L"");
  m_levels.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
  m_levels.SetSortColumn(0);
  for (const wchar_t* name : {L"Roads", L"0", L"Walls"}) m_names.AddString(name);

  m_images.Create(913, 16, 1, RGB(255, 0, 255));
  m_surfaceList.SetImageList(&m_images, LVSIL_SMALL);
  m_surfaceList.InsertColumn(0, L"Name", LVCFMT_LEFT, 70);
  m_surfaceList.InsertColumn(1, L"Description");
  m_surfaceList.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
  m_surfaceList.InsertItem(0, L"Teren", 0);
  m_surfaceList.SetItemText(0, 1, L"Survey 2014");
  m_surfaceList.InsertItem(1, L"Bager", 1);
  m_surfaceList.SetItemText(1, 1, L"Kept in a file");

  const wchar_t* headings[] = {L"Layer", L"Name", L"Colour", L"Linetype"};
  const int widths[] = {50, 40, 34, 0};
  for (int c = 0; c < 4; ++c)
    m_grid.InsertColumn(c, headings[c], c == 0 ? LVCFMT_LEFT : LVCFMT_CENTER, widths[c]);
  m_grid.SetColumnWidth(3, LVSCW_AUTOSIZE_USEHEADER);
  m_grid.SetColumnCellType(1, CListCtrlEx::CellType::kText);
  m_grid.SetColumnCellType(2, CListCtrlEx::CellType::kColor);
  CStringArray linetypes;
  for (const wchar_t* name : {L"ByLayer", L"Continuous", L"DASHED"}) linetypes.Add(name);
  const wchar_t* layers[][3] = {{L"Triangles", L"TIN", L"3"}, {L"Contours", L"CONT", L"1"}};
  for (int r = 0; r < 2; ++r) {
    m_grid.InsertItem(r, layers[r][0]);
    m_grid.SetItemText(r, 1, layers[r][1]);
    m_grid.SetItemText(r, 2, layers[r][2]);
    m_grid.SetCellChoices(r, 3, linetypes, r + 1);
  }

  CRect frame;
  GetDlgItem(IDC_TYPES_FRAME)->GetWindowRect(&frame);
  ScreenToClient(&frame);
  frame.DeflateRect(2, 2);
  m_types.Create(WS_VISIBLE | WS_BORDER, frame, this, IDC_TYPES);
  m_types.setControlName(L"IDC_TYPES");
  m_types.InsertColumn(0, L"Type", LVCFMT_LEFT, 110);
  m_types.InsertColumn(1, L"Elevation");
  m_types.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
  struct Row {
    const wchar_t* label;
    const wchar_t* type;
    const wchar_t* block;
    const wchar_t* choices;
  } rows[] = {{L"Point", L"POINT", L"", nullptr},
              {L"Text", L"TEXT", L"", L"<<-->>|Text value"},
              {L"Line", L"LINE", L"", nullptr},
              {L"Block KVX_ELEV", L"INSERT", L"KVX_ELEV", L"<<-->>|ELEV|NAME"}};
  for (const auto& r : rows) {
    int row = m_types.AddRow(r.label);
    m_types.SetRowData(row, std::make_unique<TypeRow>(r.type, r.block));
    if (r.choices) m_types.SetRowOption(row, r.choices, L"<<-->>");
  }

  SetAcadTabPointer(&m_tabs);
  m_tabs.AddTab(0, L"Text", 901, &m_textPage);
  m_tabs.AddTab(1, L"Drawing", 902, &m_drawingPage);
  return TRUE;
}

void SampleDialog::OnAsk() {
  int answer = MessageBox(L"Delete the surface \"Teren\"?", L"Sample", MB_YESNO | MB_ICONQUESTION);
  log.push_back(answer == IDYES ? L"ask yes" : L"ask no");
}

void SampleDialog::OnRename() {
  int row = m_surfaceList.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0) return;
  RenameDialog dialog;
  dialog.m_strName = m_surfaceList.GetItemText(row, 0);
  if (dialog.DoModal() == IDOK) m_surfaceList.SetItemText(row, 0, dialog.m_strName);
  log.push_back(L"renamed " + m_surfaceList.GetItemText(row, 0).str());
}

void SampleDialog::OnPick() {
  BeginEditorCommand();
  uv::PointAnswer a = uv::currentUser().getPoint({L"Pick a corner of the area:"});
  CompleteEditorCommand();
  if (a.status == uv::InputStatus::kOk)
    log.push_back(L"picked " + std::to_wstring(int(a.point.x)) + L"," + std::to_wstring(int(a.point.y)));
}

void SampleDialog::OnArea(UINT) {
  UpdateData(TRUE);
  m_step.EnableWindow(m_nArea == 1);
}

void SampleDialog::OnAddLevel() {
  CString text;
  text.Format(L"%.2f", m_entry.GetValue());
  m_levels.AddRow(text);
}

void SampleDialog::OnDeleteLevels() { m_levels.DeleteSelectedRows(); }

void SampleDialog::OnColour() { log.push_back(L"colour " + std::to_wstring(m_colour.GetCurrentItemColorIndex())); }

void SampleDialog::OnSurfaceRowChanged(NMHDR* header, LRESULT*) {
  auto* nm = reinterpret_cast<NMLISTVIEW*>(header);
  if (!(nm->uChanged & LVIF_STATE) || !((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED)) return;
  m_rename.EnableWindow(m_surfaceList.GetSelectedCount() == 1);
}

void SampleDialog::OnSurfaceRowColours(NMHDR* header, LRESULT* result) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *result = CDRF_NOTIFYITEMDRAW;
    return;
  }
  // The current surface is shown on yellow.
  if (int(draw->nmcd.dwItemSpec) == m_currentSurface) draw->clrTextBk = RGB(255, 255, 0);
  *result = CDRF_DODEFAULT;
}

void SampleDialog::OnOptionChanged(NMHDR* header, LRESULT*) {
  int row = reinterpret_cast<NMTREELIST*>(header)->iRow;
  log.push_back(L"option " + m_types.GetItemText(row, 0).str() + L" " + m_types.GetRowOption(row).str());
}

void SampleDialog::OnCellChanged(NMHDR* header, LRESULT*) {
  auto* nm = reinterpret_cast<NMLISTVIEW*>(header);
  log.push_back(L"cell " + std::to_wstring(nm->iItem) + L"," + std::to_wstring(nm->iSubItem) + L" " +
                m_grid.GetItemText(nm->iItem, nm->iSubItem).str());
}

void SampleDialog::OnOK() {
  if (!UpdateData(TRUE) || !m_textPage.UpdateData(TRUE) || !m_drawingPage.UpdateData(TRUE)) return;
  if (m_strName.IsEmpty()) {
    MessageBox(L"Enter a name for the surface.", L"Sample", MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(&m_name);
    return;
  }
  SampleResult r;
  r.surface = m_surfaces.windowText().str();
  r.colour = m_colour.GetCurrentItemColorIndex();
  r.lineWeight = m_weight.GetCurrentItemLineWeight();
  for (int i = 0; i < m_levels.GetItemCount(); ++i) r.levels.push_back(m_levels.GetItemText(i, 0).str());
  for (int i = 0; i < m_names.GetCount(); ++i)
    if (m_names.GetSel(i)) {
      CString text;
      m_names.GetText(i, text);
      r.names.push_back(text.str());
    }
  for (int i = 0; i < m_surfaceList.GetItemCount(); ++i) r.surfaceRows.push_back(m_surfaceList.GetItemText(i, 0).str());
  for (int c = 0; c < 4; ++c) r.gridRow0.push_back(m_grid.GetItemText(0, c).str());
  for (int i = 0; i < m_types.GetItemCount(); ++i) {
    auto* data = static_cast<TypeRow*>(m_types.GetRowData(i));
    r.types.push_back(data->type + (m_types.GetCheck(i) ? L" on " : L" off ") + m_types.GetRowOption(i).str());
  }
  r.keep = m_drawingPage.m_bKeep != 0;
  r.marker = m_textPage.m_strMarker.str();
  result = r;
  EndDialog(IDOK);
}

}  // namespace sample
