#include "AcApDocManager.h"

#include <algorithm>

#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "base/TextCase.h"
#include "rx/ModuleHandles.h"
#include "rx/ModuleLoader.h"

AcApDocManager* acDocManagerPtr() {
  static AcApDocManager manager;
  return &manager;
}

AcApDocManager::AcApDocManager() {
  uv::ModuleLoader::instance().setLoadedListener([this](HINSTANCE module) {
    for (const auto& doc : m_documents) tellModules(AcRx::kLoadDwgMsg, doc.get(), module);
  });
}

void AcApDocManager::tellModules(AcRx::AppMsgCode msg, AcApDocument* doc, HINSTANCE onlyModule) {
  auto& loader = uv::ModuleLoader::instance();
  for (const uv::ModuleInfo& m : loader.modules()) {
    if (onlyModule && m.instance != onlyModule) continue;
    // A module that fails here must not stop the drawing from opening or closing.
    try {
      loader.sendMessage(m.instance, msg, doc);
    } catch (const std::exception& e) {
      loader.report(L"module \"" + m.name + L"\": " + (msg == AcRx::kLoadDwgMsg ? L"kLoadDwgMsg" : L"kUnloadDwgMsg") +
                    L" threw an exception: " + uv::fromUtf8(e.what()));
    }
  }
}

AcApDocument* AcApDocManager::document(int index) const {
  return index >= 0 && index < documentCount() ? m_documents[size_t(index)].get() : nullptr;
}

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode mode, const wchar_t*,
                                               const wchar_t*, bool) {
  if (!doc) return Acad::eNoDocument;
  if (std::none_of(m_documents.begin(), m_documents.end(), [&](const auto& d) { return d.get() == doc; }))
    return Acad::eNoDocument;
  if (doc->m_lockCount++ == 0) doc->m_lockMode = mode;
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument* doc) {
  if (!doc) return Acad::eNoDocument;
  if (doc->m_lockCount == 0) return Acad::eNotApplicable;
  if (--doc->m_lockCount == 0) doc->m_lockMode = AcAp::kNone;
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::pushResourceHandle(HINSTANCE resources) {
  m_resources.push_back(resources);
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::popResourceHandle() {
  if (m_resources.empty()) return Acad::eUnbalancedStack;
  m_resources.pop_back();
  return Acad::eOk;
}

HINSTANCE AcApDocManager::currentResourceHandle() const {
  return m_resources.empty() ? uv::hostInstance() : m_resources.back();
}

AcApDocument* AcApDocManager::addDocument(std::unique_ptr<AcDbDatabase> database, const std::wstring& fileName) {
  if (!database) database = std::make_unique<AcDbDatabase>();
  m_documents.push_back(std::make_unique<AcApDocument>(std::move(database), fileName));
  setCurDocument(m_documents.back().get());
  tellModules(AcRx::kLoadDwgMsg, m_current);
  return m_current;
}

Acad::ErrorStatus AcApDocManager::closeDocument(AcApDocument* doc) {
  auto it = std::find_if(m_documents.begin(), m_documents.end(), [&](const auto& d) { return d.get() == doc; });
  if (it == m_documents.end()) return Acad::eNoDocument;
  if (doc->lockCount() > 0) return Acad::eLockViolation;
  tellModules(AcRx::kUnloadDwgMsg, doc);
  if (acdbHostApplicationServices()->workingDatabase() == doc->database())
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  bool wasCurrent = doc == m_current;
  m_documents.erase(it);
  if (wasCurrent) {
    m_current = nullptr;
    if (!m_documents.empty()) setCurDocument(m_documents.back().get());
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::setCurDocument(AcApDocument* doc) {
  if (std::none_of(m_documents.begin(), m_documents.end(), [&](const auto& d) { return d.get() == doc; }))
    return Acad::eNoDocument;
  m_current = doc;
  acdbHostApplicationServices()->setWorkingDatabase(doc->database());
  return Acad::eOk;
}
