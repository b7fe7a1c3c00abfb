// Showing a surface in the drawing: which area (the whole surface, a
// polygon or the current view), as the triangle network or a regular grid,
// in which form (temporary vectors, lines or 3D faces), grouped or not,
// with or without its boundary. OK draws (SurfaceDrawing.h) and closes.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"
#include "module/controls/CNumericEdit.h"
#include "product/engine/CKVLPoint3dArray.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "ui/CComboBox.h"

class CKVLXsurface_Vantor2;

class dlg_PrikazPlohe : public CModuleDialog {
 public:
  enum { IDD = 206 };

  dlg_PrikazPlohe();

  // The surface shown.
  CString m_strSurfaceName;
  // 0 the whole surface, 1 a polygon, 2 the current view.
  int m_nArea = 0;
  // 0 the triangle network, 1 a regular grid.
  int m_nMeshType = 0;
  // 0 temporary display, 1 lines, 2 3D faces.
  int m_nDisplayMode = 0;
  int m_bGroup = 0;
  int m_bDrawBoundary = 0;
  // Grid spacings along x and y, drawing units.
  double m_dStepX = 10;
  double m_dStepY = 10;
  // The closed polygon of the area (first point repeated at the end); kept
  // while the dialog is open, whatever area is chosen.
  CKVLPoint3dArray m_areaPolygon;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnOptionClicked();
  afx_msg void OnPickPolygon();
  afx_msg void OnPolygonFromPolyline();
  afx_msg void OnStepsFromRectangle();
  afx_msg void OnZoomToSurface();
  DECLARE_MESSAGE_MAP()

 private:
  void ApplyEnablingRules();
  // False, with the message shown and the focus on the field, when the
  // spacings cannot make a grid over this surface.
  bool CheckGridSpacing(const CKVLXsurface_Vantor2& surface);
  void Draw(CKVLXsurface_Vantor2& surface);

  CComboBox m_surfaces;
  CNumericEdit m_stepX, m_stepY;
  CKVLBitmapButton m_btnPickPolygon, m_btnPolygonFromPolyline, m_btnStepsFromRectangle, m_btnZoom;
};
