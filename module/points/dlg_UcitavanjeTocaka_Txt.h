// The text page of the load-points dialog: survey points from a text file
// of columns, added to the named surface (Add) or replacing its points
// (Replace, hidden). The file is read into sections by CTextFile; each line
// cut into enough fields becomes a point of a CUniquePointSet, which goes to
// the engine in one call, so a load either hands over every point it read
// or none.
#pragma once

#include "base/CString.h"
#include "module/controls/CBrowseEdit.h"
#include "module/controls/CNumericEdit.h"
#include "module/points/CTextFile.h"
#include "module/points/TextLoadSettings.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "ui/CAdUiTabChildDialog.h"
#include "ui/CComboBox.h"

class CKVLSurfaceManager;
class CKVLXsurface_Vantor2;
class CUniquePointSet;

class dlg_UcitavanjeTocaka_Txt : public CAcUiTabChildDialog {
 public:
  enum { IDD = 202 };

  dlg_UcitavanjeTocaka_Txt();

  // The frame hands both pages the manager and the surface name before it
  // adds them.
  void SetSurfaceManager(CKVLSurfaceManager* pManager, const CString& strSurfaceName);

  BOOL OnInitDialog() override;

  // Reads the file of the settings into `points` (emptied first) and returns
  // how many points it holds. A column number of 0 throws
  // CInvalidArgException as soon as a line has enough fields.
  int LoadPointsFromFile(CUniquePointSet& points);
  // One section's lines as points; a null section adds nothing.
  void TakePointsFromSection(CTextFile::CSection* pSection, CUniquePointSet& points);
  // The named surface, or null when the engine lists no surface or does not
  // know the name. No surface is created here.
  CKVLXsurface_Vantor2* OpenTargetSurface();

  const TextLoadSettings& settings() const { return m_settings; }

  CKVLSurfaceManager* m_pSurfaceManager = nullptr;
  CString m_strSurfaceName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnBnClickedUseComment();
  afx_msg void OnSplitModeChosen(UINT id);
  afx_msg void AddToSurface();
  afx_msg void ReplaceOnSurface();
  DECLARE_MESSAGE_MAP()

 private:
  enum class Target { kAdd, kReplace };
  void LoadIntoSurface(Target target);
  // Controls to settings; FALSE when a field could not be read.
  BOOL TakeSettings();
  void EnableSplitFields();

  TextLoadSettings m_settings;
  CComboBox m_surfaces;
  CBrowseEdit m_file;
  CNumericEdit m_fixedWidth;
  CNumericEdit m_columnX;
  CNumericEdit m_columnY;
  CNumericEdit m_columnZ;
  CKVLBitmapButton m_add;
  CKVLBitmapButton m_replace;
};
