#include "ModuleResources.h"

#include <cstdlib>
#include <string>

#include "base/TextCase.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/AfxWin.h"
#include "ui/Resources.h"

namespace uvtest {

namespace {
HINSTANCE moduleInstance() { return reinterpret_cast<HINSTANCE>(0x7E570000); }
}  // namespace

void registerModuleResources() {
  uv::Resources& resources = uv::Resources::instance();
  if (!resources.dialog(200)) {
    const char* folder = std::getenv("UIVANTOR2_RESOURCES");
    const std::string root = folder && *folder ? folder : UV_SOURCE_DIR "/module/resources";
    resources.addFolder(uv::fromUtf8(root + "/dialogs"), moduleInstance());
  }
  resources.setMessageResolver([](UINT id) { return CModuleConfiguration::GetMsg(id).str(); });
  AfxSetResourceHandle(moduleInstance());
}

}  // namespace uvtest
