// The drawing page of the load-points dialog: survey points from entities
// that the user selects in the drawing, filtered by the entity type list
// and the layer list, added to the named surface (Add) or replacing its
// points (Replace, hidden). Unlike the text page, this page creates the
// named surface when the drawing has surfaces but none of that name.
//
// The dialog is out of the way while the user selects: the page hides its
// frame and hands the host's main window the input, and takes both back
// when the selection ends.
#pragma once

#include "base/CString.h"
#include "db/adsdef.h"
#include "module/points/CElementType.h"
#include "module/points/EntityFilterPanel.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "ui/CAdUiTabChildDialog.h"
#include "ui/CComboBox.h"

class CKVLSurfaceManager;
class CKVLXsurface_Vantor2;
class CUniquePointSet;

class dlg_UcitavanjeTocaka_Crtez : public CAcUiTabChildDialog {
 public:
  enum { IDD = 201 };

  dlg_UcitavanjeTocaka_Crtez();

  // The frame hands both pages the manager and the surface name before it
  // adds them.
  void SetSurfaceManager(CKVLSurfaceManager* pManager, const CString& strSurfaceName);

  BOOL OnInitDialog() override;

  // Empties `points`, adds the points of the selected entities in selection
  // order by the type list's text and block rules, and returns how many
  // points the set holds.
  int TakePointsFromEntities(const ads_name selection, CUniquePointSet& points);
  // Null when the drawing has no surface; otherwise the named surface,
  // created in the drawing when there is none of that name (null when the
  // engine refuses the name).
  CKVLXsurface_Vantor2* OpenTargetSurface();

  CElementType& ElementTypes() { return m_filter.Types(); }

  CKVLSurfaceManager* m_pSurfaceManager = nullptr;
  CString m_strSurfaceName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnTypesFromSample();
  afx_msg void OnLayersFromSample();
  afx_msg void OnCheckAll();
  afx_msg void OnUncheckAll();
  afx_msg void AddToSurface();
  afx_msg void ReplaceOnSurface();
  DECLARE_MESSAGE_MAP()

 private:
  enum class Target { kAdd, kReplace };
  void LoadIntoSurface(Target target);

  uv::EntityFilterPanel m_filter{uv::SampleKinds::kAll};
  CComboBox m_surfaces;
  CKVLBitmapButton m_add;
  CKVLBitmapButton m_replace;
};
