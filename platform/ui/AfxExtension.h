// MFC's extension-module bookkeeping, which a plug-in module performs when
// it is attached: its instance becomes a source of resources for as long
// as its CDynLinkLibrary lives. The resources themselves are registered
// with uv::Resources under the same instance handle.
#pragma once

#include <vector>

#include "ui/WinUser.h"

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized = FALSE;
  HMODULE hModule = nullptr;
  HMODULE hResource = nullptr;
};

// Records the module's instance; FALSE for a null instance.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

class CDynLinkLibrary {
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
  virtual ~CDynLinkLibrary();
  CDynLinkLibrary(const CDynLinkLibrary&) = delete;
  CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

  HMODULE m_hModule;
  HMODULE m_hResource;

  // The libraries alive now, the first made first.
  static const std::vector<CDynLinkLibrary*>& chain();
};

// Prepares the host's dialog library for a module; TRUE when it is ready.
BOOL InitAcUiDLL();
