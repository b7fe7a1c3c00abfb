#include "host/EntryFunctionCaller.h"

#include <dlfcn.h>

#include <cstring>
#include <cwctype>
#include <exception>

#include "base/TextCase.h"
#include "ed/WorkFailures.h"
#include "host/HostError.h"
#include "rx/ModuleLoader.h"
#include "user/ScriptError.h"

namespace uv::host {

namespace {

using TextFunction = void (*)(const wchar_t*);
using PlainFunction = void (*)();

struct Found {
  void* address = nullptr;
  HINSTANCE module = nullptr;
};

bool isIdentifier(const std::wstring& s) {
  if (s.empty() || !(std::iswalpha(wint_t(s[0])) || s[0] == L'_')) return false;
  for (wchar_t c : s)
    if (!(c < 128 && (std::iswalnum(wint_t(c)) || c == L'_'))) return false;
  return true;
}

// The symbol in the first loaded module that exports it.
Found findSymbol(const std::string& symbol) {
  for (const ModuleInfo& m : ModuleLoader::instance().modules()) {
    // Already loaded: RTLD_NOLOAD only hands back its handle (and counts it).
    void* library = dlopen(toUtf8(m.path).c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!library) continue;
    void* address = dlsym(library, symbol.c_str());
    dlclose(library);
    if (address) return {address, m.instance};
  }
  return {};
}

}  // namespace

std::string EntryFunctionCaller::mangledName(const std::string& function, bool takesText) {
  return "_ZN" + std::to_string(std::strlen(kClassName)) + kClassName + std::to_string(function.size()) + function +
         (takesText ? "EPKw" : "Ev");
}

void EntryFunctionCaller::call(const std::wstring& function, const std::optional<std::wstring>& argument) {
  const std::wstring qualified = fromUtf8(kClassName) + L"::" + function;
  if (!isIdentifier(function)) throw HostError(ExitCode::kJobError, L"\"" + function + L"\" is not a function name");
  const std::string name = toUtf8(function);
  const Found withText = findSymbol(mangledName(name, true));
  const Found plain = findSymbol(mangledName(name, false));
  if (!withText.address && !plain.address) {
    std::wstring loaded;
    for (const ModuleInfo& m : ModuleLoader::instance().modules()) loaded += (loaded.empty() ? L"" : L", ") + m.name;
    throw HostError(ExitCode::kJobError, L"no loaded module exports " + qualified +
                                             (loaded.empty() ? L" (no module is loaded)" : L" (loaded: " + loaded + L")"));
  }
  if (argument && !withText.address)
    throw HostError(ExitCode::kJobError, qualified + L" takes no argument; write: call " + function);
  if (!argument && !plain.address)
    throw HostError(ExitCode::kJobError, qualified + L" takes a text; write: call " + function + L" \"name\"");

  const Found& target = argument ? withText : plain;
  ModuleLoader::DispatchScope scope(ModuleLoader::instance(), target.module);
  takeWorkFailures();
  try {
    if (argument) reinterpret_cast<TextFunction>(target.address)(argument->c_str());
    else reinterpret_cast<PlainFunction>(target.address)();
  } catch (const ScriptError&) {
    throw;
  } catch (const std::exception& e) {
    throw HostError(ExitCode::kJobError, qualified + L" failed: " + fromUtf8(e.what()));
  } catch (...) {
    throw HostError(ExitCode::kJobError, qualified + L" failed with an exception");
  }
  if (const auto reported = takeWorkFailures(); !reported.empty())
    throw HostError(ExitCode::kJobError, qualified + L" failed: " + joinWorkFailures(reported));
}

}  // namespace uv::host
