#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "base/TextCase.h"
#include "rx/ArxAppPaths.h"
#include "rx/ModuleHandles.h"
#include "rx/ModuleLoader.h"
#include "rx/SystemRegistry.h"

namespace {

using uv::ModuleLoader;

std::wstring modulePath(const char* variant) {
  return uv::fromUtf8(std::string(UV_RX_MODULE_DIR) + "/rx_module_" + variant + ".so");
}

// A function the loaded test module exports, found in the loaded copy.
template <class F>
F moduleFunction(const char* variant, const char* name) {
  void* h = dlopen(uv::toUtf8(modulePath(variant)).c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (!h) return nullptr;
  F f = reinterpret_cast<F>(dlsym(h, name));
  dlclose(h);  // drops only the reference RTLD_NOLOAD added
  return f;
}

bool pathRecorded(const std::wstring& path) {
  const auto& paths = uv::loadedArxAppPaths();
  return std::find(paths.begin(), paths.end(), path) != paths.end();
}

TEST(ModuleLoader, LoadsRunsUnloadsAndLoadsAgain) {
  auto& loader = ModuleLoader::instance();
  const std::wstring path = modulePath("good");
  const std::wstring canonical = uv::fromUtf8(std::filesystem::canonical(uv::toUtf8(path)).string());

  uv::ModuleResult loaded = loader.load(path);
  ASSERT_TRUE(loaded.ok) << uv::toUtf8(loaded.message);
  HINSTANCE first = loaded.instance;
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, uv::hostInstance());

  // The module learnt its handle while attaching, and can name its file.
  auto attachedAs = moduleFunction<HINSTANCE (*)()>("good", "uvTestAttachedAs");
  ASSERT_NE(attachedAs, nullptr);
  EXPECT_EQ(attachedAs(), first);
  wchar_t name[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameW(first, name, MAX_PATH), canonical.size());
  EXPECT_EQ(std::wstring(name), canonical);
  EXPECT_EQ(GetModuleHandleW(L"rx_module_good"), first);
  EXPECT_TRUE(pathRecorded(canonical));  // initApp called onLoadArxApp

  const uv::ModuleInfo* info = loader.find(L"RX_MODULE_GOOD.so");
  ASSERT_NE(info, nullptr);
  EXPECT_FALSE(info->locked);  // unlocked itself on kInitAppMsg
  EXPECT_TRUE(info->mdiAware);
  EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(L"rx_module_good"));
  EXPECT_EQ(info->apiMajor, 3);
  EXPECT_EQ(info->apiMinor, 9);

  // Both commands registered, owned by and carrying the module's handle.
  AcEdCommand* cmd = acedRegCmds->lookupCmd(L"uvfirstlocal");
  ASSERT_NE(cmd, nullptr);
  EXPECT_EQ(cmd->ownerInstance(), first);
  EXPECT_EQ(cmd->resourceHandle(), first);
  ASSERT_NE(acedRegCmds->lookupCmd(L"UVSECOND"), nullptr);
  auto runs = moduleFunction<int (*)()>("good", "uvTestRuns");
  int before = runs();
  cmd->functionAddr()();
  acedRegCmds->lookupCmd(L"uvsecond")->functionAddr()();
  EXPECT_EQ(runs() - before, 11);
  EXPECT_EQ(moduleFunction<long (*)()>("good", "uvTestModuleRefs")(), 1);

  // A second load of the same file is refused, naming it.
  uv::ModuleResult again = loader.load(path);
  EXPECT_FALSE(again.ok);
  EXPECT_NE(again.message.find(L"already loaded"), std::wstring::npos);

  uv::ModuleResult unloaded = loader.unload(L"rx_module_good");
  ASSERT_TRUE(unloaded.ok) << uv::toUtf8(unloaded.message);
  EXPECT_EQ(acedRegCmds->lookupCmd(L"UvFirst"), nullptr);
  EXPECT_EQ(acedRegCmds->lookupCmd(L"UvSecond"), nullptr);
  EXPECT_EQ(loader.find(L"rx_module_good"), nullptr);
  EXPECT_FALSE(pathRecorded(canonical));  // uninitApp called onUnloadArxApp
  EXPECT_EQ(GetModuleFileNameW(first, name, MAX_PATH), 0u);

  loaded = loader.load(path);
  ASSERT_TRUE(loaded.ok) << uv::toUtf8(loaded.message);
  EXPECT_NE(loaded.instance, first);  // handles are never reused
  EXPECT_NE(acedRegCmds->lookupCmd(L"UvFirst"), nullptr);
  EXPECT_TRUE(acrxDynamicLinker->unloadModule(canonical.c_str()));
  EXPECT_EQ(acedRegCmds->lookupCmd(L"UvFirst"), nullptr);
}

TEST(ModuleLoader, FailuresAreResultsAndLeaveNothingBehind) {
  struct Case {
    std::wstring file;
    std::wstring expected;  // a part of the message
  } cases[] = {
      {modulePath("missing"), L"no such file"},
      {L"", L"no such file"},
      {modulePath("noentry"), L"does not export acrxEntryPoint"},
      {modulePath("failinit"), L"failed to initialise (kInitAppMsg returned 3)"},
      {modulePath("throwinit"), L"kInitAppMsg threw an exception: no licence"},
      {modulePath("oldapi"), L"built for interface version 2.9; this host offers 3.9"},
      {uv::fromUtf8(UV_SOURCE_DIR "/CMakeLists.txt"), L"cannot load module"},
  };
  auto& loader = ModuleLoader::instance();
  size_t modulesBefore = loader.modules().size();
  size_t commandsBefore = acedRegCmds->commands().size();
  for (const auto& c : cases) {
    uv::ModuleResult r = loader.load(c.file);
    EXPECT_FALSE(r.ok) << uv::toUtf8(c.file);
    EXPECT_NE(r.message.find(c.expected), std::wstring::npos) << uv::toUtf8(r.message);
    EXPECT_EQ(loader.modules().size(), modulesBefore);
    // failinit registered its commands before giving up; they went with it.
    EXPECT_EQ(acedRegCmds->commands().size(), commandsBefore) << uv::toUtf8(c.file);
  }
  EXPECT_FALSE(loader.unload(L"nothing_like_it").ok);
}

TEST(ModuleLoader, ALockedModuleStaysUntilForced) {
  auto& loader = ModuleLoader::instance();
  ASSERT_TRUE(loader.load(modulePath("locked")).ok);
  EXPECT_TRUE(acrxDynamicLinker->isApplicationLocked(L"rx_module_locked.so"));
  uv::ModuleResult r = loader.unload(L"rx_module_locked");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(L"locked"), std::wstring::npos);
  EXPECT_NE(acedRegCmds->lookupCmd(L"UvFirst"), nullptr);
  EXPECT_TRUE(loader.unload(L"rx_module_locked", true).ok);
  EXPECT_EQ(acedRegCmds->lookupCmd(L"UvFirst"), nullptr);
}

TEST(ModuleLoader, CommandsAModuleLeavesBehindAreRemovedWithIt) {
  auto& loader = ModuleLoader::instance();
  std::wstring reported;
  loader.setReporter([&](const std::wstring& m) { reported += m; });
  ASSERT_TRUE(loader.load(modulePath("leavecmds")).ok);
  ASSERT_TRUE(loader.unload(L"rx_module_leavecmds").ok);
  loader.setReporter(nullptr);
  EXPECT_EQ(acedRegCmds->lookupCmd(L"UvFirst"), nullptr);  // it would point into an unmapped library
  EXPECT_NE(reported.find(L"left 2 command(s) registered"), std::wstring::npos) << uv::toUtf8(reported);
}

}  // namespace
