#include "module/surfaces/dlg_UpravljanjePlohama.h"

#include <set>

#include "ed/AcApDocManager.h"
#include "ed/ResourceHandleScope.h"
#include "module/components/SurfaceFiles.h"
#include "module/components/SurfaceSaving.h"
#include "module/surfaces/SurfaceNaming.h"
#include "module/surfaces/dlg_NovaPloha.h"
#include "module/surfaces/dlg_UredjivanjePlohe.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/InputFile.h"
#include "base/SafeFileWriter.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/CFileDialog.h"

namespace {

enum : UINT {
  IDC_SETCURRENT = 215,
  IDC_NEW,
  IDC_EDIT,
  IDC_DELETE,
  IDC_ATTACH,
  IDC_DELETE_FILE,
  IDC_READ_FILE,
  IDC_WRITE_FILE,
  IDC_SURFACES = 248,
};

enum : UINT {
  kMsgDeleteSurface = 5017,
  kMsgDeleteFileSurface = 5018,
  kMsgUnreadableFile = 5035,
  kMsgNotCreated = 5036,
  kMsgNotWritten = 5037,
  kMsgNoFileGiven = 70500,
  kMsgFileOfOtherSurface = 70501,
  kMsgFileRefused = 70502,
  kMsgReplaceFile = 70503,
};

using Desc = CKVLSurfaceManager::CSurfaceDesc;
using uv::kSurfaceFileExtension;

CString EngineText(const std::string& utf8) { return CString(utf8); }

}  // namespace

BEGIN_MESSAGE_MAP(dlg_UpravljanjePlohama, CModuleDialog)
  ON_BN_CLICKED(IDC_SETCURRENT, &dlg_UpravljanjePlohama::OnSetCurrent)
  ON_BN_CLICKED(IDC_NEW, &dlg_UpravljanjePlohama::OnNew)
  ON_BN_CLICKED(IDC_EDIT, &dlg_UpravljanjePlohama::OnEdit)
  ON_BN_CLICKED(IDC_DELETE, &dlg_UpravljanjePlohama::OnDelete)
  ON_BN_CLICKED(IDC_ATTACH, &dlg_UpravljanjePlohama::OnAttach)
  ON_BN_CLICKED(IDC_DELETE_FILE, &dlg_UpravljanjePlohama::OnDeleteFile)
  ON_BN_CLICKED(IDC_READ_FILE, &dlg_UpravljanjePlohama::OnReadFile)
  ON_BN_CLICKED(IDC_WRITE_FILE, &dlg_UpravljanjePlohama::OnWriteFile)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_SURFACES, &dlg_UpravljanjePlohama::OnItemChanged)
  ON_NOTIFY(NM_CUSTOMDRAW, IDC_SURFACES, &dlg_UpravljanjePlohama::OnCustomDraw)
END_MESSAGE_MAP()

// The command has made the module's resources current before constructing
// the dialog; the dialogs this one opens get them again.
dlg_UpravljanjePlohama::dlg_UpravljanjePlohama()
    : CModuleDialog(IDD), m_hResources(acDocManager->currentResourceHandle()) {}

// However the dialog ends; a failure is told on the command line, the dialog being gone.
dlg_UpravljanjePlohama::~dlg_UpravljanjePlohama() { uv::SaveSurfaces(m_pSurfaceManager); }

void dlg_UpravljanjePlohama::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SETCURRENT, m_btnSetCurrent);
  DDX_Control(dx, IDC_NEW, m_btnNew);
  DDX_Control(dx, IDC_EDIT, m_btnEdit);
  DDX_Control(dx, IDC_DELETE, m_btnDelete);
  DDX_Control(dx, IDC_ATTACH, m_btnAttach);
  DDX_Control(dx, IDC_DELETE_FILE, m_btnDeleteFile);
  DDX_Control(dx, IDC_READ_FILE, m_btnReadFile);
  DDX_Control(dx, IDC_WRITE_FILE, m_btnWriteFile);
  DDX_Control(dx, IDC_SURFACES, m_list);
}

BOOL dlg_UpravljanjePlohama::OnInitDialog() {
  CModuleDialog::OnInitDialog();
  SetWindowText(CModuleConfiguration::GetMsg(5008));
  SetDlgItemText(IDCLOSE, CModuleConfiguration::GetMsg(235));
  SetDlgItemText(IDHELP, CModuleConfiguration::GetMsg(50156));
  m_btnSetCurrent.SetBitmapImage(211);
  m_btnNew.SetBitmapImage(215);
  m_btnEdit.SetBitmapImage(213);
  m_btnDelete.SetBitmapImage(212);
  m_btnAttach.SetIconImage(217, 16, 16);
  m_btnDeleteFile.SetIconImage(218, 16, 16);
  m_btnReadFile.SetBitmapImage(214);
  m_btnWriteFile.SetBitmapImage(216);
  struct Tip {
    CKVLBitmapButton* button;
    UINT message;
  } tips[] = {{&m_btnSetCurrent, 5009}, {&m_btnNew, 5010},        {&m_btnEdit, 5011},     {&m_btnDelete, 5012},
              {&m_btnAttach, 5013},     {&m_btnDeleteFile, 5014}, {&m_btnReadFile, 5015}, {&m_btnWriteFile, 5016}};
  for (const Tip& t : tips) t.button->SetToolTipMessage(t.message);

  m_list.InsertColumn(0, CModuleConfiguration::GetMsg(840), LVCFMT_LEFT, 150);
  m_list.InsertColumn(1, CModuleConfiguration::GetMsg(224), LVCFMT_LEFT, 100);
  m_list.InsertColumn(2, CModuleConfiguration::GetMsg(5019));
  m_list.SetColumnWidth(2, LVSCW_AUTOSIZE_USEHEADER);
  m_images.Create(219, 16, 1, RGB(255, 0, 255));
  m_list.SetImageList(&m_images, LVSIL_SMALL);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

  if (!m_pSurfaceManager) return TRUE;
  CStringArray existing;
  m_pSurfaceManager->GetExistingSurfaceNames(existing);
  std::set<CString> shown;
  for (int i = 0; i < existing.GetSize(); ++i) {
    const Desc* desc = m_pSurfaceManager->GetSurfaceDescription(existing[i]);
    if (!desc) continue;
    AddRow(*desc, true);
    shown.insert(existing[i]);
  }
  CStringArray all;
  m_pSurfaceManager->GetAllSurfaceNames(all);
  for (int i = 0; i < all.GetSize(); ++i) {
    if (shown.count(all[i])) continue;
    if (const Desc* desc = m_pSurfaceManager->GetSurfaceDescription(all[i])) AddRow(*desc, false);
  }
  return TRUE;
}

int dlg_UpravljanjePlohama::AddRow(const Desc& desc, bool available) {
  const int row = m_list.InsertItem(m_list.GetItemCount(), desc.m_strName, desc.m_strStorage == L"dict" ? 0 : 1);
  m_rowRecords.insert(m_rowRecords.begin() + row, std::nullopt);
  m_list.SetItemText(row, 1, desc.m_strDescription);
  m_list.SetItemText(row, 2, desc.m_strInfo);
  if (!available) {
    ColourRow(row, kUnavailableColour);
    m_rowRecords[row]->unavailable = true;
  } else if (m_pSurfaceManager->IsCurrent(desc.m_strName) == 1) {
    ColourRow(row, kCurrentColour);
    m_nCurrentRow = row;
  }
  return row;
}

void dlg_UpravljanjePlohama::ColourRow(int row, COLORREF colour) {
  if (row < 0 || row >= int(m_rowRecords.size())) return;
  if (!m_rowRecords[row]) m_rowRecords[row] = RowRecord{};
  m_rowRecords[row]->background = colour;
}

COLORREF dlg_UpravljanjePlohama::RowColour(int row) const {
  if (row < 0 || row >= int(m_rowRecords.size()) || !m_rowRecords[row]) return kPlainColour;
  return m_rowRecords[row]->background;
}

bool dlg_UpravljanjePlohama::IsRowUnavailable(int row) const {
  return row >= 0 && row < int(m_rowRecords.size()) && m_rowRecords[row] && m_rowRecords[row]->unavailable;
}

bool dlg_UpravljanjePlohama::MakeCurrent(int row) {
  if (row < 0 || row >= m_list.GetItemCount() || IsRowUnavailable(row)) return false;
  if (m_pSurfaceManager->SetCurrentSurface(m_list.GetItemText(row, 0)) != 1) return false;
  if (m_nCurrentRow >= 0) ColourRow(m_nCurrentRow, kPlainColour);
  ColourRow(row, kCurrentColour);
  m_nCurrentRow = row;
  m_list.RedrawWindow();
  return true;
}

CString dlg_UpravljanjePlohama::SelectedName() const {
  const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  return row >= 0 ? m_list.GetItemText(row, 0) : CString();
}

void dlg_UpravljanjePlohama::OnSetCurrent() { MakeCurrent(m_list.GetNextItem(-1, LVNI_SELECTED)); }

void dlg_UpravljanjePlohama::OnItemChanged(NMHDR* header, LRESULT*) {
  const auto* nm = reinterpret_cast<const NMLISTVIEW*>(header);
  ShowButtonsFor(nm->iItem, (nm->uNewState & LVIS_SELECTED) != 0);
}

void dlg_UpravljanjePlohama::ShowButtonsFor(int row, bool selected) {
  for (UINT id : {IDC_SETCURRENT, IDC_EDIT, IDC_DELETE, IDC_DELETE_FILE, IDC_WRITE_FILE})
    GetDlgItem(id)->EnableWindow(FALSE);
  if (!selected || row < 0 || !m_pSurfaceManager) return;
  const Desc* desc = m_pSurfaceManager->GetSurfaceDescription(m_list.GetItemText(row, 0));
  if (!desc) return;
  m_btnSetCurrent.EnableWindow(TRUE);
  m_btnEdit.EnableWindow(TRUE);
  if (desc->m_strStorage == L"dict") {
    m_btnDelete.EnableWindow(TRUE);
    m_btnWriteFile.EnableWindow(TRUE);
  } else {
    m_btnDeleteFile.EnableWindow(TRUE);
  }
}

void dlg_UpravljanjePlohama::OnCustomDraw(NMHDR* header, LRESULT* result) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *result = CDRF_NOTIFYITEMDRAW;
    return;
  }
  draw->clrTextBk = RowColour(int(draw->nmcd.dwItemSpec));
  *result = CDRF_DODEFAULT;
}

void dlg_UpravljanjePlohama::OnEdit() {
  const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  Desc* desc = m_pSurfaceManager ? m_pSurfaceManager->GetSurfaceDescription(SelectedName()) : nullptr;
  if (!desc) return;
  uv::ResourceHandleScope resources(m_hResources);
  dlg_UredjivanjePlohe dialog;
  dialog.SetSurfaceManager(m_pSurfaceManager);
  dialog.SetSurfaceDescription(desc);
  if (dialog.DoModal() != IDOK) return;
  m_list.SetItemText(row, 0, desc->m_strName);
  m_list.SetItemText(row, 1, desc->m_strDescription);
}

void dlg_UpravljanjePlohama::OnNew() {
  if (!m_pSurfaceManager) return;
  uv::ResourceHandleScope resources(m_hResources);
  dlg_NovaPloha dialog;
  CStringArray names;
  if (m_pSurfaceManager->GetAllSurfaceNames(names) > 0)
    for (int i = 0; i < names.GetSize(); ++i) dialog.AddTakenName(names[i]);
  // The surface is made while the dialog is open, so a refusal leaves the typing in place.
  dialog.SetAcceptHandler([this](dlg_NovaPloha& d) { return CreateFromDialog(d); });
  if (dialog.DoModal() != IDOK) return;
  ShowNewSurface(dialog.m_strName, dialog.m_strDescription);
}

bool dlg_UpravljanjePlohama::CreateFromDialog(dlg_NovaPloha& dialog) {
  const bool inFile = dialog.m_nStorage == CKVLSurfaceManager::kFileStorage;
  if (inFile && !AcceptNewSurfaceFile(dialog)) {
    dialog.FocusFile();
    return false;
  }
  const CString path = inFile ? CString(m_pSurfaceManager->ResolvePath(dialog.m_strFilePath.str())) : CString();
  if (!m_pSurfaceManager->CreateSurface(dialog.m_strName, dialog.m_nStorage, path, false)) {
    Report(dialog, kMsgNotCreated, dialog.m_strName, EngineText(m_pSurfaceManager->LastError()));
    dialog.FocusName();
    return false;
  }
  return true;
}

// The file must be one the surface may have: a file no other surface of the drawing lives in,
// in a folder that takes files, and, when it exists, one the user agrees to replace.
bool dlg_UpravljanjePlohama::AcceptNewSurfaceFile(dlg_NovaPloha& dialog) {
  if (dialog.m_strFilePath.IsEmpty()) {
    Report(dialog, kMsgNoFileGiven, CString(), CString());
    return false;
  }
  const CString path(m_pSurfaceManager->ResolvePath(dialog.m_strFilePath.str()));
  if (const CString owner = m_pSurfaceManager->SurfaceOfFile(path); !owner.IsEmpty()) {
    Report(dialog, kMsgFileOfOtherSurface, path, owner);
    return false;
  }
  const uv::WriteTarget target = uv::checkWriteTarget(path.str());
  if (target.state == uv::WriteTarget::State::kRefused) {
    Report(dialog, kMsgFileRefused, path, EngineText(target.why));
    return false;
  }
  if (target.state == uv::WriteTarget::State::kExisting && !dialog.FileReplaceConfirmed()) {
    CString question, caption;
    question.Format(CModuleConfiguration::GetMsg(kMsgReplaceFile), path.GetString());
    dialog.GetWindowText(caption);
    if (dialog.MessageBox(question, caption, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  }
  return true;
}

void dlg_UpravljanjePlohama::ShowNewSurface(const CString& name, const CString& description) {
  Desc* desc = m_pSurfaceManager->GetSurfaceDescription(name);
  if (!desc) return;
  desc->m_strDescription = description;
  MakeCurrent(AddRow(*desc, true));
  m_list.RedrawWindow();
}

void dlg_UpravljanjePlohama::OnDelete() { DeleteSelected(kMsgDeleteSurface); }

void dlg_UpravljanjePlohama::OnDeleteFile() { DeleteSelected(kMsgDeleteFileSurface); }

void dlg_UpravljanjePlohama::DeleteSelected(UINT questionId) {
  const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0 || !m_pSurfaceManager) return;
  const CString name = m_list.GetItemText(row, 0);
  CString question, caption;
  question.Format(CModuleConfiguration::GetMsg(questionId), name.GetString());
  GetWindowText(caption);
  if (MessageBox(question, caption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (!m_pSurfaceManager->DeleteSurface(name)) return;
  m_list.DeleteItem(row);
  m_rowRecords.erase(m_rowRecords.begin() + row);
  // Removing a row notifies no selection change; the buttons follow what is selected now.
  const int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
  ShowButtonsFor(selected, selected >= 0);
  if (row == m_nCurrentRow) {
    m_nCurrentRow = -1;
    ChooseSuccessor(row);
  } else if (row < m_nCurrentRow) {
    --m_nCurrentRow;
  }
}

// The row that followed the removed one first, then the rows above it up to
// the first; failing all of them, from the removed row's place down to the
// last row.
void dlg_UpravljanjePlohama::ChooseSuccessor(int removedRow) {
  for (int row = removedRow; row >= 0; --row)
    if (MakeCurrent(row)) return;
  for (int row = removedRow; row < m_list.GetItemCount(); ++row)
    if (MakeCurrent(row)) return;
}

CString dlg_UpravljanjePlohama::UniqueNameForFile(const CString& fileName) const {
  CStringArray names;
  m_pSurfaceManager->GetAllSurfaceNames(names);
  return uv::surfaces::UniqueName(fileName, uv::surfaces::NameSet(names));
}

void dlg_UpravljanjePlohama::Report(UINT formatId, const CString& first, const CString& second) {
  Report(*this, formatId, first, second);
}

void dlg_UpravljanjePlohama::Report(CWnd& owner, UINT formatId, const CString& first, const CString& second) {
  CString text, caption;
  text.Format(CModuleConfiguration::GetMsg(formatId), first.GetString(), second.GetString());
  owner.GetWindowText(caption);
  owner.MessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
}

bool dlg_UpravljanjePlohama::ReadFileHeader(const CString& path, CString& name, CString& description) {
  uv::engine::InputFile file;
  std::string why;
  if (!file.open(path.str(), why)) {
    Report(kMsgUnreadableFile, path, EngineText(why));
    return false;
  }
  CKVLXsurface_Vantor2 header(nullptr);
  if (!header.ImportFromBin(file.buffer(), CKVLXsurface_Vantor2::kReadHeader)) {
    Report(kMsgUnreadableFile, path, EngineText(file.error().empty() ? header.LastError() : file.error()));
    return false;
  }
  name = header.Name();
  description = header.Description();
  return true;
}

bool dlg_UpravljanjePlohama::ChooseSurfaceFile(CString& path, CString& name, CString& description) {
  CFileDialog files(TRUE, nullptr, uv::DefaultFileForDrawing(kSurfaceFileExtension),
                    OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, uv::FileFilter(kSurfaceFileExtension), this);
  if (files.DoModal() != IDOK) return false;
  path = files.GetPathName();
  CString fileName;
  if (!ReadFileHeader(path, fileName, description)) return false;
  name = UniqueNameForFile(fileName);
  return true;
}

void dlg_UpravljanjePlohama::OnAttach() {
  CString path, name, description;
  if (!m_pSurfaceManager || !ChooseSurfaceFile(path, name, description)) return;
  // The engine reads and checks the whole file before it takes it.
  if (!m_pSurfaceManager->CreateSurface(name, CKVLSurfaceManager::kFileStorage, path, true)) {
    Report(kMsgUnreadableFile, path, EngineText(m_pSurfaceManager->LastError()));
    return;
  }
  ShowNewSurface(name, description);
}

void dlg_UpravljanjePlohama::OnReadFile() {
  CString path, name, description;
  if (!m_pSurfaceManager || !ChooseSurfaceFile(path, name, description)) return;
  CKVLXsurface_Vantor2* surface =
      m_pSurfaceManager->CreateSurface(name, CKVLSurfaceManager::kDrawingStorage, nullptr, false);
  if (!surface) {
    Report(kMsgNotCreated, name, EngineText(m_pSurfaceManager->LastError()));
    return;
  }
  uv::engine::InputFile file;
  std::string why;
  if (!file.open(path.str(), why) || !surface->ImportFromBin(file.buffer(), CKVLXsurface_Vantor2::kReadAll)) {
    // A damaged body leaves no half-read surface behind.
    if (why.empty()) why = file.error().empty() ? surface->LastError() : file.error();
    m_pSurfaceManager->DeleteSurface(name);
    Report(kMsgUnreadableFile, path, EngineText(why));
    return;
  }
  ShowNewSurface(name, description);
}

void dlg_UpravljanjePlohama::OnWriteFile() {
  if (!m_pSurfaceManager || SelectedName().IsEmpty()) return;
  // Replacing a file asks first, as a save dialog does; a surface's own file is never offered.
  CFileDialog files(FALSE, kSurfaceFileExtension, uv::DefaultFileForDrawing(kSurfaceFileExtension),
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, uv::FileFilter(kSurfaceFileExtension), this);
  if (files.DoModal() != IDOK) return;
  CKVLXsurface_Vantor2* surface = m_pSurfaceManager->OpenSurface(SelectedName());
  if (!surface) return;
  const CString path = files.GetPathName();
  if (const CString owner = m_pSurfaceManager->SurfaceOfFile(path); !owner.IsEmpty()) {
    Report(kMsgFileOfOtherSurface, path, owner);
    return;
  }
  // The old file is replaced only by a whole new one: a full disk or a refused folder leaves it.
  std::string error;
  if (!surface->WriteFileAt(path.str(), error)) Report(kMsgNotWritten, path, EngineText(error));
}
