// The open and save file dialogs, answered by the current user. The filter
// is written as MFC writes it: description|pattern pairs, ended by "||"
// ("*.kvb|*.kvb|*.*|*.*||"). A name chosen without an extension gets the
// default extension.
#pragma once

#include "base/CString.h"
#include "ui/WinUser.h"

class CWnd;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

struct OPENFILENAME {
  DWORD Flags = 0;
  LPCTSTR lpstrTitle = nullptr;
  LPCTSTR lpstrInitialDir = nullptr;
  LPCTSTR lpstrDefExt = nullptr;
  DWORD nFilterIndex = 1;
};

class CFileDialog {
 public:
  explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                       CWnd* parent = nullptr, DWORD size = 0, BOOL vistaStyle = TRUE);
  virtual ~CFileDialog() = default;

  // IDOK with a chosen file, IDCANCEL when the user cancelled.
  virtual INT_PTR DoModal();
  CString GetPathName() const { return m_path; }
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  CString GetFolderPath() const;
  // The user chose a file that exists and answered Yes to the overwrite question.
  bool OverwriteConfirmed() const { return m_overwriteConfirmed; }

  OPENFILENAME m_ofn;

 private:
  bool m_open;
  CString m_defaultExtension;
  CString m_initialName;
  CString m_filter;
  CString m_path;
  bool m_overwriteConfirmed = false;
};
