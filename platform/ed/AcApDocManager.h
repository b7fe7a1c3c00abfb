// The open drawings, the current one, document locks, and the stack of
// resource handles (the module whose dialog resources are current).
//
// Locks count: each lockDocument needs its unlockDocument; unlocking a
// document that is not locked is eNotApplicable. popResourceHandle on an
// empty stack is eUnbalancedStack; the host's own resources lie below it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/ErrorStatus.h"
#include "base/WinTypes.h"
#include "rx/AcRx.h"
#include "AcApDocument.h"

class AcApDocManager {
 public:
  // Loaded modules hear of drawings opened and closed (kLoadDwgMsg,
  // kUnloadDwgMsg, with the document as packet), and a module loaded later
  // of each drawing already open.
  AcApDocManager();
  AcApDocument* curDocument() const { return m_current; }
  AcApDocument* mdiActiveDocument() const { return m_current; }
  int documentCount() const { return int(m_documents.size()); }
  AcApDocument* document(int index) const;

  Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                 const wchar_t* globalCmdName = nullptr, const wchar_t* localCmdName = nullptr,
                                 bool prompt = true);
  Acad::ErrorStatus unlockDocument(AcApDocument* doc);

  Acad::ErrorStatus pushResourceHandle(HINSTANCE resources);
  Acad::ErrorStatus popResourceHandle();
  // The handle on top, or the host's own when the stack is empty.
  HINSTANCE currentResourceHandle() const;
  int resourceStackDepth() const { return int(m_resources.size()); }
  // For the host's command line, which puts the stack back after a command.
  const std::vector<HINSTANCE>& resourceStack() const { return m_resources; }
  void setResourceStack(std::vector<HINSTANCE> stack) { m_resources = std::move(stack); }

  // For the host: a document takes over its database and becomes current,
  // and the database becomes the working database.
  AcApDocument* addDocument(std::unique_ptr<AcDbDatabase> database, const std::wstring& fileName);
  // eLockViolation while the document is locked; eNoDocument for one not open here.
  Acad::ErrorStatus closeDocument(AcApDocument* doc);
  Acad::ErrorStatus setCurDocument(AcApDocument* doc);

 private:
  std::vector<std::unique_ptr<AcApDocument>> m_documents;
  void tellModules(AcRx::AppMsgCode msg, AcApDocument* doc, HINSTANCE onlyModule = nullptr);

  AcApDocument* m_current = nullptr;
  std::vector<HINSTANCE> m_resources;
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
inline AcApDocument* curDoc() { return acDocManagerPtr()->curDocument(); }
