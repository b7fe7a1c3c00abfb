#include "EdDialogs.h"

#include <memory>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbLinetypeTableRecord.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbSymbolTableIterator.h"
#include "db/adscodes.h"
#include "db/resbuf.h"
#include "user/CurrentUser.h"
#include "user/MessageBoxCodes.h"
#include "LinetypeLibrary.h"

namespace {

std::vector<std::wstring> drawingLinetypes(AcDbDatabase* db) {
  std::vector<std::wstring> names;
  AcDbObjectPointer<AcDbLinetypeTable> table(db->linetypeTableId(), AcDb::kForRead);
  if (table.openStatus() != Acad::eOk) return names;
  AcDbSymbolTableIterator* raw = nullptr;
  if (table->newIterator(raw) != Acad::eOk || !raw) return names;
  std::unique_ptr<AcDbSymbolTableIterator> it(raw);
  for (; !it->done(); it->step()) {
    AcDbObjectId id;
    if (it->getRecordId(id) != Acad::eOk) continue;
    AcDbObjectPointer<AcDbSymbolTableRecord> rec(id, AcDb::kForRead);
    const ACHAR* name = nullptr;
    if (rec.openStatus() == Acad::eOk && rec->getName(name) == Acad::eOk && name) names.emplace_back(name);
  }
  return names;
}

bool isMeta(const std::wstring& name) { return uv::equalsNoCase(name, L"ByLayer") || uv::equalsNoCase(name, L"ByBlock"); }

}  // namespace

bool acedSetColorDialog(int& colour, bool allowMetaColors, int currentLayerColour) {
  std::optional<int> chosen = uv::currentUser().chooseColor({colour, allowMetaColors, currentLayerColour});
  if (!chosen) return false;
  colour = *chosen;
  return true;
}

namespace uv {

Acad::ErrorStatus loadLinetype(AcDbDatabase* db, const std::wstring& name, AcDbObjectId& id) {
  if (!db) return Acad::eInvalidInput;
  {
    AcDbObjectPointer<AcDbLinetypeTable> table(db->linetypeTableId(), AcDb::kForRead);
    if (table.openStatus() != Acad::eOk) return table.openStatus();
    if (table->getAt(name.c_str(), id) == Acad::eOk) return Acad::eOk;
  }
  const LinetypeDefinition* def = LinetypeLibrary::standard().find(name);
  if (!def) return Acad::eUndefinedLineType;
  AcDbObjectPointer<AcDbLinetypeTable> table(db->linetypeTableId(), AcDb::kForWrite);
  if (table.openStatus() != Acad::eOk) return table.openStatus();
  auto* rec = new AcDbLinetypeTableRecord();
  rec->setName(def->name.c_str());
  rec->setComments(def->description.c_str());
  rec->setNumDashes(int(def->dashes.size()));
  for (size_t i = 0; i < def->dashes.size(); ++i) rec->setDashLengthAt(int(i), def->dashes[i]);
  rec->setPatternLength(def->patternLength());
  Acad::ErrorStatus es = table->add(id, rec);
  if (es != Acad::eOk) {
    delete rec;
    return es;
  }
  rec->close();
  return Acad::eOk;
}

}  // namespace uv

bool acedLinetypeDialog(AcDbObjectId current, bool includeByBlockByLayer, wchar_t*& newName, AcDbObjectId& newId) {
  newName = nullptr;
  AcDbDatabase* db = current.isNull() ? acdbHostApplicationServices()->workingDatabase() : current.database();
  if (!db) return false;
  uv::LinetypeQuestion q;
  q.allowByBlockByLayer = includeByBlockByLayer;
  for (const auto& name : drawingLinetypes(db))
    if (!isMeta(name)) q.choices.push_back(name);
  for (const auto& def : uv::LinetypeLibrary::standard().definitions()) {
    bool known = false;
    for (const auto& c : q.choices) known = known || uv::equalsNoCase(c, def.name);
    if (!known) q.choices.push_back(def.name);
  }
  if (!current.isNull()) {
    AcDbObjectPointer<AcDbSymbolTableRecord> rec(current, AcDb::kForRead);
    const ACHAR* name = nullptr;
    if (rec.openStatus() == Acad::eOk && rec->getName(name) == Acad::eOk && name) q.current = name;
  }
  std::optional<std::wstring> chosen = uv::currentUser().chooseLinetype(q);
  if (!chosen) return false;
  AcDbObjectId id;
  if (uv::equalsNoCase(*chosen, L"ByLayer")) id = db->byLayerLinetype();
  else if (uv::equalsNoCase(*chosen, L"ByBlock")) id = db->byBlockLinetype();
  else if (uv::loadLinetype(db, *chosen, id) != Acad::eOk) return false;
  newId = id;
  acutNewString(chosen->c_str(), newName);
  return true;
}

int acedAlert(const wchar_t* message) {
  uv::currentUser().messageBox({message ? message : L"", L"Message", MB_OK | MB_ICONEXCLAMATION});
  return RTNORM;
}
