// Conversion of the surfaces of the product's previous generation, kept as
// points and settings in the drawing's dictionaries, into surfaces of the
// terrain engine. Close saves the engine's surfaces, Cancel does not.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"
#include "ui/CComboBox.h"

class CKVLCDictionaryPtr;

class dlg_Konverzija : public CModuleDialog {
 public:
  enum { IDD = 225 };

  dlg_Konverzija();

  // Erase the old record after converting it.
  int m_bEraseOld = 1;

  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  afx_msg void OnConvert();
  DECLARE_MESSAGE_MAP()

 private:
  // "Vantor1_<old>", with "_1", "_2", ... when that is taken.
  CString NewName(const CString& oldName) const;
  void EraseOld(CKVLCDictionaryPtr& dictionary, const CString& oldName);

  CComboBox m_oldSurfaces;
};
