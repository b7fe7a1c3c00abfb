// A dictionary: objects it owns under text keys. Keys compare ignoring
// letter case (the first spelling is kept) and iterate in that order.
// setAt on a key in use erases the object it held. An erased entry stays
// (so unerasing brings it back) but getAt, has, numEntries and the iterator
// skip it, and setAt may reuse its key.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "AcDbObject.h"

class AcDbDictionaryIterator;

class AcDbDictionary : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbDictionary);
  UV_DECLARE_CLONE(AcDbDictionary);

  Acad::ErrorStatus getAt(const ACHAR* key, AcDbObject*& obj, AcDb::OpenMode mode) const;
  Acad::ErrorStatus getAt(const ACHAR* key, AcDbObjectId& id) const;
  // The key of an entry, as a malloc'ed copy.
  Acad::ErrorStatus nameAt(AcDbObjectId id, ACHAR*& key) const;
  // The key of an entry (erased ones included), owned by the dictionary; null if none.
  const ACHAR* keyOf(AcDbObjectId id) const;
  bool has(const ACHAR* key) const;
  bool has(AcDbObjectId id) const;
  Adesk::UInt32 numEntries() const;
  // The dictionary open for write and in a database; the object joins the
  // database owned by the dictionary, open for write (close it). eInvalidKey
  // for an empty key; eAlreadyInDb for an object of another owner.
  Acad::ErrorStatus setAt(const ACHAR* key, AcDbObject* value, AcDbObjectId& id);
  // Removes the entry without erasing its object, which is then owned by
  // nobody (the caller erases it or gives it a new owner).
  Acad::ErrorStatus remove(const ACHAR* key);
  Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& id);
  Acad::ErrorStatus remove(AcDbObjectId id);
  Acad::ErrorStatus setName(const ACHAR* oldKey, const ACHAR* newKey);

  AcDbDictionaryIterator* newIterator() const;
  // The live entries in the order they were added: a drawing's entries in
  // the order its file gave them, new ones after (the iterator's order is
  // the keys').
  std::vector<std::pair<std::wstring, AcDbObjectId>> entriesInOrderAdded() const;

  void getOwnedIds(std::vector<AcDbObjectId>& ids) const override;

 protected:
  Acad::ErrorStatus subErase(bool erasing) override;

 private:
  struct KeyLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
  };
  struct Slot {
    AcDbObjectId id;
    std::uint64_t added;  // the count of entries added before it
  };
  std::map<std::wstring, Slot, KeyLess> m_entries;
  std::uint64_t m_added = 0;
};
