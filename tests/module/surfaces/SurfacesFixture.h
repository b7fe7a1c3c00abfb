// What the tests of surface management share: the module's fixture (its
// resources, a drawing in the current document) with a user that records
// the message boxes it answers and lets a test look at a dialog after each
// action; surfaces and surface files to work with.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "tests/module/WatchedDialog.h"
#include "ge/AcGePoint3d.h"
#include "product/engine/CKVLSurfaceManager.h"

class CKVLXsurface_Vantor2;

namespace uvtest {

class SurfacesFixture : public ModuleFixture {
 protected:
  WatchingUser surfacesUser;
  std::filesystem::path folder;

  void SetUp() override;
  void TearDown() override;
  void script(std::initializer_list<const wchar_t*> lines) { surfacesUser.appendLines(lines); }

  CKVLSurfaceManager* manager() const { return CKVLSurfaceManager::Instance(0); }
  // A drawing surface with a few points.
  CKVLXsurface_Vantor2* makeSurface(const wchar_t* name);
  // A surface file written by the engine, holding `name`.
  std::wstring writeSurfaceFile(const std::string& file, const wchar_t* name, const wchar_t* description);
  // Forgets the manager, so the next Instance() reads the drawing again.
  void reread();
  // A file surface whose file has gone: listed but unavailable.
  void makeUnavailable(const wchar_t* name);

 private:
  std::unique_ptr<uv::UserScope> m_scope;
};

}  // namespace uvtest
