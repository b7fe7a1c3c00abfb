// The identity of a database object: a small value type, valid while its
// database lives. Ids compare by database and then by handle, so sorted ids
// come out in handle order.
#pragma once

#include <cstddef>
#include <functional>

#include "base/AcArray.h"
#include "base/ErrorStatus.h"
#include "AcDbHandle.h"
#include "adsdef.h"

class AcDbDatabase;
namespace uv { struct ObjectSlot; }

class AcDbObjectId {
 public:
  AcDbObjectId() = default;
  static const AcDbObjectId kNull;

  bool isNull() const { return m_slot == nullptr; }
  void setNull() { m_slot = nullptr; }
  // Not null and naming an object that exists (erased or not).
  bool isValid() const;
  bool isErased() const;
  AcDbHandle handle() const;
  AcDbDatabase* database() const;

  friend bool operator==(const AcDbObjectId& a, const AcDbObjectId& b) { return a.m_slot == b.m_slot; }
  friend bool operator!=(const AcDbObjectId& a, const AcDbObjectId& b) { return a.m_slot != b.m_slot; }
  friend bool operator<(const AcDbObjectId& a, const AcDbObjectId& b);
  friend bool operator>(const AcDbObjectId& a, const AcDbObjectId& b) { return b < a; }
  friend bool operator<=(const AcDbObjectId& a, const AcDbObjectId& b) { return !(b < a); }
  friend bool operator>=(const AcDbObjectId& a, const AcDbObjectId& b) { return !(a < b); }

  // For the database's own use.
  explicit AcDbObjectId(uv::ObjectSlot* slot) : m_slot(slot) {}
  uv::ObjectSlot* slot() const { return m_slot; }

 private:
  uv::ObjectSlot* m_slot = nullptr;
};

using AcDbObjectIdArray = AcArray<AcDbObjectId>;

template <>
struct std::hash<AcDbObjectId> {
  size_t operator()(const AcDbObjectId& id) const noexcept { return std::hash<const void*>()(id.slot()); }
};

// ads_name <-> object id. An ads_name of an entity holds its handle and the
// address of its database; acdbGetObjectId refuses names of databases that
// no longer exist (eInvalidInput) and handles that name nothing (eKeyNotFound).
Acad::ErrorStatus acdbGetAdsName(ads_name& name, AcDbObjectId id);
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name);
