#include "AcApDocument.h"

#include "db/AcDbDatabase.h"

AcApDocument::AcApDocument(std::unique_ptr<AcDbDatabase> database, std::wstring fileName)
    : m_database(std::move(database)) {
  setFileName(fileName);
}

AcApDocument::~AcApDocument() = default;

void AcApDocument::setFileName(const std::wstring& fileName) {
  m_fileName = fileName;
  size_t slash = fileName.find_last_of(L"/\\");
  m_title = fileName.empty() ? L"Drawing1" : fileName.substr(slash == std::wstring::npos ? 0 : slash + 1);
  if (m_database) m_database->setFilename(fileName.c_str());
}
