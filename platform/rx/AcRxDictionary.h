// A dictionary of runtime objects by name; the system registry is one.
// The dictionary holds one reference to each object it keeps.
#pragma once

#include <map>
#include <string>

#include "OdRxObject.h"

class AcRxDictionary : public OdRxObject {
 public:
  ~AcRxDictionary() override;

  ACRX_DECLARE_MEMBERS(AcRxDictionary);
  // The object under the key, without a new reference; null when absent.
  AcRxObject* at(const wchar_t* key) const;
  // Keeps the caller's reference; returns the object it replaces, whose
  // reference passes back to the caller (null when the key was new).
  OdRxObject* atPut(const wchar_t* key, OdRxObject* object);
  // Takes the object out and hands its reference to the caller.
  OdRxObject* remove(const wchar_t* key);
  bool has(const wchar_t* key) const { return at(key) != nullptr; }
  int numEntries() const { return int(m_entries.size()); }

 private:
  std::map<std::wstring, OdRxObject*> m_entries;
};
