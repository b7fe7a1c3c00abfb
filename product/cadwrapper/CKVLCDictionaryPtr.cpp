#include "product/cadwrapper/CKVLCDictionaryPtr.h"

#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbXrecord.h"
#include "db/ResbufChain.h"
#include "product/cadwrapper/DictionaryPath.h"
#include "product/cadwrapper/XrecordValues.h"

namespace cw = uv::cadwrapper;

CKVLCDictionaryPtr::CKVLCDictionaryPtr(AcDb::OpenMode mode) {
  if (AcDbDatabase* db = acdbCurDwg()) open(db->namedObjectsDictionaryId(), mode);
  else fail(Acad::eNotInDatabase);
}

Acad::ErrorStatus CKVLCDictionaryPtr::childDictionary(AcDbObjectId parent, const std::wstring& key, bool create,
                                                      AcDbObjectId& child) {
  // The named object dictionary is the one this pointer holds open; any
  // other parent is opened here for the look-up.
  CKVLCObjectPtr<AcDbDictionary> opened;
  AcDbDictionary* dict = object();
  if (parent != objectId()) {
    if (opened.open(parent, AcDb::kForRead) != Acad::eOk) return opened.status();
    dict = opened.object();
  }
  if (dict->getAt(key.c_str(), child) == Acad::eOk) {
    CKVLCObjectPtr<AcDbDictionary> check(child);
    return check.isOpen() ? Acad::eOk : check.status();
  }
  if (!create) return Acad::eKeyNotFound;
  if (dict == object()) {
    if (!dict->isWriteEnabled()) return Acad::eNotOpenForWrite;
  } else if (Acad::ErrorStatus es = opened.upgradeOpen(); es != Acad::eOk) {
    return es;
  }
  auto* made = new AcDbDictionary();
  if (Acad::ErrorStatus es = dict->setAt(key.c_str(), made, child); es != Acad::eOk) {
    delete made;
    return es;
  }
  made->close();
  return Acad::eOk;
}

Acad::ErrorStatus CKVLCDictionaryPtr::findDictionary(const std::vector<std::wstring>& path, bool create,
                                                     AcDbObjectId& id) {
  if (!isOpen()) return status();
  if (path.empty()) return Acad::eInvalidKey;
  id = objectId();
  for (const std::wstring& key : path) {
    AcDbObjectId child;
    if (Acad::ErrorStatus es = childDictionary(id, key, create, child); es != Acad::eOk) return es;
    id = child;
  }
  return Acad::eOk;
}

bool CKVLCDictionaryPtr::readItems(const wchar_t* dictionary, const wchar_t* key, bool nested,
                                   uv::ResItems& items) {
  AcDbObjectId dictId;
  if (!result(findDictionary(cw::dictionaryPath(dictionary, nested), false, dictId))) return false;
  CKVLCObjectPtr<AcDbDictionary> dict(dictId);
  if (!dict.isOpen()) return result(dict.status());
  AcDbObjectId entry;
  if (!result(dict->getAt(key ? key : L"", entry))) return false;
  CKVLCObjectPtr<AcDbXrecord> record(entry);
  if (!record.isOpen()) return result(record.status());
  items = record->items();
  return result(Acad::eOk);
}

bool CKVLCDictionaryPtr::writeItems(const wchar_t* dictionary, const wchar_t* key, bool nested, bool create,
                                    const uv::ResItems& items) {
  if (!isOpen()) return result(status());
  if (!isWriteEnabled()) return result(Acad::eNotOpenForWrite);
  if (!key || !*key) return result(Acad::eInvalidKey);
  AcDbObjectId dictId;
  if (!result(findDictionary(cw::dictionaryPath(dictionary, nested), create, dictId))) return false;
  CKVLCObjectPtr<AcDbDictionary> dict(dictId);
  if (!dict.isOpen()) return result(dict.status());

  CKVLCObjectPtr<AcDbXrecord> record;
  AcDbObjectId entry;
  if (dict->getAt(key, entry) == Acad::eOk) {
    if (record.open(entry, AcDb::kForWrite) != Acad::eOk) return result(record.status());
  } else {
    if (!result(dict.upgradeOpen())) return false;
    auto* made = new AcDbXrecord();
    if (!result(dict->setAt(key, made, entry))) {
      delete made;
      return false;
    }
    AcDbXrecord* held = made;
    record.acquire(held);
  }
  if (items.empty()) return result(record->clear());
  uv::ResbufChain chain(uv::chainFromItems(items));
  return result(record->setFromRbChain(*chain.get()));
}

bool CKVLCDictionaryPtr::dctRead(const wchar_t* dictionary, const wchar_t* key, int& value, bool nested) {
  uv::ResItems items;
  if (!readItems(dictionary, key, nested, items)) return false;
  std::optional<long long> found = cw::firstInteger(items);
  if (!found) return result(Acad::eInvalidResBuf);
  value = int(*found);
  return true;
}

bool CKVLCDictionaryPtr::dctRead(const wchar_t* dictionary, const wchar_t* key, CString& value, bool nested) {
  uv::ResItems items;
  if (!readItems(dictionary, key, nested, items)) return false;
  std::optional<std::wstring> found = cw::firstText(items);
  if (!found) return result(Acad::eInvalidResBuf);
  value = CString(*found);
  return true;
}

bool CKVLCDictionaryPtr::dctRead(const wchar_t* dictionary, const wchar_t* key, resbuf*& value, bool nested) {
  uv::ResItems items;
  if (!readItems(dictionary, key, nested, items)) return false;
  value = cw::adsChainFromXrecordItems(items);
  return true;
}

bool CKVLCDictionaryPtr::dctWrite(const wchar_t* dictionary, const wchar_t* key, int value, bool nested,
                                  bool create, int code) {
  std::optional<uv::ResItem> item = cw::integerItem(code, value);
  if (!item) return result(Acad::eInvalidDxfCode);
  return writeItems(dictionary, key, nested, create, {*item});
}

bool CKVLCDictionaryPtr::dctWrite(const wchar_t* dictionary, const wchar_t* key, const wchar_t* value,
                                  bool nested, bool create, int code) {
  std::optional<uv::ResItem> item = cw::textItem(code, value);
  if (!item) return result(Acad::eInvalidDxfCode);
  return writeItems(dictionary, key, nested, create, {*item});
}

bool CKVLCDictionaryPtr::dctWrite(const wchar_t* dictionary, const wchar_t* key, const resbuf* value,
                                  bool nested, bool create) {
  uv::ResItems items;
  if (!cw::xrecordItemsFromChain(value, items)) return result(Acad::eInvalidResBuf);
  return writeItems(dictionary, key, nested, create, items);
}

bool CKVLCDictionaryPtr::dctErase(const wchar_t* dictionary, bool nested) {
  if (!isOpen()) return result(status());
  if (!isWriteEnabled()) return result(Acad::eNotOpenForWrite);
  AcDbObjectId dictId;
  if (!result(findDictionary(cw::dictionaryPath(dictionary, nested), false, dictId))) return false;
  CKVLCObjectPtr<AcDbDictionary> dict(dictId, AcDb::kForWrite);
  if (!dict.isOpen()) return result(dict.status());
  return result(dict->erase());
}
