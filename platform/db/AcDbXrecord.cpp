#include "AcDbXrecord.h"

#include <cstdint>
#include <cwchar>

UV_DEFINE_RX_MEMBERS(AcDbXrecord, AcDbObject, L"XRECORD")

bool AcDbXrecord::isXrecordCode(int code) {
  if (code < 1 || code > 369 || code == 5 || code == 105) return false;
  return uv::resvalKind(code) != uv::ResvalKind::kInvalid;
}

Acad::ErrorStatus AcDbXrecord::rbChain(resbuf*& chain, AcDbDatabase*) const {
  chain = uv::chainFromItems(m_items);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbXrecord::setFromRbChain(const resbuf& chain, AcDbDatabase*) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  uv::ResItems items;
  if (!uv::itemsFromChain(&chain, items)) return Acad::eInvalidResBuf;
  return setItems(std::move(items));
}

Acad::ErrorStatus AcDbXrecord::setItems(uv::ResItems items) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  for (uv::ResItem& r : items) {
    if (!isXrecordCode(r.code) || r.kind != uv::resvalKind(r.code)) return Acad::eInvalidResBuf;
    // Kept as a result buffer would carry them: integers at their code's width, a text up to
    // its first null, at most a short's count of bytes.
    switch (r.kind) {
      case uv::ResvalKind::kShort: r.integer = short(r.integer); break;
      case uv::ResvalKind::kLong: r.integer = std::int32_t(r.integer); break;
      case uv::ResvalKind::kString: r.text.resize(std::wcslen(r.text.c_str())); break;
      case uv::ResvalKind::kBinary:
        if (r.bytes.size() > 32767) return Acad::eInvalidResBuf;
        break;
      default: break;
    }
  }
  m_items = std::move(items);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbXrecord::clear() {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_items.clear();
  return Acad::eOk;
}

void AcDbXrecord::getReferences(std::vector<uv::ObjectReference>& refs) const {
  for (const uv::ResItem& r : m_items)
    if (r.kind == uv::ResvalKind::kName && !r.id.isNull()) refs.push_back({r.id, "xrecord reference", nullptr, true});
}
