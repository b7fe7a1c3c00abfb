// A named, ordered set of entities. The group holds ids only: its entities
// stay where they are, and erased ones are left out of what it reports. Its
// name is its key in the group dictionary.
#pragma once

#include <string>
#include <vector>

#include "AcDbObject.h"

class AcDbEntity;

class AcDbGroup : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbGroup);
  UV_DECLARE_CLONE(AcDbGroup);
  explicit AcDbGroup(const ACHAR* description = nullptr, bool selectable = true);

  // The key in the owning dictionary; before that, the name given by setName.
  const ACHAR* name() const;
  Acad::ErrorStatus getName(ACHAR*& name) const;
  // Renames the dictionary entry too (eDuplicateKey when taken).
  Acad::ErrorStatus setName(const ACHAR* name);
  const ACHAR* description() const { return m_description.c_str(); }
  Acad::ErrorStatus setDescription(const ACHAR* text);
  bool isSelectable() const { return m_selectable; }
  Acad::ErrorStatus setSelectable(bool selectable);
  bool isAnonymous() const;

  // An entity of the group's database (or of any, before the group is in
  // one): eNotThatKindOfClass for a non-entity, eDuplicateKey when present.
  Acad::ErrorStatus append(AcDbObjectId id);
  Acad::ErrorStatus append(const AcDbObjectIdArray& ids);
  Acad::ErrorStatus remove(AcDbObjectId id);
  Acad::ErrorStatus clear();
  bool has(const AcDbEntity* entity) const;
  bool has(AcDbObjectId id) const;
  // Live entities, in order.
  Adesk::UInt32 numEntities() const;
  Adesk::UInt32 allEntityIds(AcDbObjectIdArray& ids) const;

  void getReferences(std::vector<uv::ObjectReference>& refs) const override;

 protected:
  Acad::ErrorStatus subPrepareAdd(AcDbDatabase* db) override;

 private:
  Acad::ErrorStatus checkMember(AcDbObjectId id) const;

  std::vector<AcDbObjectId> m_ids;
  std::wstring m_name;  // only until the group is filed in a dictionary
  std::wstring m_description;
  bool m_selectable = true;
};
