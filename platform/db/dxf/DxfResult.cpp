#include "db/dxf/DxfResult.h"

#include "base/TextCase.h"

namespace uv::dxf {

int Result::mendedCount() const {
  int n = 0;
  for (const auto& [kind, count] : mended) n += count;
  return n;
}

std::wstring Result::mendedText() const {
  std::wstring out;
  for (const auto& [kind, count] : mended) {
    if (!out.empty()) out += L", ";
    out += std::to_wstring(count) + L" " + fromUtf8(kind);
  }
  return out;
}

}  // namespace uv::dxf
