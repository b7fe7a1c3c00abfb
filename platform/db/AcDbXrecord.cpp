#include "AcDbXrecord.h"

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
  for (const uv::ResItem& r : items)
    if (!isXrecordCode(r.code)) return Acad::eInvalidResBuf;
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
