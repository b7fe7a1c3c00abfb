// Labels on the contour lines that a path picked in the drawing crosses.
// The path is picked point by point, each stretch shown as a temporary line
// that goes again when the picking ends; OK draws the path as a polyline,
// which stays in the drawing, and has the engine label every contour it
// selects at each crossing with that polyline (in plan).
#pragma once

#include "base/CString.h"
#include "ge/AcGePointArrays.h"
#include "module/components/CModuleDialog.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "ui/CComboBox.h"
#include "ui/CListCtrl.h"

class dlg_SlojniceOznacavanje : public CModuleDialog {
 public:
  enum { IDD = 227 };

  dlg_SlojniceOznacavanje();

  BOOL OnInitDialog() override;

  // The surface whose contour lines are labelled.
  CString m_strSurfaceName;
  // The path across the contours, in picking order.
  AcGePoint3dArray m_labelPath;
  // Put the labels into one group.
  int m_bGroup = 0;

  // Picks a new path; one of fewer than two points leaves the old one.
  void PickLabelPath();
  // The labels of OK, after the dialog has ended.
  void LabelContours();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
  afx_msg void OnPickPath();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowPath();

  CComboBox m_surfaces;
  CListCtrl m_path;
  CKVLBitmapButton m_pick;
};
