// The new-surface dialog: asks for the name, description and storage of a
// surface that the surface manager then creates. It calls no engine
// operation: it checks the name against the names it was handed and gives
// back what was entered.
#pragma once

#include <functional>
#include <set>

#include "base/CString.h"
#include "module/components/CModuleDialog.h"
#include "module/controls/CAlphanumericEdit.h"
#include "module/controls/CBrowseEdit.h"

class dlg_NovaPloha : public CModuleDialog {
 public:
  enum { IDD = 220 };

  dlg_NovaPloha();

  // The drawing's surface names; a new name must differ from each of them
  // exactly (letter case counts).
  void AddTakenName(const CString& name) { m_takenNames.insert(name); }
  const std::set<CString>& TakenNames() const { return m_takenNames; }

  // Read by the caller after OK.
  CString m_strName;
  CString m_strDescription;
  // 0 keeps the surface in the drawing, 1 in its own file.
  int m_nStorage = 0;
  // The path in the file field, whichever storage was chosen.
  CString m_strFilePath;

  // Called on OK once the name passes its checks, with the outputs filled in: the caller makes
  // the surface there, while the dialog still holds what was typed. False keeps the dialog open
  // (the caller has told the user why and focused the field to correct).
  void SetAcceptHandler(std::function<bool(dlg_NovaPloha&)> accept) { m_accept = std::move(accept); }
  void FocusName() { m_name.SetFocus(); }
  void FocusFile() { m_file.SetFocus(); }
  // The user chose the file in the field by browsing and agreed there to replace it.
  bool FileReplaceConfirmed() const { return m_file.overwriteConfirmed(); }

  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
  afx_msg void OnStorageClicked();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowFileField();

  std::set<CString> m_takenNames;
  std::function<bool(dlg_NovaPloha&)> m_accept;
  CAlphanumericEdit m_name;
  CBrowseEdit m_file;
};
