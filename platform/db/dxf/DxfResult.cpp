#include "db/dxf/DxfResult.h"

#include "base/TextCase.h"

namespace uv::dxf {

int Result::skippedCount() const {
  int n = 0;
  for (const auto& [kind, count] : skipped) n += count;
  return n;
}

std::wstring Result::skippedText() const {
  std::wstring out;
  for (const auto& [kind, count] : skipped) {
    if (!out.empty()) out += L", ";
    out += std::to_wstring(count) + L" " + fromUtf8(kind);
  }
  return out;
}

}  // namespace uv::dxf
