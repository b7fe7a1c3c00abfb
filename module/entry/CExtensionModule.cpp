#include "module/entry/CExtensionModule.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "base/TextCase.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/AfxWin.h"
#include "ui/ResourceError.h"
#include "ui/Resources.h"

#ifndef UIVANTOR2_INSTALLED_RESOURCES
#define UIVANTOR2_INSTALLED_RESOURCES ""
#endif
#ifndef UIVANTOR2_SOURCE_RESOURCES
#define UIVANTOR2_SOURCE_RESOURCES ""
#endif

constinit CExtensionModule g_extensionModule;

namespace {
bool isFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}
}  // namespace

std::wstring CExtensionModule::ResourceFolder() {
  if (const char* env = std::getenv("UIVANTOR2_RESOURCES"); env && *env) return uv::fromUtf8(env);
  if (isFolder(UIVANTOR2_INSTALLED_RESOURCES)) return uv::fromUtf8(UIVANTOR2_INSTALLED_RESOURCES);
  return uv::fromUtf8(UIVANTOR2_SOURCE_RESOURCES);
}

bool CExtensionModule::Attach(HINSTANCE instance) {
  if (m_attached) return true;
  try {
    // Only the module's own dialogs and images: the folder's other
    // subfolders belong to the dialog framework's samples.
    uv::Resources::instance().addFolder(ResourceFolder() + L"/dialogs", instance);
  } catch (const uv::ResourceError& e) {
    std::cerr << "UIVantor2: " << e.what() << std::endl;
    return false;
  }
  uv::Resources::instance().setMessageResolver([](UINT id) { return CModuleConfiguration::GetMsg(id).str(); });
  m_previous = AfxGetResourceHandle();
  m_instance = instance;
  m_attached = true;
  return true;
}

void CExtensionModule::Detach() {
  if (!m_attached) return;
  uv::Resources::instance().setMessageResolver(nullptr);
  m_attached = false;
}
