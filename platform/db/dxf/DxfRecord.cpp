#include "db/dxf/DxfRecord.h"

#include <charconv>
#include <cmath>

#include "db/dxf/DxfError.h"

namespace uv::dxf {

namespace {

// The value without the blanks some writers pad numbers with.
std::string_view trimmed(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  const size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

[[noreturn]] void bad(const Group& g, const char* what) {
  throw DxfError(g.line + 1, std::string("expected ") + what + " for group code " + std::to_string(g.code) +
                                 ", found '" + std::string(g.value.substr(0, 40)) + "'");
}

}  // namespace

double parseReal(const Group& g) {
  std::string_view t = trimmed(g.value);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(v)) bad(g, "a number");
  return v;
}

long long parseInteger(const Group& g) {
  std::string_view t = trimmed(g.value);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  long long v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || ptr != t.data() + t.size()) {
    // Some writers put reals where integers belong ("1.0" for a flag).
    double d = 0;
    auto [p2, ec2] = std::from_chars(t.data(), t.data() + t.size(), d);
    if (t.empty() || ec2 != std::errc() || p2 != t.data() + t.size() || d != std::floor(d) || std::fabs(d) > 9e18)
      bad(g, "an integer");
    return static_cast<long long>(d);
  }
  return v;
}

std::uint64_t parseHandle(const Group& g) {
  std::string_view t = trimmed(g.value);
  std::uint64_t v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, 16);
  if (t.empty() || t.size() > 16 || ec != std::errc() || ptr != t.data() + t.size()) bad(g, "a hexadecimal handle");
  return v;
}

namespace {

// Where a record's body ends: extended data, or an embedded object except in
// an xrecord, whose data may hold any code below 1000, 101 too.
bool endsBody(const Group& g, bool xrecord) { return g.code == 1001 || (g.code == 101 && !xrecord); }

// Asked for every value read: the length is compared before the letters.
bool isXrecord(const std::string& type) { return std::string_view(type) == std::string_view("XRECORD"); }

}  // namespace

const Group* DxfRecord::find(int code) const {
  const bool xrecord = isXrecord(type);
  for (const Group& g : groups) {
    if (endsBody(g, xrecord)) break;
    if (g.code == code) return &g;
  }
  return nullptr;
}

double DxfRecord::real(int code, double fallback) const {
  const Group* g = find(code);
  return g ? parseReal(*g) : fallback;
}

long long DxfRecord::integer(int code, long long fallback) const {
  const Group* g = find(code);
  return g ? parseInteger(*g) : fallback;
}

std::uint64_t DxfRecord::handle(int code) const {
  const Group* g = find(code);
  return g ? parseHandle(*g) : 0;
}

std::string_view DxfRecord::text(int code) const {
  const Group* g = find(code);
  return g ? g->value : std::string_view();
}

std::uint64_t DxfRecord::ownHandle() const { return handle(type == "DIMSTYLE" ? 105 : 5); }

std::uint64_t DxfRecord::ownerHandle() const {
  bool inBraces = false;
  for (const Group& g : groups) {
    if (g.code == 100) break;
    if (g.code == 102) inBraces = !g.value.empty() && g.value[0] == '{';
    else if (g.code == 330 && !inBraces) return parseHandle(g);
  }
  return 0;
}

size_t DxfRecord::xdataStart() const {
  for (size_t i = 0; i < groups.size(); ++i)
    if (groups[i].code == 1001) return i;
  return groups.size();
}

size_t DxfRecord::bodyEnd() const {
  const bool xrecord = isXrecord(type);
  for (size_t i = 0; i < groups.size(); ++i)
    if (endsBody(groups[i], xrecord)) return i;
  return groups.size();
}

}  // namespace uv::dxf
