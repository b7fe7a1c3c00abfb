#include <gtest/gtest.h>

#include "db/AcDbBlockTable.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"

TEST(Database, DefaultDrawingHasModelSpaceAndLayerZero) {
  AcDbDatabase db;
  AcDbBlockTable* bt = nullptr;
  ASSERT_EQ(db.getBlockTable(bt), Acad::eOk);
  AcDbObjectId ms;
  EXPECT_EQ(bt->getAt(ACDB_MODEL_SPACE, ms), Acad::eOk);
  EXPECT_EQ(ms, db.modelSpaceId());
  bt->close();
  AcDbLayerTableRecordPointer layer(L"0", &db);
  EXPECT_EQ(layer.openStatus(), Acad::eOk);
}

TEST(Database, AppendLineAndReadItBack) {
  AcDbDatabase db;
  AcDbBlockTableRecordPointer ms(db.modelSpaceId(), AcDb::kForWrite);
  ASSERT_EQ(ms.openStatus(), Acad::eOk);
  auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 5, 1));
  AcDbObjectId id;
  ASSERT_EQ(ms->appendAcDbEntity(id, line), Acad::eOk);
  EXPECT_TRUE(line->isWriteEnabled());
  line->close();
  AcDbObjectPointer<AcDbLine> back(id);
  ASSERT_EQ(back.openStatus(), Acad::eOk);
  EXPECT_EQ(back->endPoint(), AcGePoint3d(10, 5, 1));
  EXPECT_EQ(back->layerId(), db.layerZero());
}
