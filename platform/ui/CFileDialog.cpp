#include "ui/CFileDialog.h"

#include <algorithm>

#include "user/CurrentUser.h"

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd*, DWORD, BOOL)
    : m_open(openFileDialog != FALSE),
      m_defaultExtension(defaultExtension ? defaultExtension : L""),
      m_initialName(fileName ? fileName : L""),
      m_filter(filter ? filter : L"") {
  m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal() {
  uv::FileQuestion q;
  q.save = !m_open;
  q.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : (m_open ? L"Open" : L"Save As");
  q.initialName = m_initialName.str();
  if (m_ofn.lpstrInitialDir && m_initialName.Find(L'/') < 0 && m_initialName.Find(L'\\') < 0 &&
      *m_ofn.lpstrInitialDir)
    q.initialName = std::wstring(m_ofn.lpstrInitialDir) + L"/" + q.initialName;
  q.defaultExtension = m_defaultExtension.str();
  if (!q.defaultExtension.empty() && q.defaultExtension[0] == L'.') q.defaultExtension.erase(0, 1);
  q.filter = m_filter.str();
  q.confirmOverwrite = q.save && (m_ofn.Flags & OFN_OVERWRITEPROMPT);
  std::optional<std::wstring> chosen = uv::currentUser().chooseFile(q);
  if (!chosen) return IDCANCEL;
  // A front end returns an existing file for such a question only after the user said Yes.
  m_overwriteConfirmed = uv::needsOverwriteQuestion(q, *chosen);
  m_path = chosen->c_str();
  if (!q.defaultExtension.empty() && GetFileExt().IsEmpty() && !m_path.IsEmpty())
    m_path += CString(L".") + q.defaultExtension.c_str();
  return IDOK;
}

CString CFileDialog::GetFileName() const {
  int slash = std::max(m_path.ReverseFind(L'/'), m_path.ReverseFind(L'\\'));
  return m_path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
  int slash = std::max(m_path.ReverseFind(L'/'), m_path.ReverseFind(L'\\'));
  return slash < 0 ? CString() : m_path.Left(slash);
}
