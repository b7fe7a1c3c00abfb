#include "db/dxf/ResItemCodec.h"

#include "db/dxf/DxfError.h"
#include "db/dxf/DxfRecord.h"

namespace uv::dxf {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<unsigned char> parseHex(const Group& g) {
  std::string t(g.value());
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
  if (t.size() % 2 != 0) throw DxfError(g.line + 1, "binary data with an odd number of hex digits");
  std::vector<unsigned char> bytes;
  bytes.reserve(t.size() / 2);
  for (size_t i = 0; i < t.size(); i += 2) {
    const int hi = hexDigit(t[i]), lo = hexDigit(t[i + 1]);
    if (hi < 0 || lo < 0) throw DxfError(g.line + 1, "binary data holds a character that is not a hex digit");
    bytes.push_back(static_cast<unsigned char>(hi * 16 + lo));
  }
  return bytes;
}

std::string formatHex(const std::vector<unsigned char>& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  s.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    s += digits[b >> 4];
    s += digits[b & 0xF];
  }
  return s;
}

ResItems readItems(std::span<const Group> groups, size_t begin, size_t end, const TextCodec& codec,
                   const HandleResolver& resolve) {
  ResItems items;
  for (size_t i = begin; i < end; ++i) {
    const Group& g = groups[i];
    switch (resvalKind(g.code)) {
      case ResvalKind::kString:
        items.push_back(ResItem::ofString(g.code, codec.decode(g.value())));
        break;
      case ResvalKind::kReal:
        items.push_back(ResItem::ofReal(g.code, parseReal(g)));
        break;
      case ResvalKind::kShort:
      case ResvalKind::kLong:
      case ResvalKind::kInt64:
        items.push_back(ResItem::ofInt(g.code, parseInteger(g)));
        break;
      case ResvalKind::kBinary:
        items.push_back(ResItem::ofBytes(g.code, parseHex(g)));
        break;
      case ResvalKind::kName:
        items.push_back(ResItem::ofId(g.code, resolve(parseHandle(g), g)));
        break;
      case ResvalKind::kPoint: {
        AcGePoint3d p;
        p.x = parseReal(g);
        if (i + 1 < end && groups[i + 1].code == g.code + 10) p.y = parseReal(groups[++i]);
        else throw DxfError(g.line, "point group " + std::to_string(g.code) + " without its y value");
        if (i + 1 < end && groups[i + 1].code == g.code + 20) p.z = parseReal(groups[++i]);
        items.push_back(ResItem::ofPoint(g.code, p));
        break;
      }
      default:
        throw DxfError(g.line, "group code " + std::to_string(g.code) + " is not allowed here");
    }
  }
  return items;
}

void writeItems(GroupWriter& out, const ResItems& items) {
  for (const ResItem& r : items) {
    switch (r.kind) {
      case ResvalKind::kString: out.text(r.code, r.text); break;
      case ResvalKind::kReal: out.real(r.code, r.real); break;
      case ResvalKind::kShort:
      case ResvalKind::kLong:
      case ResvalKind::kInt64: out.integer(r.code, r.integer); break;
      case ResvalKind::kPoint: out.point(r.code, r.point); break;
      case ResvalKind::kName: out.handle(r.code, r.id.isNull() ? 0 : r.id.handle().value()); break;
      // One group per item whatever its length, so that the items read back
      // one for one (the host's own chunks stay within 127 bytes anyway).
      case ResvalKind::kBinary: out.text(r.code, formatHex(r.bytes)); break;
      default: break;
    }
  }
}

}  // namespace uv::dxf
