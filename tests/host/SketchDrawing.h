// Builds small drawings for the host tests: layers, linetypes, blocks and
// entities in a few lines each.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "db/AcDbBlockTable.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbEntity.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbLinetypeTableRecord.h"
#include "db/AcDbObjectPointer.h"

namespace uvtest {

class SketchDrawing {
 public:
  SketchDrawing() : m_db(std::make_unique<AcDbDatabase>()) {}

  AcDbDatabase& db() { return *m_db; }
  std::unique_ptr<AcDbDatabase> release() { return std::move(m_db); }

  // Adds the entity to model space (or to the block) and closes it.
  AcDbObjectId add(AcDbEntity* entity, AcDbObjectId block = AcDbObjectId()) {
    AcDbBlockTableRecord* owner = nullptr;
    EXPECT_EQ(acdbOpenObject(owner, block.isNull() ? m_db->modelSpaceId() : block, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(owner->appendAcDbEntity(id, entity), Acad::eOk);
    owner->close();
    entity->close();
    return id;
  }

  AcDbObjectId layer(const wchar_t* name, int colour, bool off = false, bool frozen = false,
                     AcDbObjectId linetype = AcDbObjectId(), AcDb::LineWeight weight = AcDb::kLnWtByLwDefault) {
    auto* record = new AcDbLayerTableRecord;
    record->setName(name);
    AcCmColor c;
    c.setColorIndex(Adesk::UInt16(colour));
    record->setColor(c);
    record->setIsOff(off);
    record->setIsFrozen(frozen);
    if (!linetype.isNull()) record->setLinetypeObjectId(linetype);
    record->setLineWeight(weight);
    AcDbLayerTable* table = nullptr;
    EXPECT_EQ(m_db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Acad::eOk);
    record->close();
    table->close();
    return id;
  }

  AcDbObjectId linetype(const wchar_t* name, std::initializer_list<double> dashes) {
    auto* record = new AcDbLinetypeTableRecord;
    record->setName(name);
    record->setNumDashes(int(dashes.size()));
    double length = 0;
    int i = 0;
    for (double d : dashes) {
      record->setDashLengthAt(i++, d);
      length += d < 0 ? -d : d;
    }
    record->setPatternLength(length);
    AcDbLinetypeTable* table = nullptr;
    EXPECT_EQ(m_db->getLinetypeTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Acad::eOk);
    record->close();
    table->close();
    return id;
  }

  AcDbObjectId block(const wchar_t* name) {
    auto* record = new AcDbBlockTableRecord;
    record->setName(name);
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(m_db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Acad::eOk);
    record->close();
    table->close();
    return id;
  }

 private:
  std::unique_ptr<AcDbDatabase> m_db;
};

// Sets the usual properties of a new entity in one expression.
template <class T>
T* with(T* entity, int colour, AcDbObjectId layer = AcDbObjectId(), AcDbObjectId linetype = AcDbObjectId()) {
  entity->setColorIndex(Adesk::UInt16(colour));
  if (!layer.isNull()) entity->setLayer(layer);
  if (!linetype.isNull()) entity->setLinetype(linetype);
  return entity;
}

}  // namespace uvtest
