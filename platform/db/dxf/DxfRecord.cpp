#include "db/dxf/DxfRecord.h"

#include <charconv>
#include <cmath>

#include "db/dxf/DxfError.h"

namespace uv::dxf {

namespace {

// The value without the blanks some writers pad numbers with.
std::string_view trimmed(std::string_view s) {
  if (s.empty() || (s.front() != ' ' && s.front() != '\t' && s.back() != ' ' && s.back() != '\t')) return s;
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  const size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

// Powers of ten that a double holds exactly.
constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Most reals in a file are plain decimals ("1015.825", "-3"): their digits
// as an integer below 2^53 divided by an exact power of ten is the correctly
// rounded value, as from_chars would give it, without its general machinery.
// False for anything else (exponents, long digit runs...), left to from_chars.
bool plainDecimal(std::string_view t, double& out) {
  const char* p = t.data();
  const char* const end = p + t.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  std::uint64_t digits = 0;
  int count = 0, fraction = 0;
  const char* const intStart = p;
  for (; p != end && *p >= '0' && *p <= '9'; ++p, ++count) digits = digits * 10 + std::uint64_t(*p - '0');
  if (p == intStart) return false;
  if (p != end && *p == '.') {
    const char* const fracStart = ++p;
    for (; p != end && *p >= '0' && *p <= '9'; ++p, ++count) digits = digits * 10 + std::uint64_t(*p - '0');
    fraction = int(p - fracStart);
    if (fraction == 0) return false;
  }
  if (p != end || count > 15 || fraction > 22) return false;  // 15 digits stay below 2^53
  const double v = double(digits) / kExactTens[fraction];
  out = negative ? -v : v;
  return true;
}

[[noreturn]] void bad(const Group& g, const char* what) {
  throw DxfError(g.line + 1, std::string("expected ") + what + " for group code " + std::to_string(g.code) +
                                 ", found '" + std::string(g.value().substr(0, 40)) + "'");
}

}  // namespace

double parseReal(const Group& g) {
  std::string_view t = trimmed(g.value());
  double v = 0;
  if (plainDecimal(t, v)) return v;
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(v)) bad(g, "a number");
  return v;
}

long long parseInteger(const Group& g) {
  std::string_view t = trimmed(g.value());
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
  std::string_view t = trimmed(g.value());
  std::uint64_t v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, 16);
  if (t.empty() || t.size() > 16 || ec != std::errc() || ptr != t.data() + t.size()) bad(g, "a hexadecimal handle");
  return v;
}

namespace {

// Where a record's body ends: extended data, or an embedded object except in
// an xrecord, whose data may hold any code below 1000, 101 too.
bool endsBody(const Group& g, bool xrecord) { return g.code == 1001 || (g.code == 101 && !xrecord); }

bool isXrecord(const std::string& type) { return std::string_view(type) == std::string_view("XRECORD"); }

}  // namespace

void DxfRecord::setGroups(std::span<const Group> all) {
  groups = all;
  const bool xrecord = isXrecord(type);
  m_bodyEnd = m_xdataStart = static_cast<std::uint32_t>(all.size());
  for (size_t i = 0; i < all.size(); ++i)
    if (endsBody(all[i], xrecord)) {
      m_bodyEnd = static_cast<std::uint32_t>(i);
      break;
    }
  for (size_t i = m_bodyEnd; i < all.size(); ++i)
    if (all[i].code == 1001) {
      m_xdataStart = static_cast<std::uint32_t>(i);
      break;
    }
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
  return g ? g->value() : std::string_view();
}

std::uint64_t DxfRecord::ownHandle() const { return handle(type == "DIMSTYLE" ? 105 : 5); }

std::uint64_t DxfRecord::ownerHandle() const {
  bool inBraces = false;
  for (const Group& g : groups) {
    if (g.code == 100) break;
    if (g.code == 102) inBraces = !g.value().empty() && g.value()[0] == '{';
    else if (g.code == 330 && !inBraces) return parseHandle(g);
  }
  return 0;
}

}  // namespace uv::dxf
