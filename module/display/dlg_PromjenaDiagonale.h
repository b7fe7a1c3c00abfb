// Swapping the common diagonal of two adjacent triangles of a surface: each
// press of the swap button lets the user pick pairs of triangles in the
// drawing until the picking ends (Enter); the engine swaps each pair.
// Close saves the engine's surfaces, Cancel does not (swaps already made
// stay in the engine's memory).
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"
#include "ui/CComboBox.h"

class dlg_PromjenaDiagonale : public CModuleDialog {
 public:
  enum { IDD = 204 };

  dlg_PromjenaDiagonale();

  BOOL OnInitDialog() override;

  // The surface whose triangles are swapped; the surface list does not
  // change it.
  CString m_strSurfaceName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  afx_msg void OnSwap();
  DECLARE_MESSAGE_MAP()

 private:
  CComboBox m_surfaces;
};
