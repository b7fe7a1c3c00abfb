// Showing a surface in the drawing: which area, as triangles or a grid, in
// which form, grouped or not, with or without its boundary.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"

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

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
