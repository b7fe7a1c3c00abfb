// A file field: an edit with a browse button at its right end. The button
// opens the open or save file dialog with the field's filter, default
// extension and overwrite question, starting from the field's text; the
// chosen path replaces the text. A disabled field disables its button.
// Scripts press the button with "click".
#pragma once

#include "ui/CEdit.h"
#include "ui/CFileDialog.h"

class CBrowseEdit : public CEdit {
 public:
  // The button opens a file dialog. flags: OFN_OVERWRITEPROMPT asks before
  // a save replaces a file.
  void EnableFileBrowseButton(LPCTSTR defaultExtension = nullptr, LPCTSTR filter = nullptr,
                              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  // TRUE: the save dialog; FALSE (the default): the open dialog.
  void SetSaveDialog(BOOL save) { m_save = save != FALSE; }
  bool isSaveDialog() const { return m_save; }
  const CString& defaultExtension() const { return m_defaultExtension; }
  const CString& filter() const { return m_filter; }
  DWORD flags() const { return m_flags; }

  // Whether the user, browsing, chose the file now in the field and agreed to replace it, so
  // that the dialog need not ask again.
  bool overwriteConfirmed() const;

  // A person presses the browse button.
  void userBrowse();
  void applyUserAction(const uv::DialogAction& action) override;

 protected:
  // Called when the button is pressed; opens the file dialog.
  virtual void OnBrowse();
  uv::WidgetKind kind() const override { return uv::WidgetKind::kBrowseEdit; }

 private:
  CString m_defaultExtension;
  CString m_filter;
  DWORD m_flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  bool m_save = false;
  CString m_confirmedPath;
};
