// UIVantor2.so loaded by the host's loader as cadhost loads it: its
// exports, its nine commands in and out of the command stack and its one
// module object. (An entry function called through dlsym:
// e2e_uivantor2_commands.)
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/TextCase.h"
#include "ui/AfxExtension.h"
#include "rx/ArxAppPaths.h"
#include "rx/ModuleLoader.h"
#include "rx/OdRxModule.h"
#include "rx/SystemRegistry.h"

namespace {

const std::wstring kModule = uv::fromUtf8(UV_UIVANTOR2_MODULE);
const std::vector<std::wstring> kCommands = {L"POINTS",   L"BREAKLINE", L"SHOW",           L"PROJECTION", L"SURFMAN",
                                             L"CONVERT", L"SLOJNICE",  L"slojniceoznake", L"swap"};

std::vector<std::wstring> groupCommands() {
  std::vector<std::wstring> names;
  for (const AcEdCommand* c : acedRegCmds->commandsOfGroup(L"KVLXUIVantor2")) {
    EXPECT_STREQ(c->localName(), c->globalName());
    EXPECT_EQ(c->commandFlags(), 1);
    EXPECT_EQ(c->commandUIContext(), nullptr);
    names.push_back(c->globalName());
  }
  return names;
}

// How many extension-module libraries the dialog framework keeps for an instance.
long librariesOf(HINSTANCE instance) {
  const auto& chain = CDynLinkLibrary::chain();
  return std::count_if(chain.begin(), chain.end(), [&](const CDynLinkLibrary* l) { return l->m_hModule == instance; });
}

// A symbol of the loaded module.
template <class F>
F exported(const char* name) {
  const std::string path = uv::toUtf8(std::filesystem::canonical(uv::toUtf8(kModule)).wstring());
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(library, nullptr) << "the module is not loaded";
  if (!library) return nullptr;
  void* symbol = dlsym(library, name);
  dlclose(library);
  return reinterpret_cast<F>(symbol);
}

class ModuleLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uv::ModuleResult loaded = uv::ModuleLoader::instance().load(kModule);
    ASSERT_TRUE(loaded.ok) << uv::toUtf8(loaded.message);
    instance = loaded.instance;
  }
  void TearDown() override {
    if (uv::ModuleLoader::instance().find(kModule)) uv::ModuleLoader::instance().unload(kModule);
  }
  HINSTANCE instance = nullptr;
};

TEST_F(ModuleLoadTest, LoadingRegistersTheNineCommandsInTableOrder) {
  EXPECT_EQ(groupCommands(), kCommands);
  const uv::ModuleInfo* info = uv::ModuleLoader::instance().find(kModule);
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->mdiAware);
  EXPECT_FALSE(info->locked) << "the module unlocks itself so that it may be unloaded";
  EXPECT_EQ(info->apiMajor, 3);
  EXPECT_EQ(info->apiMinor, 9);
  // The version function also answers to the host's other name for it.
  EXPECT_NE(exported<void*>("acrxGetApiVersion"), nullptr);
  EXPECT_EQ(exported<void*>("acrxGetApiVersion"), exported<void*>("odrxGetAPIVersion"));
  for (const AcEdCommand* c : acedRegCmds->commandsOfGroup(L"KVLXUIVantor2"))
    EXPECT_EQ(c->resourceHandle(), instance) << "the module's own instance, for its resources";
  // The module object announced the module's full path.
  const auto& paths = uv::loadedArxAppPaths();
  EXPECT_NE(std::find(paths.begin(), paths.end(), info->path), paths.end()) << uv::toUtf8(info->path);
}

TEST_F(ModuleLoadTest, ASecondModuleObjectRequestGetsTheFirstObject) {
  auto create = exported<OdrxCreateModuleObjectFn>("odrxCreateModuleObject");
  ASSERT_NE(create, nullptr);
  HINSTANCE handle = reinterpret_cast<HINSTANCE>(0x1234);
  OdRxModule* first = create(handle);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(handle, reinterpret_cast<HINSTANCE>(0x1234)) << "a later call leaves the caller's handle alone";
  EXPECT_EQ(create(handle), first);
  EXPECT_EQ(first->sysData(), instance) << "the object keeps the loader's instance";
  EXPECT_EQ(first->moduleName(), L"UIVantor2.so");
}

// Unloading removes exactly the nine commands, the module's path and its
// registration with the dialog framework; loading again brings them back
// under the new instance. Also when something else still holds the library,
// so that it stays in memory after the loader's dlclose and its destructors
// do not run (the sanitizer build does this to the module by itself).
TEST_F(ModuleLoadTest, UnloadingUndoesTheLoadAlsoWhenTheLibraryStaysInMemory) {
  ASSERT_EQ(acedRegCmds->addCommand(L"OTHERS", L"KEEPME", L"KEEPME", 0, [] {}), Acad::eOk);
  const size_t before = acedRegCmds->commands().size();
  const std::string path = uv::toUtf8(std::filesystem::canonical(uv::toUtf8(kModule)).wstring());
  void* pin = nullptr;
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    if (round == 1) pin = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    const uv::ModuleInfo* info = uv::ModuleLoader::instance().find(kModule);
    ASSERT_NE(info, nullptr);
    const std::wstring announced = info->path;
    const HINSTANCE loaded = info->instance;
    EXPECT_EQ(librariesOf(loaded), 1) << "attaching registers the module with the dialog framework";
    ASSERT_TRUE(uv::ModuleLoader::instance().unload(kModule).ok);
    EXPECT_TRUE(groupCommands().empty());
    EXPECT_EQ(acedRegCmds->commands().size(), before - kCommands.size());
    EXPECT_NE(acedRegCmds->lookupCmd(L"KEEPME"), nullptr);
    const auto& paths = uv::loadedArxAppPaths();
    EXPECT_EQ(std::find(paths.begin(), paths.end(), announced), paths.end()) << "onUnloadArxApp took the path back";
    if (pin) {
      void* still = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
      EXPECT_NE(still, nullptr) << "the library is still in memory";
      if (still) dlclose(still);
    }
    EXPECT_EQ(librariesOf(loaded), 0) << "detaching undoes the registration";
    uv::ModuleResult again = uv::ModuleLoader::instance().load(kModule);
    ASSERT_TRUE(again.ok) << uv::toUtf8(again.message);
    EXPECT_EQ(groupCommands(), kCommands);
    for (const AcEdCommand* c : acedRegCmds->commandsOfGroup(L"KVLXUIVantor2"))
      EXPECT_EQ(c->resourceHandle(), again.instance) << "the new instance";
  }
  if (pin) dlclose(pin);
  acedRegCmds->removeGroup(L"OTHERS");
}

}  // namespace
