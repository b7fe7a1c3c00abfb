#include "ModuleLoader.h"
#include "DllMain.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/TextCase.h"
#include "AdsFunctionTable.h"
#include "SystemRegistry.h"
#include "OdRxModule.h"

namespace uv {

namespace fs = std::filesystem;

struct ModuleLoader::Record {
  ModuleInfo info;
  void* library = nullptr;
  OdRxModule* object = nullptr;
  AcrxEntryPointFn entry = nullptr;
  DllMainFn dllMain = nullptr;  // set once the attach succeeded
};

namespace {

// Runs module code; an exception becomes a message naming what was called.
template <class F>
bool guarded(const wchar_t* what, F&& f, std::wstring& error) {
  try {
    f();
    return true;
  } catch (const std::exception& e) {
    error = std::wstring(what) + L" threw an exception: " + fromUtf8(e.what());
  } catch (...) {
    error = std::wstring(what) + L" threw an exception";
  }
  return false;
}

std::wstring dlError() {
  const char* e = dlerror();
  return e ? fromUtf8(e) : L"unknown error";
}

std::wstring stem(const std::wstring& name) {
  auto dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace

ModuleLoader& ModuleLoader::instance() {
  // Lives for the whole process: modules still loaded at exit keep pointers into it.
  static ModuleLoader* loader = new ModuleLoader();
  return *loader;
}

ModuleLoader::ModuleLoader() : m_nextInstance(0x40000000u) { m_hostInstance = newInstance(); }

ModuleLoader::~ModuleLoader() = default;

HINSTANCE ModuleLoader::newInstance() {
  // Opaque, distinct and never reused; nobody dereferences an instance handle.
  m_nextInstance += 0x10000u;
  return reinterpret_cast<HINSTANCE>(m_nextInstance);
}

void ModuleLoader::report(const std::wstring& message) const {
  if (m_reporter) m_reporter(message);
}

ModuleResult ModuleLoader::load(const std::wstring& file) {
  ModuleResult result;
  std::error_code ec;
  fs::path path(toUtf8(file));
  if (file.empty() || !fs::is_regular_file(path, ec)) {
    result.message = L"cannot load module \"" + file + L"\": no such file";
    return result;
  }
  fs::path canonical = fs::canonical(path, ec);
  if (ec) canonical = fs::absolute(path);
  std::wstring full = fromUtf8(canonical.string());
  if (const Record* already = findRecord(full)) {
    result.message = L"module \"" + already->info.name + L"\" is already loaded";
    result.instance = already->info.instance;
    return result;
  }

  auto owned = std::make_unique<Record>();
  Record* record = owned.get();
  record->info.path = full;
  record->info.name = fromUtf8(canonical.filename().string());
  record->info.instance = newInstance();
  // Registered before dlopen so that the library constructors can ask for
  // their own handle and file name.
  m_records.push_back(std::move(owned));

  m_attaching = record->info.instance;
  {
    DispatchScope scope(*this, record->info.instance);
    dlerror();
    record->library = dlopen(canonical.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  if (!record->library) {
    m_attaching = nullptr;
    return failLoad(record, L"cannot load module \"" + full + L"\": " + dlError(), false);
  }
  if (auto dllMain = reinterpret_cast<DllMainFn>(dlsym(record->library, "DllMain"))) {
    BOOL attached = FALSE;
    std::wstring error;
    bool ran;
    {
      DispatchScope scope(*this, record->info.instance);
      ran = guarded(L"DllMain", [&] { attached = dllMain(record->info.instance, DLL_PROCESS_ATTACH, nullptr); }, error);
    }
    m_attaching = nullptr;
    if (!ran) return failLoad(record, L"module \"" + record->info.name + L"\": " + error, false);
    if (!attached)
      return failLoad(record, L"module \"" + record->info.name + L"\" refused to attach (DllMain returned FALSE)", false);
    record->dllMain = dllMain;
  }
  m_attaching = nullptr;

  auto version = reinterpret_cast<OdrxGetAPIVersionFn>(dlsym(record->library, "odrxGetAPIVersion"));
  auto create = reinterpret_cast<OdrxCreateModuleObjectFn>(dlsym(record->library, "odrxCreateModuleObject"));
  record->entry = reinterpret_cast<AcrxEntryPointFn>(dlsym(record->library, "acrxEntryPoint"));
  const wchar_t* missing = !version ? L"odrxGetAPIVersion" : !create ? L"odrxCreateModuleObject"
                                                           : !record->entry ? L"acrxEntryPoint" : nullptr;
  if (missing)
    return failLoad(record, L"module \"" + record->info.name + L"\" does not export " + missing, false);

  std::wstring error;
  int major = 0, minor = 0, majorBuild = 0, minorBuild = 0;
  DispatchScope scope(*this, record->info.instance);
  if (!guarded(L"odrxGetAPIVersion", [&] { version(major, minor, majorBuild, minorBuild); }, error))
    return failLoad(record, L"module \"" + record->info.name + L"\": " + error, false);
  record->info.apiMajor = major;
  record->info.apiMinor = minor;
  if (major != kApiMajorVersion)
    return failLoad(record,
                    L"module \"" + record->info.name + L"\" was built for interface version " + std::to_wstring(major) +
                        L"." + std::to_wstring(minor) + L"; this host offers " + std::to_wstring(kApiMajorVersion) +
                        L"." + std::to_wstring(kApiMinorVersion),
                    false);

  HINSTANCE handed = record->info.instance;
  if (!guarded(L"odrxCreateModuleObject", [&] { record->object = create(handed); }, error))
    return failLoad(record, L"module \"" + record->info.name + L"\": " + error, false);
  if (!record->object)
    return failLoad(record, L"module \"" + record->info.name + L"\" made no module object", false);

  if (!guarded(L"the module object's initApp", [&] { record->object->initApp(); }, error))
    return failLoad(record, L"module \"" + record->info.name + L"\": " + error, true);

  AcRx::AppRetCode rc = AcRx::kRetOK;
  if (!guarded(L"kInitAppMsg", [&] { rc = record->entry(AcRx::kInitAppMsg, record); }, error))
    return failLoad(record, L"module \"" + record->info.name + L"\": " + error, true);
  if (rc != AcRx::kRetOK)
    return failLoad(record,
                    L"module \"" + record->info.name + L"\" failed to initialise (kInitAppMsg returned " +
                        std::to_wstring(int(rc)) + L")",
                    true);

  result.ok = true;
  result.instance = record->info.instance;
  result.message = L"loaded module \"" + record->info.name + L"\"";
  if (m_loadedListener) m_loadedListener(record->info.instance);
  return result;
}

ModuleResult ModuleLoader::failLoad(Record* record, const std::wstring& message, bool initialised) {
  discard(record, initialised);
  ModuleResult result;
  result.message = message;
  return result;
}

void ModuleLoader::discard(Record* record, bool callUninit) {
  HINSTANCE instance = record->info.instance;
  std::wstring error;
  {
    DispatchScope scope(*this, instance);
    // Commands or functions still pointing into the library would crash the
    // host once it is unmapped.
    int leftover = acedRegCmds->removeCommandsOf(instance);
    if (leftover > 0)
      report(L"module \"" + record->info.name + L"\" left " + std::to_wstring(leftover) +
             L" command(s) registered; they were removed");
    AdsFunctionTable::instance().removeAllOf(instance);
    if (record->object) {
      if (callUninit && !guarded(L"the module object's uninitApp", [&] { record->object->uninitApp(); }, error))
        report(L"module \"" + record->info.name + L"\": " + error);
      if (!guarded(L"releasing the module object", [&] { record->object->release(); }, error))
        report(L"module \"" + record->info.name + L"\": " + error);
      record->object = nullptr;
    }
    if (record->dllMain &&
        !guarded(L"DllMain", [&] { record->dllMain(instance, DLL_PROCESS_DETACH, nullptr); }, error))
      report(L"module \"" + record->info.name + L"\": " + error);
    if (record->library) dlclose(record->library);
  }
  std::erase_if(m_records, [&](const auto& r) { return r.get() == record; });
}

ModuleResult ModuleLoader::unload(const std::wstring& nameOrPath, bool force) {
  ModuleResult result;
  Record* record = findRecord(nameOrPath);
  if (!record) {
    result.message = L"no module \"" + nameOrPath + L"\" is loaded";
    return result;
  }
  const std::wstring name = record->info.name;
  result.instance = record->info.instance;
  if (record->info.locked && !force) {
    result.message = L"module \"" + name + L"\" is locked and cannot be unloaded";
    return result;
  }
  std::wstring error;
  bool valid = true;
  {
    DispatchScope scope(*this, record->info.instance);
    if (!guarded(L"isValidToUnload", [&] { valid = record->object->isValidToUnload(); }, error)) valid = false;
  }
  if (!valid && !force) {
    result.message = L"module \"" + name + L"\" is still in use and cannot be unloaded";
    return result;
  }
  AcRx::AppRetCode rc = AcRx::kRetOK;
  bool threw;
  {
    DispatchScope scope(*this, record->info.instance);
    threw = !guarded(L"kUnloadAppMsg", [&] { rc = record->entry(AcRx::kUnloadAppMsg, record); }, error);
  }
  if ((threw || rc != AcRx::kRetOK) && !force) {
    result.message = threw ? L"module \"" + name + L"\": " + error
                           : L"module \"" + name + L"\" refused to unload (kUnloadAppMsg returned " +
                                 std::to_wstring(int(rc)) + L")";
    return result;
  }
  if (threw) report(L"module \"" + name + L"\": " + error);
  discard(record, true);
  result.ok = true;
  result.message = L"unloaded module \"" + name + L"\"";
  return result;
}

void ModuleLoader::unloadAll() {
  while (!m_records.empty()) unload(m_records.back()->info.path, true);
}

std::vector<ModuleInfo> ModuleLoader::modules() const {
  std::vector<ModuleInfo> out;
  for (const auto& r : m_records)
    if (r->object) out.push_back(r->info);
  return out;
}

ModuleLoader::Record* ModuleLoader::findRecord(const std::wstring& nameOrPath) const {
  if (nameOrPath.empty()) return nullptr;
  std::error_code ec;
  fs::path asPath(toUtf8(nameOrPath));
  std::wstring canonical;
  if (nameOrPath.find(L'/') != std::wstring::npos) {
    fs::path c = fs::weakly_canonical(asPath, ec);
    canonical = ec ? nameOrPath : fromUtf8(c.string());
  }
  for (const auto& r : m_records) {
    if (!canonical.empty()) {
      if (r->info.path == canonical) return r.get();
      continue;
    }
    if (equalsNoCase(r->info.name, nameOrPath) || equalsNoCase(stem(r->info.name), nameOrPath)) return r.get();
  }
  return nullptr;
}

const ModuleInfo* ModuleLoader::find(const std::wstring& nameOrPath) const {
  const Record* r = findRecord(nameOrPath);
  return r ? &r->info : nullptr;
}

const ModuleInfo* ModuleLoader::findByInstance(HINSTANCE instance) const {
  for (const auto& r : m_records)
    if (r->info.instance == instance) return &r->info;
  return nullptr;
}

ModuleLoader::Record* ModuleLoader::recordOf(void* appId) const {
  for (const auto& r : m_records)
    if (r.get() == appId) return r.get();
  return nullptr;
}

bool ModuleLoader::setLocked(void* appId, bool locked) {
  Record* r = recordOf(appId);
  if (!r) return false;
  r->info.locked = locked;
  return true;
}

bool ModuleLoader::setMdiAware(void* appId, bool aware) {
  Record* r = recordOf(appId);
  if (!r) return false;
  r->info.mdiAware = aware;
  return true;
}

AcRx::AppRetCode ModuleLoader::sendMessage(HINSTANCE module, AcRx::AppMsgCode msg, void* pkt) {
  for (const auto& r : m_records) {
    if (r->info.instance != module || !r->object) continue;
    DispatchScope scope(*this, module);
    return r->entry(msg, pkt);
  }
  return AcRx::kRetError;
}

void ModuleLoader::broadcast(AcRx::AppMsgCode msg, void* pkt) {
  std::vector<HINSTANCE> targets;
  for (const auto& r : m_records)
    if (r->object) targets.push_back(r->info.instance);
  for (HINSTANCE h : targets) sendMessage(h, msg, pkt);
}

}  // namespace uv
