// Loading a drawing's DXF text and saving it again, for tests that look at
// what a round trip keeps.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/dxf/DxfFile.h"

namespace uvtest {

// Loads the text into db and saves it again; fails naming the step that did.
inline ::testing::AssertionResult loadAndSave(const std::string& text, AcDbDatabase& db, const wchar_t* name,
                                              std::string& saved) {
  const uv::dxf::Result r = uv::dxf::loadFromString(text, db, name);
  if (!r.ok) return ::testing::AssertionFailure() << uv::toUtf8(r.error);
  if (!uv::dxf::saveToString(db, saved).ok) return ::testing::AssertionFailure() << "the drawing does not save";
  return ::testing::AssertionSuccess();
}

}  // namespace uvtest
