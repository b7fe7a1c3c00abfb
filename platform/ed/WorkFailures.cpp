#include "WorkFailures.h"

namespace uv {

namespace {
std::vector<std::wstring>& failures() {
  static std::vector<std::wstring> reported;
  return reported;
}
}  // namespace

void reportWorkFailure(const std::wstring& message) { failures().push_back(message); }

std::vector<std::wstring> takeWorkFailures() {
  std::vector<std::wstring> taken;
  taken.swap(failures());
  return taken;
}

std::wstring joinWorkFailures(const std::vector<std::wstring>& list) {
  std::wstring joined;
  for (const std::wstring& f : list) joined += (joined.empty() ? L"" : L"; ") + f;
  return joined;
}

}  // namespace uv
