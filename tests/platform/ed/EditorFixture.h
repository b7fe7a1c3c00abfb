// A document with a drawing for the editor tests, entities added by kind and
// layer, and a scripted user answering from lines.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbCircle.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbFace.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
#include "db/AcDbLine.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "ed/AcApDocManager.h"
#include "ed/Transcript.h"
#include "user/CurrentUser.h"
#include "user/ScriptedUser.h"

namespace uvtest {

class EditorFixture : public ::testing::Test {
 protected:
  AcApDocument* doc = nullptr;
  AcDbDatabase* db = nullptr;
  uv::ScriptedUser user;
  std::unique_ptr<uv::UserScope> userScope;

  void SetUp() override {
    doc = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"/drawings/site.dxf");
    db = doc->database();
    userScope = std::make_unique<uv::UserScope>(user);
    uv::Transcript::instance().clear();
  }
  void TearDown() override {
    userScope.reset();
    EXPECT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
  }

  void answer(std::initializer_list<const wchar_t*> lines) { user.appendLines(lines); }

  void addLayer(const wchar_t* name) {
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbLayerTableRecord();
    rec->setName(name);
    ASSERT_EQ(table->add(rec), Acad::eOk);
    rec->close();
    table->close();
  }

  // Appends ent to model space on the layer and returns its id.
  AcDbObjectId add(AcDbEntity* ent, const wchar_t* layer = L"0") {
    AcDbBlockTableRecord* ms = nullptr;
    EXPECT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(ms->appendAcDbEntity(id, ent), Acad::eOk);
    EXPECT_EQ(ent->setLayer(layer), Acad::eOk) << "layer";
    ms->close();
    ent->close();
    return id;
  }

  // A block named name holding a circle, and an attribute definition when tag is given.
  AcDbObjectId addBlock(const wchar_t* name, const wchar_t* tag = nullptr) {
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord();
    block->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, block), Acad::eOk);
    auto* circle = new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 1.0);
    block->appendAcDbEntity(circle);
    circle->close();
    if (tag) {
      auto* def = new AcDbAttributeDefinition(AcGePoint3d(0, 0, 0), L"0.00", tag, L"Elevation");
      block->appendAcDbEntity(def);
      def->close();
    }
    block->close();
    table->close();
    return id;
  }

  AcDbObjectId insert(AcDbObjectId block, const AcGePoint3d& at, const wchar_t* tag = nullptr,
                      const wchar_t* layer = L"0") {
    auto* ref = new AcDbBlockReference(at, block);
    AcDbObjectId id = add(ref, layer);
    if (tag) {
      AcDbBlockReference* open = nullptr;
      EXPECT_EQ(acdbOpenObject(open, id, AcDb::kForWrite), Acad::eOk);
      auto* att = new AcDbAttribute(at, L"1.00", tag);
      EXPECT_EQ(open->appendAttribute(att), Acad::eOk);
      att->close();
      open->close();
    }
    return id;
  }

  std::wstring transcript() const { return uv::Transcript::instance().text(); }
};

}  // namespace uvtest
