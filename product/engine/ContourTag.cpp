// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/ContourTag.h"

#include "db/AcDbDatabase.h"
#include "db/AcDbEntity.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbRegAppTableRecord.h"
#include "db/ResbufChain.h"
#include "db/resbuf.h"

namespace uv::engine {

bool registerApp(AcDbDatabase* db, const wchar_t* app) {
  if (!db) return false;
  {
    AcDbObjectPointer<AcDbRegAppTable> table(db->regAppTableId(), AcDb::kForRead);
    if (table.openStatus() != Acad::eOk) return false;
    if (table->has(app)) return true;
  }
  AcDbObjectPointer<AcDbRegAppTable> table(db->regAppTableId(), AcDb::kForWrite);
  if (table.openStatus() != Acad::eOk) return false;
  auto* record = new AcDbRegAppTableRecord();
  if (record->setName(app) != Acad::eOk || table->add(record) != Acad::eOk) {
    delete record;
    return false;
  }
  record->close();
  return true;
}

bool tagContour(AcDbEntity& entity, const ContourTag& tag) {
  if (!registerApp(entity.database(), kContourApp)) return false;
  ResbufChain chain(acutBuildList(1001, kContourApp, 1000, tag.surface.c_str(), 1040, tag.level, 1070,
                                  tag.major ? 1 : 0, 0));
  return chain && entity.setXData(chain) == Acad::eOk;
}

std::optional<ContourTag> contourTagOf(const AcDbEntity& entity) {
  for (const auto& group : entity.xDataGroups()) {
    if (group.appName != kContourApp) continue;
    ContourTag tag;
    bool haveName = false, haveLevel = false;
    for (const auto& item : group.items) {
      if (item.code == 1000 && !haveName) {
        tag.surface = item.text;
        haveName = true;
      } else if (item.code == 1040 && !haveLevel) {
        tag.level = item.real;
        haveLevel = true;
      } else if (item.code == 1070) {
        tag.major = item.integer != 0;
      }
    }
    if (haveName && haveLevel) return tag;
  }
  return std::nullopt;
}

}  // namespace uv::engine
