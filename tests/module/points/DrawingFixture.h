// The point-loading tests' fixture: the module's dialog templates and
// messages registered (from UIVANTOR2_RESOURCES when set, as the module
// reads them, else from the source tree), the survey drawing of the
// point-loading jobs (tests/e2e/drawings/points_drawing) or an empty one in
// the current document, a folder of the test's own for the files it
// writes, and a scripted user that notes how the dialog stood while it was
// asked to select.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/CString.h"
#include "db/AcDbDatabase.h"
#include "ed/AcApDocManager.h"
#include "ge/AcGePoint3d.h"
#include "user/CurrentUser.h"
#include "user/ScriptedUser.h"
#include "tests/module/WatchedDialog.h"

class CKVLSurfaceManager;

namespace uvtest {

class DrawingFixture : public ::testing::Test {
 protected:
  AcApDocument* doc = nullptr;
  AcDbDatabase* db = nullptr;
  WatchingUser user;
  // Removed with what it holds when the test ends.
  std::filesystem::path folder;

  void SetUp() override;
  void TearDown() override;
  // The drawing SetUp opens: the survey drawing of the point-loading jobs
  // unless a fixture asks for an empty one ("").
  virtual std::wstring drawingFile() const;
  // Writes the bytes as they are into the folder and returns the file's path.
  CString writeFile(const std::string& name, const std::string& bytes);

  // Replaces the current drawing with a file of the points drawing folder
  // ("entities.dxf", "points_drawing.dxf") or an empty drawing ("").
  void openDrawing(const char* file);
  // The same with the file's full path (empty: an empty drawing).
  void openDrawingAt(const std::wstring& path);
  void answer(std::initializer_list<const wchar_t*> lines) { user.appendLines(lines); }
  // The live model-space entities, in drawing order.
  std::vector<AcDbObjectId> entities() const;
  // The first model-space entity of that DXF type ("LINE", "INSERT") whose
  // position, start point or centre lies at (x, y) in plan.
  AcDbObjectId entityAt(const wchar_t* type, double x, double y) const;

 private:
  std::unique_ptr<uv::UserScope> m_scope;
};

std::wstring pointsDrawingFile(const char* name);

// Points as "x,y,z" in the order given.
template <class Points>
std::vector<std::string> pointTexts(const Points& points) {
  std::vector<std::string> out;
  for (const auto& p : points) {
    char text[96];
    std::snprintf(text, sizeof text, "%g,%g,%g", p.x, p.y, p.z);
    out.push_back(text);
  }
  return out;
}

// The points of a surface, sorted by x then y, "x,y,z" with up to three
// decimals; empty for a missing surface.
std::vector<std::string> surfacePoints(CKVLSurfaceManager* manager, const wchar_t* name);

}  // namespace uvtest
