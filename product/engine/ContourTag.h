// SPDX-License-Identifier: GPL-3.0-or-later
// The mark on contour polylines by which their surface finds them again:
//   (1001 "KVLX_CONTOUR") (1000 surface name) (1040 level) (1070 1 major / 0 minor)
#pragma once

#include <optional>
#include <string>

class AcDbDatabase;
class AcDbEntity;

namespace uv::engine {

inline constexpr const wchar_t* kContourApp = L"KVLX_CONTOUR";

struct ContourTag {
  std::wstring surface;
  double level = 0.0;
  bool major = false;
};

// Registers the application name in db when it is missing; false when it cannot.
bool registerApp(AcDbDatabase* db, const wchar_t* app);
// The entity open for write and in a database.
bool tagContour(AcDbEntity& entity, const ContourTag& tag);
std::optional<ContourTag> contourTagOf(const AcDbEntity& entity);

}  // namespace uv::engine
