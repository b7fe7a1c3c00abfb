// Fuzz target: the DXF reader (platform/db/dxf). Any bytes either load or
// fail with an error naming the file, and a failed load leaves the drawing
// as it was; a drawing that loads saves, and what it saved loads again.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "db/AcDbDatabase.h"
#include "db/dxf/DxfFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  AcDbDatabase db;
  const uv::dxf::Result loaded = uv::dxf::loadFromString(text, db, L"fuzz.dxf");
  if (!loaded) {
    UV_FUZZ_CHECK(loaded.error.rfind(L"fuzz.dxf", 0) == 0, "an error that does not name the file");
    UV_FUZZ_CHECK(uv::dxf::isNewDatabase(db), "a failed load changed the drawing");
    return 0;
  }
  std::string saved;
  UV_FUZZ_CHECK(uv::dxf::saveToString(db, saved).ok, "a loaded drawing cannot be saved");
  AcDbDatabase again;
  const uv::dxf::Result reloaded = uv::dxf::loadFromString(saved, again, L"saved.dxf");
  if (!reloaded) std::fprintf(stderr, "%ls\n", reloaded.error.c_str());
  UV_FUZZ_CHECK(reloaded.ok, "a saved drawing cannot be opened again");
  return 0;
}
