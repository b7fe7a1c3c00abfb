// Loads module files (shared libraries written against this host) and
// unloads them again, talking to them the way the host's loader does:
//
//   load:   dlopen -> DllMain(instance, DLL_PROCESS_ATTACH) when exported
//           -> odrxGetAPIVersion (major version must be kApiMajorVersion)
//           -> odrxCreateModuleObject(instance) -> initApp -> kInitAppMsg
//   unload: kUnloadAppMsg -> uninitApp -> release the module object
//           -> DllMain(instance, DLL_PROCESS_DETACH) -> dlclose
//
// The attach and detach are calls of their own, not library constructors
// and destructors, so that they happen on every load and unload whether or
// not dlclose really takes the library out of memory.
//
// Every failure (missing file, missing export, a module object that is not
// made, kInitAppMsg answered with an error, an exception from module code)
// comes back as a result with a message; nothing is left half loaded.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/WinTypes.h"
#include "AcRx.h"

class OdRxModule;

namespace uv {

struct ModuleInfo {
  std::wstring path;  // canonical full path
  std::wstring name;  // file name without folder
  HINSTANCE instance = nullptr;
  bool locked = true;  // until the module calls unlockApplication
  bool mdiAware = false;
  int apiMajor = 0, apiMinor = 0;
};

struct ModuleResult {
  bool ok = false;
  std::wstring message;
  HINSTANCE instance = nullptr;
  explicit operator bool() const { return ok; }
};

class ModuleLoader {
 public:
  static constexpr int kApiMajorVersion = 3;
  static constexpr int kApiMinorVersion = 9;

  static ModuleLoader& instance();

  ModuleResult load(const std::wstring& file);
  // By file name (with or without extension, letter case ignored) or path.
  // A locked module, one whose object is not valid to unload or one that
  // answers kUnloadAppMsg with an error stays loaded, unless forced.
  ModuleResult unload(const std::wstring& nameOrPath, bool force = false);
  // Last loaded first; for the end of the host's run.
  void unloadAll();

  std::vector<ModuleInfo> modules() const;
  const ModuleInfo* find(const std::wstring& nameOrPath) const;
  const ModuleInfo* findByInstance(HINSTANCE instance) const;
  HINSTANCE hostInstance() const { return m_hostInstance; }

  // The module whose code the loader is calling right now (its constructors,
  // module object or entry point); null when the host's own code runs.
  HINSTANCE dispatchingInstance() const { return m_dispatching.empty() ? nullptr : m_dispatching.back(); }
  HINSTANCE attachingInstance() const { return m_attaching; }

  // Application messages other than load and unload (kLoadDwgMsg, kQuitMsg, ...).
  // Exceptions from module code are reported and turn into kRetError.
  AcRx::AppRetCode sendMessage(HINSTANCE module, AcRx::AppMsgCode msg, void* pkt);
  void broadcast(AcRx::AppMsgCode msg, void* pkt);

  // The application id that accompanies kInitAppMsg and kUnloadAppMsg, as
  // the module hands it back to the dynamic linker.
  bool setLocked(void* appId, bool locked);
  bool setMdiAware(void* appId, bool aware);

  // Where load and unload problems of the module's own making are reported
  // besides the result (the editor routes them to the command line).
  void setReporter(std::function<void(const std::wstring&)> reporter) { m_reporter = std::move(reporter); }
  void report(const std::wstring& message) const;
  // Hears each module that finished loading (the editor then tells it about
  // the open drawings with kLoadDwgMsg).
  void setLoadedListener(std::function<void(HINSTANCE)> listener) { m_loadedListener = std::move(listener); }

  // Runs module code with the module marked as dispatching.
  class DispatchScope {
   public:
    DispatchScope(ModuleLoader& loader, HINSTANCE instance) : m_loader(loader) { loader.m_dispatching.push_back(instance); }
    ~DispatchScope() { m_loader.m_dispatching.pop_back(); }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

   private:
    ModuleLoader& m_loader;
  };

 private:
  struct Record;
  ModuleLoader();
  ~ModuleLoader();
  Record* recordOf(void* appId) const;
  Record* findRecord(const std::wstring& nameOrPath) const;
  HINSTANCE newInstance();
  ModuleResult failLoad(Record* record, const std::wstring& message, bool initialised);
  void discard(Record* record, bool callUninit);

  std::vector<std::unique_ptr<Record>> m_records;
  std::vector<HINSTANCE> m_dispatching;
  HINSTANCE m_attaching = nullptr;
  HINSTANCE m_hostInstance = nullptr;
  std::uintptr_t m_nextInstance;
  std::function<void(const std::wstring&)> m_reporter;
  std::function<void(HINSTANCE)> m_loadedListener;
};

}  // namespace uv
