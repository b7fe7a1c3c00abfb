#include "ResItem.h"

#include <cstdlib>
#include <cstring>

namespace uv {

ResItem ResItem::ofString(int code, std::wstring s) {
  ResItem r;
  r.code = short(code);
  r.kind = ResvalKind::kString;
  r.text = std::move(s);
  return r;
}

ResItem ResItem::ofReal(int code, double v) {
  ResItem r;
  r.code = short(code);
  r.kind = ResvalKind::kReal;
  r.real = v;
  return r;
}

ResItem ResItem::ofPoint(int code, const AcGePoint3d& p) {
  ResItem r;
  r.code = short(code);
  r.kind = ResvalKind::kPoint;
  r.point = p;
  return r;
}

ResItem ResItem::ofInt(int code, std::int64_t v) {
  ResItem r;
  r.code = short(code);
  r.kind = resvalKind(code);
  r.integer = v;
  return r;
}

ResItem ResItem::ofId(int code, AcDbObjectId id) {
  ResItem r;
  r.code = short(code);
  r.kind = ResvalKind::kName;
  r.id = id;
  return r;
}

ResItem ResItem::ofBytes(int code, std::vector<unsigned char> b) {
  ResItem r;
  r.code = short(code);
  r.kind = ResvalKind::kBinary;
  r.bytes = std::move(b);
  return r;
}

bool operator==(const ResItem& a, const ResItem& b) {
  if (a.code != b.code || a.kind != b.kind) return false;
  switch (a.kind) {
    case ResvalKind::kReal: return a.real == b.real;
    case ResvalKind::kPoint: return a.point.x == b.point.x && a.point.y == b.point.y && a.point.z == b.point.z;
    case ResvalKind::kShort: case ResvalKind::kLong: case ResvalKind::kInt64: return a.integer == b.integer;
    case ResvalKind::kString: return a.text == b.text;
    case ResvalKind::kBinary: return a.bytes == b.bytes;
    case ResvalKind::kName: return a.id == b.id;
    default: return true;
  }
}

bool itemsFromChain(const resbuf* head, ResItems& out, int* badIndex) {
  out.clear();
  int index = 0;
  for (const resbuf* rb = head; rb; rb = rb->rbnext, ++index) {
    ResItem r;
    r.code = rb->restype;
    r.kind = resvalKind(rb->restype);
    switch (r.kind) {
      case ResvalKind::kInvalid:
        if (badIndex) *badIndex = index;
        out.clear();
        return false;
      case ResvalKind::kReal: r.real = rb->resval.rreal; break;
      case ResvalKind::kPoint: r.point.set(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]); break;
      case ResvalKind::kShort: r.integer = rb->resval.rint; break;
      case ResvalKind::kLong: r.integer = rb->resval.rlong; break;
      case ResvalKind::kInt64: r.integer = rb->resval.rlong64; break;
      case ResvalKind::kString: r.text = rb->resval.rstring ? rb->resval.rstring : L""; break;
      case ResvalKind::kBinary:
        if (rb->resval.rbinary.buf && rb->resval.rbinary.clen > 0)
          r.bytes.assign(rb->resval.rbinary.buf, rb->resval.rbinary.buf + rb->resval.rbinary.clen);
        break;
      case ResvalKind::kName: acdbGetObjectId(r.id, rb->resval.rlname); break;
      case ResvalKind::kNone: break;
    }
    out.push_back(std::move(r));
  }
  return true;
}

resbuf* chainFromItems(const ResItems& items) {
  resbuf* head = nullptr;
  resbuf** next = &head;
  for (const ResItem& r : items) {
    resbuf* rb = acutNewRb(r.code);
    switch (r.kind) {
      case ResvalKind::kReal: rb->resval.rreal = r.real; break;
      case ResvalKind::kPoint:
        rb->resval.rpoint[0] = r.point.x;
        rb->resval.rpoint[1] = r.point.y;
        rb->resval.rpoint[2] = r.point.z;
        break;
      case ResvalKind::kShort: rb->resval.rint = short(r.integer); break;
      case ResvalKind::kLong: rb->resval.rlong = std::int32_t(r.integer); break;
      case ResvalKind::kInt64: rb->resval.rlong64 = r.integer; break;
      case ResvalKind::kString: rb->resval.rstring = newResString(r.text.c_str()); break;
      case ResvalKind::kBinary:
        if (!r.bytes.empty()) {
          rb->resval.rbinary.clen = short(r.bytes.size());
          rb->resval.rbinary.buf = static_cast<char*>(std::malloc(r.bytes.size()));
          std::memcpy(rb->resval.rbinary.buf, r.bytes.data(), r.bytes.size());
        }
        break;
      case ResvalKind::kName: acdbGetAdsName(rb->resval.rlname, r.id); break;
      default: break;
    }
    *next = rb;
    next = &rb->rbnext;
  }
  return head;
}

}  // namespace uv
