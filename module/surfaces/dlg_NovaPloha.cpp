#include "module/surfaces/dlg_NovaPloha.h"

#include "module/surfaces/NameRules.h"
#include "module/components/SurfaceFiles.h"
#include "module/surfaces/SurfaceNaming.h"

namespace {
enum : UINT {
  IDC_FILE = 215,
  IDC_NAME = 250,
  IDC_IN_DRAWING = 251,
  IDC_IN_FILE = 252,
  IDC_DESCRIPTION = 254,
};
}  // namespace

BEGIN_MESSAGE_MAP(dlg_NovaPloha, CModuleDialog)
  ON_BN_CLICKED(IDC_IN_DRAWING, &dlg_NovaPloha::OnStorageClicked)
  ON_BN_CLICKED(IDC_IN_FILE, &dlg_NovaPloha::OnStorageClicked)
END_MESSAGE_MAP()

dlg_NovaPloha::dlg_NovaPloha() : CModuleDialog(IDD) {}

void dlg_NovaPloha::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_NAME, m_name);
  DDX_Control(dx, IDC_FILE, m_file);
  DDX_Text(dx, IDC_NAME, m_strName);
  DDX_Text(dx, IDC_DESCRIPTION, m_strDescription);
  DDX_Radio(dx, IDC_IN_DRAWING, m_nStorage);
  DDX_Text(dx, IDC_FILE, m_strFilePath);
}

BOOL dlg_NovaPloha::OnInitDialog() {
  using namespace uv::surfaces;
  using uv::DefaultFileForDrawing, uv::FileFilter, uv::kSurfaceFileExtension;
  m_strFilePath = DefaultFileForDrawing(kSurfaceFileExtension);
  CModuleDialog::OnInitDialog();
  m_file.EnableFileBrowseButton(kSurfaceFileExtension, FileFilter(kSurfaceFileExtension),
                                OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  m_file.SetSaveDialog(TRUE);
  m_file.setToolTip(CString());
  m_name.SetRefusedCharacters(InvalidNameSymbols);
  ShowFileField();
  return TRUE;
}

void dlg_NovaPloha::OnStorageClicked() {
  UpdateData(TRUE);
  ShowFileField();
}

void dlg_NovaPloha::ShowFileField() {
  m_file.EnableWindow(m_nStorage == 1);
  m_file.RedrawWindow();
}

void dlg_NovaPloha::OnOK() {
  CString name;
  m_name.GetWindowText(name);
  if (!uv::surfaces::CheckSurfaceName(*this, m_name, name,
                                      [this](const CString& n) { return m_takenNames.count(n) != 0; }))
    return;
  UpdateData(TRUE);
  if (m_accept && !m_accept(*this)) return;
  EndDialog(IDOK);
}
