// Internal: the extended data of one object, kept in a single block of
// bytes. Drawings hold millions of tagged entities (a surface shown as 3D
// faces carries two applications' data on every face), so the data costs
// one allocation per object instead of a vector of groups each holding a
// vector of items and a copy of the application's name.
//
// Layout of the block (values copied in and out with memcpy, unaligned):
//   uint32 size of the block
//   per application: const std::wstring* name (interned), uint32 bytes of its items,
//                    then per item: int16 group code, the value by the code's kind:
//                    string  uint32 length (top bit set: a byte a character), the characters
//                    binary  uint32 length, that many bytes
//                    real    double;  point 3 doubles;  short int16;  long int32;  int64 int64
//                    name    the AcDbObjectId
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ResItem.h"
#include "resbuf.h"

namespace uv {

// One application's extended data, without its (1001 name) item.
struct XDataGroup {
  std::wstring appName;
  ResItems items;
};

// The one copy of an application name that every object's data points at.
const std::wstring* internAppName(std::wstring_view name);

class XData {
 public:
  // The items of one application in a chain, from `first` up to (not
  // including) `end`.
  struct ChainGroup {
    const std::wstring* appName;
    const resbuf* first;
    const resbuf* end;
  };

  XData() = default;
  XData(const XData& other);
  XData& operator=(const XData& other);
  XData(XData&&) noexcept = default;
  XData& operator=(XData&&) noexcept = default;

  bool empty() const { return !m_bytes; }
  // Every application's data, decoded, in order.
  std::vector<XDataGroup> groups() const;
  // A new chain of the (1001 name) item and the items of each application
  // matching `appName` ignoring case (every application for null); null
  // when there is none.
  resbuf* chain(const wchar_t* appName) const;
  // Applies the groups in order: a group without items removes its
  // application's data, one with items replaces it (keeping its place)
  // or, for an application without data yet, comes last. The items must
  // carry values of known kinds.
  void apply(const ChainGroup* groups, size_t count);

 private:
  struct Release {
    void operator()(unsigned char* block) const noexcept;
  };
  using Block = std::unique_ptr<unsigned char[], Release>;
  static Block newBlock(std::size_t size);
  Block m_bytes;
};

}  // namespace uv
