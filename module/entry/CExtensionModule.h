// The module as an extension of the host's dialog framework: what it
// registers when the library is attached to the process, and undoes when
// it is detached.
//
// Attaching makes the module's dialog templates and images findable under
// the module's instance (uv::Resources) and installs the product's message
// catalogue (CModuleConfiguration::GetMsg) as the source of the templates'
// texts (@5008). The resources are read from the folder that
// UIVANTOR2_RESOURCES names, else from the module's installed resources,
// else from the source tree's module/resources.
//
// The record is constant-initialised, so the library's attach step may use
// it before any other static object of the module is constructed.
#pragma once

#include <string>

#include "base/WinTypes.h"

class CExtensionModule {
 public:
  constexpr CExtensionModule() = default;

  // The first attach registers the module; a failure to read its resources
  // is reported on standard error (file and line) and leaves it detached.
  bool Attach(HINSTANCE instance);
  // Takes the message catalogue back out, which would otherwise call into
  // the unloaded library. The templates stay known: the framework keeps no
  // code of the module for them.
  void Detach();

  bool IsAttached() const { return m_attached; }
  // The module's own instance: the resource handle the commands make current.
  HINSTANCE Instance() const { return m_instance; }
  // The resource handle that was current when the module was attached.
  HINSTANCE PreviousResources() const { return m_previous; }

  // Where the module's dialog templates and images are read from.
  static std::wstring ResourceFolder();

 private:
  bool m_attached = false;
  HINSTANCE m_instance = nullptr;
  HINSTANCE m_previous = nullptr;
};

extern constinit CExtensionModule g_extensionModule;
