// A record of tagged values kept in a dictionary: strings, 16/32/64-bit
// integers, reals, 3D points, binary chunks and object references, under
// the DXF group codes 1-369 that files allow (not 5 and 105, which are the
// handle's).
#pragma once

#include "AcDbObject.h"
#include "ResItem.h"

class AcDbXrecord : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbXrecord);
  UV_DECLARE_CLONE(AcDbXrecord);

  // A new chain of the values (released by the caller), null when empty.
  Acad::ErrorStatus rbChain(resbuf*& chain, AcDbDatabase* auxDb = nullptr) const;
  // Replaces the values with a copy of the chain: eInvalidResBuf (and no
  // change) for an item whose code an xrecord cannot hold.
  Acad::ErrorStatus setFromRbChain(const resbuf& chain, AcDbDatabase* auxDb = nullptr);
  // The same with the items themselves: what the chain of these items would give, without
  // making the chain (a surface's record holds hundreds of thousands of binary chunks).
  // eInvalidResBuf (and no change) for an item whose code an xrecord cannot hold, whose kind
  // is not its code's, or whose bytes a result buffer cannot carry.
  Acad::ErrorStatus setItems(uv::ResItems items);
  // Empties the record.
  Acad::ErrorStatus clear();
  const uv::ResItems& items() const { return m_items; }
  static bool isXrecordCode(int code);

  void getReferences(std::vector<uv::ObjectReference>& refs) const override;

 private:
  uv::ResItems m_items;
};
