// The working database's named object dictionary, and values kept in the
// dictionaries below it: each value is an xrecord stored under a key in a
// dictionary named as DictionaryPath.h tells (flat by default: the name is
// one key of the named object dictionary, points and all).
//
// Reading needs the pointer open in any mode; writing and erasing need it
// open for write (construct it so, or upgradeOpen()), else they fail with
// eNotOpenForWrite. Every operation returns true on success; lastStatus()
// then is eOk, and otherwise says what failed.
//
// Flags:
//   nested  (first bool of dctRead and dctWrite, argument of dctErase):
//           false takes the dictionary name whole, true as a path of keys
//           separated by points (DictionaryPath.h).
//   create  (second bool of dctWrite): true creates the dictionary (and,
//           nested, every dictionary on its path) when it is missing;
//           false makes a write into a missing dictionary fail with
//           eKeyNotFound.
//   code    (int of dctWrite for integers and texts): the DXF group code the
//           value is stored under; 1 (primary text) for texts and 90
//           (32-bit integer) for integers unless given. A code that does not
//           hold that kind of value in an xrecord fails with eInvalidDxfCode.
//
// Values:
//   integer  read from the first integer item of the record, of any width;
//   text     read from the first text item;
//   chain    the record's items as a new chain (released by the caller with
//            acutRelRb), in ADS result types as XrecordValues.h describes; a
//            record without items reads as a null chain. Writing a null chain
//            leaves the record empty.
// A write replaces the whole record under the key. A key that holds
// something else than a record (a dictionary) is neither read nor replaced
// (eNotThatKindOfClass).
#pragma once

#include <string>
#include <vector>

#include "base/CString.h"
#include "db/AcDbDictionary.h"
#include "db/ResItem.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

class CKVLCDictionaryPtr : public CKVLCObjectPtr<AcDbDictionary> {
 public:
  // Opens the named object dictionary of the working database
  // (eNotInDatabase without one).
  explicit CKVLCDictionaryPtr(AcDb::OpenMode mode = AcDb::kForRead);

  bool dctRead(const wchar_t* dictionary, const wchar_t* key, int& value, bool nested = false);
  bool dctRead(const wchar_t* dictionary, const wchar_t* key, CString& value, bool nested = false);
  bool dctRead(const wchar_t* dictionary, const wchar_t* key, resbuf*& value, bool nested = false);

  bool dctWrite(const wchar_t* dictionary, const wchar_t* key, int value, bool nested = false,
                bool create = true, int code = 90);
  bool dctWrite(const wchar_t* dictionary, const wchar_t* key, const wchar_t* value, bool nested = false,
                bool create = true, int code = 1);
  bool dctWrite(const wchar_t* dictionary, const wchar_t* key, const resbuf* value, bool nested = false,
                bool create = true);

  // Erases the dictionary with everything in it.
  bool dctErase(const wchar_t* dictionary, bool nested = false);

  Acad::ErrorStatus lastStatus() const { return m_last; }

 private:
  bool readItems(const wchar_t* dictionary, const wchar_t* key, bool nested, uv::ResItems& items);
  bool writeItems(const wchar_t* dictionary, const wchar_t* key, bool nested, bool create,
                  const uv::ResItems& items);
  // The dictionary at the end of the path; missing ones are made when asked.
  Acad::ErrorStatus findDictionary(const std::vector<std::wstring>& path, bool create, AcDbObjectId& id);
  Acad::ErrorStatus childDictionary(AcDbObjectId parent, const std::wstring& key, bool create,
                                    AcDbObjectId& child);
  bool result(Acad::ErrorStatus es) {
    m_last = es;
    return es == Acad::eOk;
  }

  Acad::ErrorStatus m_last = Acad::eOk;
};
