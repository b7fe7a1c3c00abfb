#include "XData.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

#include "base/TextCase.h"
#include "ShortList.h"
#include "SmallObjectPool.h"

namespace uv {

namespace {

template <class T>
T load(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <class T>
unsigned char* store(unsigned char* p, const T& v) {
  std::memcpy(p, &v, sizeof v);
  return p + sizeof v;
}

constexpr size_t kGroupHead = sizeof(const std::wstring*) + sizeof(std::uint32_t);

// A text of characters below 256 (most are: names, numbers, tags) is kept a
// byte a character, marked in its length; others take a wchar_t each.
constexpr std::uint32_t kNarrow = 0x80000000u;

// The length of a text as stored (with kNarrow when it holds), and the bytes it takes.
std::uint32_t textLength(const wchar_t* text, size_t& bytes) {
  std::uint32_t n = 0;
  bool narrow = true;
  if (text)
    for (; text[n]; ++n) narrow = narrow && static_cast<std::uint32_t>(text[n]) < 0x100;
  bytes = narrow ? n : n * sizeof(wchar_t);
  return narrow ? n | kNarrow : n;
}

// Bytes of one item's value, by the kind its code carries.
size_t valueSize(const resbuf& rb) {
  switch (resvalKind(rb.restype)) {
    case ResvalKind::kString: {
      size_t bytes = 0;
      textLength(rb.resval.rstring, bytes);
      return sizeof(std::uint32_t) + bytes;
    }
    case ResvalKind::kBinary:
      return sizeof(std::uint32_t) + (rb.resval.rbinary.buf && rb.resval.rbinary.clen > 0 ? rb.resval.rbinary.clen : 0);
    case ResvalKind::kReal: return sizeof(double);
    case ResvalKind::kPoint: return 3 * sizeof(double);
    case ResvalKind::kShort: return sizeof(std::int16_t);
    case ResvalKind::kLong: return sizeof(std::int32_t);
    case ResvalKind::kInt64: return sizeof(std::int64_t);
    case ResvalKind::kName: return sizeof(AcDbObjectId);
    default: return 0;
  }
}

unsigned char* encode(unsigned char* p, const resbuf& rb) {
  p = store(p, std::int16_t(rb.restype));
  switch (resvalKind(rb.restype)) {
    case ResvalKind::kString: {
      size_t bytes = 0;
      const std::uint32_t n = textLength(rb.resval.rstring, bytes);
      p = store(p, n);
      if (n & kNarrow) {
        for (size_t i = 0; i < bytes; ++i) p[i] = static_cast<unsigned char>(rb.resval.rstring[i]);
      } else if (bytes) {
        std::memcpy(p, rb.resval.rstring, bytes);
      }
      return p + bytes;
    }
    case ResvalKind::kBinary: {
      const std::uint32_t n = rb.resval.rbinary.buf && rb.resval.rbinary.clen > 0 ? rb.resval.rbinary.clen : 0;
      p = store(p, n);
      if (n) std::memcpy(p, rb.resval.rbinary.buf, n);
      return p + n;
    }
    case ResvalKind::kReal: return store(p, rb.resval.rreal);
    case ResvalKind::kPoint:
      p = store(p, rb.resval.rpoint[0]);
      p = store(p, rb.resval.rpoint[1]);
      return store(p, rb.resval.rpoint[2]);
    case ResvalKind::kShort: return store(p, std::int16_t(rb.resval.rint));
    case ResvalKind::kLong: return store(p, std::int32_t(rb.resval.rlong));
    case ResvalKind::kInt64: return store(p, std::int64_t(rb.resval.rlong64));
    case ResvalKind::kName: {
      AcDbObjectId id;
      acdbGetObjectId(id, rb.resval.rlname);
      return store(p, id);
    }
    default: return p;
  }
}

// Decodes the item at p into r; returns the position after it.
const unsigned char* decode(const unsigned char* p, ResItem& r) {
  r.code = load<std::int16_t>(p);
  p += sizeof(std::int16_t);
  r.kind = resvalKind(r.code);
  switch (r.kind) {
    case ResvalKind::kString: {
      const auto stored = load<std::uint32_t>(p);
      p += sizeof stored;
      const std::uint32_t n = stored & ~kNarrow;
      r.text.resize(n);
      if (stored & kNarrow) {
        for (std::uint32_t i = 0; i < n; ++i) r.text[i] = static_cast<wchar_t>(p[i]);
        return p + n;
      }
      if (n) std::memcpy(r.text.data(), p, n * sizeof(wchar_t));
      return p + n * sizeof(wchar_t);
    }
    case ResvalKind::kBinary: {
      const auto n = load<std::uint32_t>(p);
      p += sizeof n;
      r.bytes.assign(p, p + n);
      return p + n;
    }
    case ResvalKind::kReal: r.real = load<double>(p); return p + sizeof(double);
    case ResvalKind::kPoint:
      r.point.set(load<double>(p), load<double>(p + 8), load<double>(p + 16));
      return p + 3 * sizeof(double);
    case ResvalKind::kShort: r.integer = load<std::int16_t>(p); return p + sizeof(std::int16_t);
    case ResvalKind::kLong: r.integer = load<std::int32_t>(p); return p + sizeof(std::int32_t);
    case ResvalKind::kInt64: r.integer = load<std::int64_t>(p); return p + sizeof(std::int64_t);
    case ResvalKind::kName: r.id = load<AcDbObjectId>(p); return p + sizeof(AcDbObjectId);
    default: return p;
  }
}

// One application's data while the block is rebuilt: either bytes of the
// old block or items of a chain.
struct Part {
  const std::wstring* appName;
  const unsigned char* bytes = nullptr;
  std::uint32_t size = 0;
  const resbuf* first = nullptr;
  const resbuf* end = nullptr;
};

// Calls f(name, items, size) for every application of a block.
template <class F>
void forEachGroup(const unsigned char* block, F f) {
  if (!block) return;
  const auto total = load<std::uint32_t>(block);
  const unsigned char* p = block + sizeof(std::uint32_t);
  const unsigned char* end = block + total;
  while (p < end) {
    const auto* name = load<const std::wstring*>(p);
    const auto size = load<std::uint32_t>(p + sizeof name);
    p += kGroupHead;
    f(name, p, size);
    p += size;
  }
}

}  // namespace

const std::wstring* internAppName(std::wstring_view name) {
  static std::mutex mutex;
  static std::set<std::wstring, std::less<>> names;
  // Tagging and reading tagged drawings ask for the same two names for every
  // entity: the last two answers are looked at first, without the lock (the
  // set's strings never move nor go, so a pointer read here stays good).
  static std::atomic<const std::wstring*> recent[2] = {};
  static std::atomic<unsigned> next = 0;
  for (const auto& slot : recent)
    if (const std::wstring* known = slot.load(std::memory_order_acquire); known && *known == name) return known;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = names.find(name);
  if (it == names.end()) it = names.emplace(name).first;
  recent[next.fetch_add(1, std::memory_order_relaxed) % 2].store(&*it, std::memory_order_release);
  return &*it;
}

void XData::Release::operator()(unsigned char* block) const noexcept {
  SmallObjectPool::release(block, load<std::uint32_t>(block));
}

XData::Block XData::newBlock(std::size_t size) {
  return Block(static_cast<unsigned char*>(SmallObjectPool::allocate(size)));
}

XData::XData(const XData& other) { *this = other; }

XData& XData::operator=(const XData& other) {
  if (this == &other) return *this;
  if (!other.m_bytes) {
    m_bytes.reset();
    return *this;
  }
  const auto total = load<std::uint32_t>(other.m_bytes.get());
  Block copy = newBlock(total);
  std::memcpy(copy.get(), other.m_bytes.get(), total);
  m_bytes = std::move(copy);
  return *this;
}

std::vector<XDataGroup> XData::groups() const {
  std::vector<XDataGroup> out;
  forEachGroup(m_bytes.get(), [&](const std::wstring* name, const unsigned char* p, std::uint32_t size) {
    XDataGroup& g = out.emplace_back();
    g.appName = *name;
    for (const unsigned char* end = p + size; p < end;) p = decode(p, g.items.emplace_back());
  });
  return out;
}

resbuf* XData::chain(const wchar_t* appName) const {
  resbuf* head = nullptr;
  resbuf** next = &head;
  forEachGroup(m_bytes.get(), [&](const std::wstring* name, const unsigned char* p, std::uint32_t size) {
    if (appName && !equalsNoCase(*name, appName)) return;
    resbuf* rb = acutNewRb(1001);
    rb->resval.rstring = newResString(name->c_str());
    *next = rb;
    next = &rb->rbnext;
    ResItems items;
    for (const unsigned char* end = p + size; p < end;) p = decode(p, items.emplace_back());
    if (resbuf* rest = chainFromItems(items)) {
      *next = rest;
      while (*next) next = &(*next)->rbnext;
    }
  });
  return head;
}

void XData::apply(const ChainGroup* groups, size_t count) {
  ShortList<Part, 4> parts;
  forEachGroup(m_bytes.get(), [&](const std::wstring* name, const unsigned char* p, std::uint32_t size) {
    parts.push_back(Part{name, p, size});
  });
  for (size_t k = 0; k < count; ++k) {
    const ChainGroup& g = groups[k];
    auto it = parts.begin();
    // Names are interned: the same application is mostly the same pointer.
    while (it != parts.end() && it->appName != g.appName && !equalsNoCase(*it->appName, *g.appName)) ++it;
    if (g.first == g.end) {
      if (it != parts.end()) parts.erase(it);
    } else if (it != parts.end()) {
      *it = Part{it->appName, nullptr, 0, g.first, g.end};
    } else {
      parts.push_back(Part{g.appName, nullptr, 0, g.first, g.end});
    }
  }
  size_t total = sizeof(std::uint32_t);
  for (Part& part : parts) {
    if (!part.bytes)
      for (const resbuf* rb = part.first; rb != part.end; rb = rb->rbnext)
        part.size += std::uint32_t(sizeof(std::int16_t) + valueSize(*rb));
    total += kGroupHead + part.size;
  }
  if (parts.empty()) {
    m_bytes.reset();
    return;
  }
  Block block = newBlock(total);
  unsigned char* p = store(block.get(), std::uint32_t(total));
  for (const Part& part : parts) {
    p = store(p, part.appName);
    p = store(p, part.size);
    if (part.bytes) {
      std::memcpy(p, part.bytes, part.size);
      p += part.size;
    } else {
      for (const resbuf* rb = part.first; rb != part.end; rb = rb->rbnext) p = encode(p, *rb);
    }
  }
  m_bytes = std::move(block);
}

}  // namespace uv
