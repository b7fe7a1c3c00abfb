#include "module/points/dlg_UcitavanjeTocaka_Txt.h"

#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

#include "ge/AcGePoint3d.h"
#include "module/components/SurfaceList.h"
#include "module/points/NumberText.h"
#include "module/points/StatusBarProgress.h"
#include "module/components/SurfaceFiles.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "ui/Feedback.h"

namespace {

enum : UINT {
  IDC_FRAME = 205,
  IDC_SURFACES = 207,
  IDC_ADD = 208,
  IDC_REPLACE = 209,
  IDC_SURFACE_LABEL = 214,
  IDC_FILE = 215,
  IDC_USE_COMMENT = 216,
  IDC_COMMENT = 217,
  IDC_SPLIT_DELIMITER = 218,
  IDC_SPLIT_FIXED = 219,
  IDC_DELIMITER = 220,
  IDC_FIXED_WIDTH = 221,
  IDC_COLUMN_X = 222,
  IDC_COLUMN_Y = 223,
  IDC_COLUMN_Z = 224,
};

// Fixed width cuts a line into this many columns; the rest of the line
// makes one more.
constexpr int kFixedColumns = 50;

// Points handed to the set at once.
constexpr size_t kPointBlock = 4096;

}  // namespace

BEGIN_MESSAGE_MAP(dlg_UcitavanjeTocaka_Txt, CAcUiTabChildDialog)
  ON_BN_CLICKED(IDC_USE_COMMENT, &dlg_UcitavanjeTocaka_Txt::OnBnClickedUseComment)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_SPLIT_DELIMITER, IDC_SPLIT_FIXED, &dlg_UcitavanjeTocaka_Txt::OnSplitModeChosen)
  ON_BN_CLICKED(IDC_ADD, &dlg_UcitavanjeTocaka_Txt::AddToSurface)
  ON_BN_CLICKED(IDC_REPLACE, &dlg_UcitavanjeTocaka_Txt::ReplaceOnSurface)
END_MESSAGE_MAP()

dlg_UcitavanjeTocaka_Txt::dlg_UcitavanjeTocaka_Txt() = default;

void dlg_UcitavanjeTocaka_Txt::SetSurfaceManager(CKVLSurfaceManager* pManager, const CString& strSurfaceName) {
  m_pSurfaceManager = pManager;
  m_strSurfaceName = strSurfaceName;
}

void dlg_UcitavanjeTocaka_Txt::DoDataExchange(CDataExchange* pDX) {
  CAcUiTabChildDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SURFACES, m_surfaces);
  DDX_Control(pDX, IDC_FILE, m_file);
  DDX_Control(pDX, IDC_FIXED_WIDTH, m_fixedWidth);
  DDX_Control(pDX, IDC_COLUMN_X, m_columnX);
  DDX_Control(pDX, IDC_COLUMN_Y, m_columnY);
  DDX_Control(pDX, IDC_COLUMN_Z, m_columnZ);
  DDX_Control(pDX, IDC_ADD, m_add);
  DDX_Control(pDX, IDC_REPLACE, m_replace);
  DDX_Text(pDX, IDC_FILE, m_settings.strFilePath);
  DDX_Check(pDX, IDC_USE_COMMENT, m_settings.bUseCommentMarker);
  DDX_Text(pDX, IDC_COMMENT, m_settings.strCommentMarker);
  DDX_Radio(pDX, IDC_SPLIT_DELIMITER, m_settings.nSplitMode);
  DDX_Text(pDX, IDC_DELIMITER, m_settings.strDelimiter);
  DDX_NumericValue(pDX, IDC_FIXED_WIDTH, m_settings.nFixedWidth);
  DDX_NumericValue(pDX, IDC_COLUMN_X, m_settings.nColumnX);
  DDX_NumericValue(pDX, IDC_COLUMN_Y, m_settings.nColumnY);
  DDX_NumericValue(pDX, IDC_COLUMN_Z, m_settings.nColumnZ);
}

BOOL dlg_UcitavanjeTocaka_Txt::OnInitDialog() {
  // Digits only, nine at most, no sign and no group separator; an empty
  // field reads 0.
  for (CNumericEdit* edit : {&m_fixedWidth, &m_columnX, &m_columnY, &m_columnZ}) {
    edit->SetDigits(9, 0);
    edit->AllowNegative(FALSE);
    edit->SetSeparators(L'.', 0);
  }
  m_settings = TextLoadSettings();
  m_settings.strFilePath = uv::DefaultFileForDrawing(uv::kSurfaceFileExtension);
  CAcUiTabChildDialog::OnInitDialog();

  m_replace.SetProductIcon(L"IDI_FILEIMPORT1", 20, 20);
  m_replace.SetToolTipMessage(7753);
  m_add.SetProductIcon(L"IDI_FILEIMPORTADD", 20, 20);
  m_add.SetToolTipMessage(7754);

  uv::FillSurfaceList(m_surfaces, m_pSurfaceManager);

  // The file dialog offers surface files first, as the surface manager's does.
  m_file.EnableFileBrowseButton(uv::kSurfaceFileExtension,
                                uv::FileFilter(uv::kSurfaceFileExtension),
                                OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
  m_file.SetSaveDialog(FALSE);
  EnableSplitFields();
  return TRUE;
}

BOOL dlg_UcitavanjeTocaka_Txt::TakeSettings() { return UpdateData(TRUE); }

void dlg_UcitavanjeTocaka_Txt::EnableSplitFields() {
  GetDlgItem(IDC_DELIMITER)->EnableWindow(m_settings.nSplitMode == TextLoadSettings::kDelimiter);
  GetDlgItem(IDC_FIXED_WIDTH)->EnableWindow(m_settings.nSplitMode == TextLoadSettings::kFixedWidth);
}

// The box only greys the marker field: lines starting with the marker are
// comments whether it is ticked or not.
void dlg_UcitavanjeTocaka_Txt::OnBnClickedUseComment() {
  TakeSettings();
  GetDlgItem(IDC_COMMENT)->EnableWindow(m_settings.bUseCommentMarker == BST_CHECKED);
}

void dlg_UcitavanjeTocaka_Txt::OnSplitModeChosen(UINT) {
  TakeSettings();
  EnableSplitFields();
}

void dlg_UcitavanjeTocaka_Txt::AddToSurface() { LoadIntoSurface(Target::kAdd); }

void dlg_UcitavanjeTocaka_Txt::ReplaceOnSurface() { LoadIntoSurface(Target::kReplace); }

void dlg_UcitavanjeTocaka_Txt::LoadIntoSurface(Target target) {
  CWaitCursor wait;
  CUniquePointSet points;
  // The whole file is read before the engine hears of it: a load that
  // stops half way (an invalid column) sends nothing.
  if (LoadPointsFromFile(points) <= 0) return;
  CKVLXsurface_Vantor2* surface = OpenTargetSurface();
  if (!surface) return;
  if (target == Target::kAdd) surface->AddPoints(points);
  else surface->SetPoints(points);
}

CKVLXsurface_Vantor2* dlg_UcitavanjeTocaka_Txt::OpenTargetSurface() {
  if (!uv::HasSelectedSurface(m_surfaces) || !m_pSurfaceManager) return nullptr;
  return m_pSurfaceManager->OpenSurface(m_strSurfaceName);
}

int dlg_UcitavanjeTocaka_Txt::LoadPointsFromFile(CUniquePointSet& points) {
  const BOOL taken = TakeSettings();
  points.Clean();
  if (!taken) return 0;  // a field the exchange could not read has been reported
  CTextFile file;
  file.SetCommentMarker(m_settings.commentMarker());
  if (file.Read(m_settings.strFilePath)) {
    CStringArray names;
    file.GetSectionNames(names);
    for (int i = 0; i < names.GetSize(); ++i) TakePointsFromSection(file.FindSection(names[i]), points);
  }
  return points.Size();
}

void dlg_UcitavanjeTocaka_Txt::TakePointsFromSection(CTextFile::CSection* pSection, CUniquePointSet& points) {
  if (!pSection) return;
  if (m_settings.nSplitMode == TextLoadSettings::kDelimiter) {
    pSection->SetSplitMode(CTextFile::CSection::kSplitDelimiter, m_settings.delimiter(), CIntArray());
  } else {
    // The edit takes nine digits, so 50 widths can pass the range of the
    // end positions: an end beyond it is behind any line anyway and stays
    // at the largest position.
    CIntArray ends;
    for (long long k = 1; k <= kFixedColumns; ++k)
      ends.Add(int(std::min<long long>(k * m_settings.nFixedWidth, INT_MAX)));
    pSection->SetSplitMode(CTextFile::CSection::kSplitColumns, L' ', ends);
  }
  // Column 0 gives index -1, which is refused with the dialog framework's
  // invalid-argument exception once a line has enough fields.
  const int x = m_settings.nColumnX - 1;
  const int y = m_settings.nColumnY - 1;
  const int z = m_settings.nColumnZ - 1;
  const int largest = std::max({x, y, z});

  const int lineCount = pSection->GetLineCount();
  points.Reserve(points.Size() + lineCount);
  uv::StatusBarProgress progress(L"", 0, lineCount);
  // Points go to the set in blocks, in file order: the set then finds many
  // at once, which is faster than one by one and gives the same set.
  std::vector<AcGePoint3d> block;
  block.reserve(kPointBlock);
  auto flush = [&] {
    points.AddPoints(block);
    block.clear();
  };
  std::vector<std::string_view> fields;
  for (int i = 0; i < lineCount; ++i) {
    progress.set(i);
    if (largest >= pSection->SplitLineUtf8(i, fields)) continue;  // too few fields: skipped silently
    if (std::min({x, y, z}) < 0) {
      flush();  // the lines before it reached the set, as they would one by one
      throw CInvalidArgException();
    }
    block.emplace_back(uv::NumberFromUtf8(fields[size_t(x)]), uv::NumberFromUtf8(fields[size_t(y)]),
                       uv::NumberFromUtf8(fields[size_t(z)]));
    if (block.size() == kPointBlock) flush();
  }
  flush();
}
