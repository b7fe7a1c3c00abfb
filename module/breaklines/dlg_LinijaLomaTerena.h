// Break lines of a surface from the lines and polylines of the drawing: the
// user limits the selection by entity type (lines, lightweight, 2D and 3D
// polylines) and by layer, and each Set hands every straight segment of the
// selected entities to the engine, one call per segment. The dialog stays
// open for further selections. Close saves the engine's surfaces, Cancel
// does not (break lines already set stay in the engine's memory).
#pragma once

#include "base/CString.h"
#include "db/adsdef.h"
#include "ge/AcGePointArrays.h"
#include "module/components/CModuleDialog.h"
#include "module/points/CElementType.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "ui/CComboBox.h"
#include "ui/CListCtrl.h"

class dlg_LinijaLomaTerena : public CModuleDialog {
 public:
  enum { IDD = 205 };

  dlg_LinijaLomaTerena();

  BOOL OnInitDialog() override;

  // For each entity of the selection, in selection order, one segment per
  // pair of consecutive vertices (no closing segment; fewer than two
  // vertices give none), with the coordinates the entity holds. Lines and
  // the three kinds of polyline only; other entities give nothing. Returns
  // the number of segments; starts and ends are emptied first.
  static int CollectBreakSegments(const ads_name selection, AcGePoint3dArray& starts, AcGePoint3dArray& ends);

  CElementType& ElementTypes() { return m_types; }

  // The surface the break lines go to.
  CString m_strSurfaceName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnTypesFromSample();
  afx_msg void OnLayersFromSample();
  afx_msg void OnCheckAll();
  afx_msg void OnUncheckAll();
  afx_msg void ApplyBreakLines();
  DECLARE_MESSAGE_MAP()

 private:
  CElementType m_types;
  CListCtrl m_layers;
  CComboBox m_surfaces;
  CKVLBitmapButton m_set;
  CKVLBitmapButton m_typesFromSample;
  CKVLBitmapButton m_checkAll;
  CKVLBitmapButton m_uncheckAll;
  CKVLBitmapButton m_layersFromSample;
};
