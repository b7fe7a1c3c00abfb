// An open drawing: its database, file name, lock count, and the editor's
// state that belongs to it (the view and the temporary vectors drawn over it).
#pragma once

#include <memory>
#include <string>

#include "AcApDocLockMode.h"
#include "TemporaryGraphics.h"
#include "ViewState.h"

class AcDbDatabase;

class AcApDocument {
 public:
  AcApDocument(std::unique_ptr<AcDbDatabase> database, std::wstring fileName);
  ~AcApDocument();
  AcApDocument(const AcApDocument&) = delete;
  AcApDocument& operator=(const AcApDocument&) = delete;

  AcDbDatabase* database() const { return m_database.get(); }
  // The full path of the drawing's file; "" for a drawing never saved.
  const wchar_t* fileName() const { return m_fileName.c_str(); }
  // The file name without folder, or "Drawing1" for a new drawing.
  const wchar_t* docTitle() const { return m_title.c_str(); }
  void setFileName(const std::wstring& fileName);

  AcAp::DocLockMode myLockMode() const { return m_lockCount > 0 ? m_lockMode : AcAp::kNone; }
  int lockCount() const { return m_lockCount; }
  bool isQuiescent() const { return m_lockCount == 0; }

  uv::ViewState& view() { return m_view; }
  uv::TemporaryGraphics& temporaryGraphics() { return m_temporary; }

 private:
  friend class AcApDocManager;
  std::unique_ptr<AcDbDatabase> m_database;
  std::wstring m_fileName;
  std::wstring m_title;
  int m_lockCount = 0;
  AcAp::DocLockMode m_lockMode = AcAp::kNone;
  uv::ViewState m_view;
  uv::TemporaryGraphics m_temporary;
};
