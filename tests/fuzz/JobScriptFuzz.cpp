// Fuzz target: the job-script parser (platform/user/JobScript) and the
// values of its actions. Any text either parses or fails with a ScriptError
// naming its line; a number or point read from a script and written back
// (as the desktop front end records a session) reads as the same value.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "base/TextCase.h"
#include "user/JobScript.h"
#include "user/ScriptError.h"
#include "user/ScriptValues.h"

namespace {

bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

void checkValues(const uv::ScriptAction& action) {
  for (std::size_t i = 0; action.has(i); ++i) {
    const std::wstring& text = action.args[i].text;
    if (auto number = uv::parseScriptNumber(text)) {
      auto again = uv::parseScriptNumber(uv::formatScriptNumber(*number));
      UV_FUZZ_CHECK(again && same(*again, *number), "a number written back reads as another");
    }
    if (auto point = uv::parseScriptPoint(text)) {
      auto again = uv::parseScriptPoint(uv::formatScriptPoint(*point));
      UV_FUZZ_CHECK(again && same(again->x, point->x) && same(again->y, point->y) && same(again->z, point->z),
                    "a point written back reads as another");
    }
    uv::parseScriptInteger(text);
  }
  action.describe();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = uv::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    for (const uv::ScriptAction& action : uv::JobScript::parse(text, L"fuzz.job")) {
      UV_FUZZ_CHECK(action.where.line >= 1, "an action without its line");
      checkValues(action);
    }
  } catch (const uv::ScriptError& e) {
    UV_FUZZ_CHECK(e.where().line >= 1, "an error without its line");
  }
  return 0;
}
