#include "resbuf.h"

#include <array>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace uv {

namespace {

constexpr ResvalKind kindOfCode(int c) {
  using K = ResvalKind;
  if (c >= 5000) {
    switch (c) {
      case RTNONE: case RTVOID: case RTLB: case RTLE: case RTDOTE: case RTNIL: case RTT: return K::kNone;
      case RTREAL: case RTANG: case RTORINT: return K::kReal;
      case RTPOINT: case RT3DPOINT: return K::kPoint;
      case RTSHORT: return K::kShort;
      case RTSTR: case RTDXF0: return K::kString;
      case RTENAME: case RTPICKS: return K::kName;
      case RTLONG: return K::kLong;
      case RTINT64: return K::kInt64;
      default: return K::kInvalid;
    }
  }
  if (c < 0) {
    switch (c) {
      case -1: case -2: case -5: case -6: return K::kName;  // entity names, reactors, extension dictionary
      case -3: return K::kNone;                            // start of extended data
      case -4: return K::kString;                          // filter operator
      default: return K::kInvalid;
    }
  }
  if (c <= 9) return K::kString;
  if (c <= 19) return K::kPoint;
  if (c <= 59) return K::kReal;
  if (c <= 79) return K::kShort;
  if (c >= 90 && c <= 99) return K::kLong;
  if (c == 100 || c == 101 || c == 102 || c == 105) return K::kString;
  if (c >= 110 && c <= 119) return K::kPoint;
  if (c >= 120 && c <= 149) return K::kReal;
  if (c >= 160 && c <= 169) return K::kInt64;
  if (c >= 170 && c <= 179) return K::kShort;
  if (c >= 210 && c <= 219) return K::kPoint;
  if (c >= 220 && c <= 239) return K::kReal;
  if (c >= 270 && c <= 299) return K::kShort;
  if (c >= 300 && c <= 309) return K::kString;
  if (c >= 310 && c <= 319) return K::kBinary;
  if (c >= 320 && c <= 329) return K::kString;
  if (c >= 330 && c <= 369) return K::kName;
  if (c >= 370 && c <= 389) return K::kShort;
  if (c >= 390 && c <= 399) return K::kName;
  if (c >= 400 && c <= 409) return K::kShort;
  if (c >= 410 && c <= 419) return K::kString;
  if (c >= 420 && c <= 429) return K::kLong;
  if (c >= 430 && c <= 439) return K::kString;
  if (c >= 440 && c <= 459) return K::kLong;
  if (c >= 460 && c <= 469) return K::kReal;
  if (c >= 470 && c <= 479) return K::kString;
  if (c == 480 || c == 481) return K::kName;
  if (c == 999) return K::kString;
  if (c >= 1000 && c <= 1009) return c == 1004 ? K::kBinary : K::kString;
  if (c >= 1010 && c <= 1019) return K::kPoint;
  if (c >= 1020 && c <= 1059) return K::kReal;
  if (c >= 1060 && c <= 1070) return K::kShort;
  if (c == 1071) return K::kLong;
  return K::kInvalid;
}

// The group codes of files and extended data, looked up rather than tested
// range by range: tagging millions of entities asks for the kind of every
// item of their data several times.
constexpr int kTabled = 1072;
constexpr std::array<ResvalKind, kTabled> kKinds = [] {
  std::array<ResvalKind, kTabled> kinds{};
  for (int c = 0; c < kTabled; ++c) kinds[std::size_t(c)] = kindOfCode(c);
  return kinds;
}();

}  // namespace

ResvalKind resvalKind(int c) { return c >= 0 && c < kTabled ? kKinds[std::size_t(c)] : kindOfCode(c); }

ACHAR* newResString(const ACHAR* s) {
  if (!s) s = L"";
  const size_t n = std::wcslen(s) + 1;
  auto* out = static_cast<ACHAR*>(std::malloc(n * sizeof(ACHAR)));
  if (out) std::memcpy(out, s, n * sizeof(ACHAR));
  return out;
}

}  // namespace uv

resbuf* acutNewRb(int restype) {
  auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  if (rb) rb->restype = short(restype);
  return rb;
}

int acutRelRb(resbuf* rb) {
  if (!rb) return RTERROR;
  while (rb) {
    resbuf* next = rb->rbnext;
    switch (uv::resvalKind(rb->restype)) {
      case uv::ResvalKind::kString: std::free(rb->resval.rstring); break;
      case uv::ResvalKind::kBinary: std::free(rb->resval.rbinary.buf); break;
      default: break;
    }
    std::free(rb);
    rb = next;
  }
  return RTNORM;
}

resbuf* acutBuildList(int code, ...) {
  va_list ap;
  va_start(ap, code);
  resbuf* head = nullptr;
  resbuf* tail = nullptr;
  for (int c = code; c != 0 && c != RTNONE; c = va_arg(ap, int)) {
    const uv::ResvalKind kind = uv::resvalKind(c);
    if (kind == uv::ResvalKind::kInvalid) {
      acutRelRb(head);
      va_end(ap);
      return nullptr;
    }
    resbuf* rb = acutNewRb(c);
    switch (kind) {
      case uv::ResvalKind::kReal: rb->resval.rreal = va_arg(ap, double); break;
      case uv::ResvalKind::kPoint: {
        const double* p = va_arg(ap, const double*);
        if (p) {
          rb->resval.rpoint[0] = p[0];
          rb->resval.rpoint[1] = p[1];
          rb->resval.rpoint[2] = c == RTPOINT ? 0.0 : p[2];
        }
        break;
      }
      case uv::ResvalKind::kShort: rb->resval.rint = short(va_arg(ap, int)); break;
      case uv::ResvalKind::kLong: rb->resval.rlong = std::int32_t(va_arg(ap, int)); break;
      case uv::ResvalKind::kInt64: rb->resval.rlong64 = va_arg(ap, std::int64_t); break;
      case uv::ResvalKind::kString: rb->resval.rstring = uv::newResString(va_arg(ap, const wchar_t*)); break;
      case uv::ResvalKind::kName: {
        const std::int64_t* n = va_arg(ap, const std::int64_t*);
        if (n) { rb->resval.rlname[0] = n[0]; rb->resval.rlname[1] = n[1]; }
        break;
      }
      case uv::ResvalKind::kBinary: {
        const ads_binary* b = va_arg(ap, const ads_binary*);
        if (b && b->clen > 0 && b->buf) {
          rb->resval.rbinary.buf = static_cast<char*>(std::malloc(size_t(b->clen)));
          std::memcpy(rb->resval.rbinary.buf, b->buf, size_t(b->clen));
          rb->resval.rbinary.clen = b->clen;
        }
        break;
      }
      default: break;
    }
    if (tail) tail->rbnext = rb; else head = rb;
    tail = rb;
  }
  va_end(ap);
  return head;
}

int acutNewString(const ACHAR* input, ACHAR*& output) {
  output = uv::newResString(input);
  return output ? RTNORM : RTERROR;
}

void acutDelString(ACHAR*& s) {
  std::free(s);
  s = nullptr;
}
