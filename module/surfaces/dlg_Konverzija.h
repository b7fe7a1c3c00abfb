// Conversion of the surfaces of the product's previous generation into
// surfaces of the terrain engine. Close saves the engine's surfaces, Cancel
// does not.
#pragma once

#include "module/components/CModuleDialog.h"

class dlg_Konverzija : public CModuleDialog {
 public:
  enum { IDD = 225 };

  dlg_Konverzija();

  // Erase the old record after converting it.
  int m_bEraseOld = 1;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
