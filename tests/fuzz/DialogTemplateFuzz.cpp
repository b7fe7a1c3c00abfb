// Fuzz target: the dialog template parser (platform/ui/ResourceScript). Any
// text either parses or fails with a ResourceError; what parses keeps its
// promises: dialog ids are unique, and so are a dialog's control ids (but
// -1) and names (but IDC_STATIC), and every control lies inside its dialog.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "base/TextCase.h"
#include "ui/ResourceError.h"
#include "ui/ResourceScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = uv::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    const uv::ResourceScript script = uv::ResourceScript::parse(text, L"fuzz.rc", L"/nonexistent");
    std::set<UINT> dialogs;
    for (const uv::DialogTemplate& d : script.dialogs) {
      UV_FUZZ_CHECK(dialogs.insert(d.id).second, "two dialogs with one id");
      std::set<int> ids;
      std::set<std::wstring> names;
      for (const uv::ControlTemplate& c : d.controls) {
        if (c.id != -1) UV_FUZZ_CHECK(ids.insert(c.id).second, "two controls with one id");
        if (c.name != L"IDC_STATIC") UV_FUZZ_CHECK(names.insert(c.name).second, "two controls with one name");
        UV_FUZZ_CHECK(c.rect.left >= 0 && c.rect.top >= 0 && c.rect.left < c.rect.right && c.rect.top < c.rect.bottom &&
                          c.rect.right <= d.width && c.rect.bottom <= d.height,
                      "a control outside its dialog");
      }
    }
  } catch (const uv::ResourceError&) {
  }
  return 0;
}
