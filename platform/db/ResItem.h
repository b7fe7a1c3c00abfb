// A result-buffer item as a C++ value: what extended data and xrecords keep
// inside the database, converted from and to resbuf chains at the API edge.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ge/AcGePoint3d.h"
#include "AcDbObjectId.h"
#include "resbuf.h"

namespace uv {

struct ResItem {
  short code = 0;
  ResvalKind kind = ResvalKind::kNone;
  double real = 0;                   // kReal
  AcGePoint3d point;                 // kPoint
  std::int64_t integer = 0;          // kShort, kLong, kInt64
  std::wstring text;                 // kString
  std::vector<unsigned char> bytes;  // kBinary
  AcDbObjectId id;                   // kName

  static ResItem ofString(int code, std::wstring s);
  static ResItem ofReal(int code, double v);
  static ResItem ofPoint(int code, const AcGePoint3d& p);
  static ResItem ofInt(int code, std::int64_t v);  // kShort, kLong or kInt64 by code
  static ResItem ofId(int code, AcDbObjectId id);
  static ResItem ofBytes(int code, std::vector<unsigned char> b);

  friend bool operator==(const ResItem& a, const ResItem& b);
};

using ResItems = std::vector<ResItem>;

// Converts a chain. Fails (false) at the first item whose restype carries no
// known value kind; *badIndex then holds its 0-based position.
bool itemsFromChain(const resbuf* head, ResItems& out, int* badIndex = nullptr);
// A new chain for the items, released by the caller with acutRelRb.
resbuf* chainFromItems(const ResItems& items);

}  // namespace uv
