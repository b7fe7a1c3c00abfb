#include "AcRxDictionary.h"

UV_DEFINE_RX_MEMBERS(AcRxDictionary, OdRxObject, nullptr)

AcRxDictionary::~AcRxDictionary() {
  for (auto& [key, object] : m_entries)
    if (object) object->release();
}

AcRxObject* AcRxDictionary::at(const wchar_t* key) const {
  if (!key) return nullptr;
  auto it = m_entries.find(key);
  return it == m_entries.end() ? nullptr : it->second;
}

OdRxObject* AcRxDictionary::atPut(const wchar_t* key, OdRxObject* object) {
  if (!key) return nullptr;
  OdRxObject*& slot = m_entries[key];
  OdRxObject* previous = slot;
  slot = object;
  return previous;
}

OdRxObject* AcRxDictionary::remove(const wchar_t* key) {
  if (!key) return nullptr;
  auto it = m_entries.find(key);
  if (it == m_entries.end()) return nullptr;
  OdRxObject* object = it->second;
  m_entries.erase(it);
  return object;
}
