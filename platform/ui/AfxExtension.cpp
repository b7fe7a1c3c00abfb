#include "ui/AfxExtension.h"

#include <algorithm>

namespace {

std::vector<CDynLinkLibrary*>& libraries() {
  static std::vector<CDynLinkLibrary*> chain;
  return chain;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
  if (!module) return FALSE;
  state.hModule = module;
  state.hResource = module;
  state.bInitialized = TRUE;
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL) {
  for (CDynLinkLibrary* library : std::vector<CDynLinkLibrary*>(libraries()))
    if (library->m_hModule == state.hModule) delete library;
  state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL) : m_hModule(state.hModule), m_hResource(state.hResource) {
  libraries().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  auto& chain = libraries();
  chain.erase(std::remove(chain.begin(), chain.end(), this), chain.end());
}

const std::vector<CDynLinkLibrary*>& CDynLinkLibrary::chain() { return libraries(); }

BOOL InitAcUiDLL() { return TRUE; }
