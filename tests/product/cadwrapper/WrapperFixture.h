// The wrapper tests' drawing: data/wrapper_drawing.dxf (made by
// data/make_drawing.py) loaded into the current document, each entity on a
// layer named after its kind.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "db/AcDbDatabase.h"
#include "ed/AcApDocManager.h"

namespace uvtest {

class WrapperFixture : public ::testing::Test {
 protected:
  AcApDocument* doc = nullptr;
  AcDbDatabase* db = nullptr;

  void SetUp() override;
  void TearDown() override;

  // The first live model-space entity on the layer; null when none.
  AcDbObjectId entityOn(const wchar_t* layer) const;
  // The live model-space entities, in drawing order.
  std::vector<AcDbObjectId> entities() const;
  // The drawing written to DXF and read back into a new database, which
  // then replaces it as the current document's drawing.
  void saveAndReload();
  void makeCurrentLayer(const wchar_t* layer);
  static std::wstring layerOf(AcDbObjectId id);
  static std::wstring dataFile(const char* name);
};

}  // namespace uvtest
