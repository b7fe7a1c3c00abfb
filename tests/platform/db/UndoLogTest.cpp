// The undo log's bookkeeping: clones of every class, ids of what an undone
// step made, objects left open, steps that change nothing, changes between
// steps. (Whole drawings undone and redone are checked through their DXF in
// dxf/UndoDxfTest.cpp.)
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "db/AcDb2dPolyline.h"
#include "db/AcDb2dVertex.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDb3dPolylineVertex.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockBegin.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbCircle.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbEllipse.h"
#include "db/AcDbHatch.h"
#include "db/AcDbMText.h"
#include "db/AcDbSpline.h"
#include "db/AcDbFace.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLine.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbRawEntity.h"
#include "db/AcDbRawObject.h"
#include "db/AcDbRegAppTable.h"
#include "db/AcDbText.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbWipeout.h"
#include "db/AcDbWipeoutVariables.h"
#include "db/AcDbXrecord.h"
#include "db/UndoLog.h"
#include "TestDrawing.h"

using uvtest::addToModelSpace;

TEST(UndoLog, EveryClassClonesAsItself) {
  const std::vector<std::function<AcDbObject*()>> makers = {
      [] { return new AcDbObject; },            [] { return new AcDbLine; },
      [] { return new AcDbArc; },               [] { return new AcDbCircle; },
      [] { return new AcDbPoint; },             [] { return new AcDbText; },
      [] { return new AcDbAttribute; },         [] { return new AcDbAttributeDefinition; },
      [] { return new AcDbPolyline; },          [] { return new AcDb2dPolyline; },
      [] { return new AcDb2dVertex; },          [] { return new AcDb3dPolyline; },
      [] { return new AcDb3dPolylineVertex; },  [] { return new AcDbFace; },
      [] { return new AcDbBlockReference; },    [] { return new AcDbBlockBegin; },
      [] { return new AcDbBlockEnd; },          [] { return new AcDbSequenceEnd; },
      [] { return new AcDbBlockTable; },        [] { return new AcDbBlockTableRecord; },
      [] { return new AcDbLayerTable; },        [] { return new AcDbLayerTableRecord; },
      [] { return new AcDbLinetypeTable; },     [] { return new AcDbLinetypeTableRecord; },
      [] { return new AcDbTextStyleTable; },    [] { return new AcDbTextStyleTableRecord; },
      [] { return new AcDbRegAppTable; },       [] { return new AcDbRegAppTableRecord; },
      [] { return new AcDbDictionary; },        [] { return new AcDbGroup; },
      [] { return new AcDbXrecord; },           [] { return new AcDbRawEntity; },
      [] { return new AcDbRawObject; },         [] { return new AcDbWipeout; },
      [] { return new AcDbWipeoutVariables; },  [] { return new AcDbEntity; },
      [] { return new AcDbEllipse; },           [] { return new AcDbSpline; },
      [] { return new AcDbMText; },             [] { return new AcDbHatch; },
  };
  for (const auto& make : makers) {
    std::unique_ptr<AcDbObject> original(make());
    std::unique_ptr<AcDbObject> copy(original->clone());
    EXPECT_EQ(copy->isA(), original->isA()) << original->isA()->name();
  }
  // A clone of an object in a database is in none and closed.
  AcDbDatabase db;
  auto* line = new AcDbLine(AcGePoint3d(1, 2, 0), AcGePoint3d(3, 4, 0));
  addToModelSpace(db, line);
  std::unique_ptr<AcDbObject> copy(line->clone());
  EXPECT_TRUE(copy->objectId().isNull());
  EXPECT_EQ(AcDbLine::cast(copy.get())->endPoint(), AcGePoint3d(3, 4, 0));
  EXPECT_EQ(copy->ownerId(), db.modelSpaceId());
}

TEST(UndoLog, IdsOfWhatAnUndoneStepMadeOpenNothingUntilRedone) {
  AcDbDatabase db;
  db.undoLog().enable();
  db.undoLog().begin(L"LINE");
  const AcDbObjectId id = addToModelSpace(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
  const AcDbHandle seed = db.handseed();
  ASSERT_EQ(db.undoLog().undo(), Acad::eOk);
  AcDbLine* line = nullptr;
  EXPECT_NE(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
  AcDbObjectId byHandle;
  EXPECT_EQ(db.getAcDbObjectId(byHandle, false, id.handle()), Acad::eKeyNotFound);
  EXPECT_NE(db.handseed(), seed);
  ASSERT_EQ(db.undoLog().redo(), Acad::eOk);
  ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
  line->close();
  EXPECT_EQ(db.handseed(), seed);

  // Once a new step forgets the redo, the old id stays safe to ask.
  ASSERT_EQ(db.undoLog().undo(), Acad::eOk);
  db.undoLog().begin(L"CIRCLE");
  const AcDbObjectId circle = addToModelSpace(db, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1));
  EXPECT_EQ(circle.handle(), id.handle());  // the handle is free again
  EXPECT_NE(circle, id);
  EXPECT_NE(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
  EXPECT_SOUND(db);
}

TEST(UndoLog, AnOpenObjectStopsUndoAndNothingChanges) {
  AcDbDatabase db;
  db.undoLog().enable();
  db.undoLog().begin(L"LINE");
  const AcDbObjectId id = addToModelSpace(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
  AcDbLine* line = nullptr;
  ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(db.undoLog().undo(), Acad::eWasOpenForWrite);
  line->close();
  ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
  line->close();
  EXPECT_EQ(db.undoLog().undoName(), L"LINE");
  EXPECT_EQ(db.undoLog().undo(), Acad::eOk);
}

TEST(UndoLog, StepsThatChangeNothingAndChangesBetweenSteps) {
  AcDbDatabase db;
  uv::UndoLog& log = db.undoLog();
  EXPECT_FALSE(log.canUndo());
  // Nothing is recorded before the log is enabled.
  addToModelSpace(db, new AcDbPoint(AcGePoint3d(0, 0, 0)));
  log.enable();
  EXPECT_FALSE(log.canUndo());

  log.begin(L"NOTACOMMAND");
  log.forgetStep();
  EXPECT_FALSE(log.canUndo());

  log.begin(L"ZOOM");  // a command that changes nothing is still a step
  log.begin(L"LINE");
  addToModelSpace(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
  log.forgetStep();  // it changed something: kept
  EXPECT_EQ(log.undoName(), L"LINE");
  ASSERT_EQ(log.undo(), Acad::eOk);
  EXPECT_EQ(log.undoName(), L"ZOOM");
  EXPECT_TRUE(log.canRedo());
  EXPECT_EQ(log.restores(), 1u);

  // A change after Undo, outside any command, is a step of its own and
  // ends what could be redone.
  addToModelSpace(db, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1));
  EXPECT_FALSE(log.canRedo());
  EXPECT_EQ(log.undoName(), uv::UndoLog::kBetweenSteps);
  ASSERT_EQ(log.undo(), Acad::eOk);
  EXPECT_EQ(log.undoName(), L"ZOOM");

  log.setDepth(2);
  for (const wchar_t* name : {L"A", L"B", L"C"}) {
    log.begin(name);
    addToModelSpace(db, new AcDbPoint(AcGePoint3d(1, 1, 0)));
  }
  EXPECT_EQ(log.undo(), Acad::eOk);
  EXPECT_EQ(log.undo(), Acad::eOk);
  EXPECT_EQ(log.undo(), Acad::eNotApplicable);
  EXPECT_SOUND(db);
}

TEST(UndoLog, SaysWhatChangedSinceAMark) {
  AcDbDatabase db;
  uv::UndoLog& log = db.undoLog();
  std::vector<AcDbObjectId> ids;
  EXPECT_FALSE(log.changesSince(log.changeMark(), ids));  // nothing recorded yet
  log.enable();
  const std::uint64_t start = log.changeMark();
  auto handles = [&](std::uint64_t mark) {
    std::vector<std::uint64_t> out;
    if (!log.changesSince(mark, ids)) return std::vector<std::uint64_t>{0};
    for (AcDbObjectId id : ids) out.push_back(id.handle());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
  };
  const std::uint64_t ms = db.modelSpaceId().handle();
  log.begin(L"LINE");
  const AcDbObjectId line = addToModelSpace(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
  const std::uint64_t afterLine = log.changeMark();
  EXPECT_EQ(handles(start), (std::vector<std::uint64_t>{ms, line.handle()}));
  // Changed again in the same step: the open step is said again whole.
  {
    AcDbObjectPointer<AcDbLine> l(line, AcDb::kForWrite);
    l->setEndPoint(AcGePoint3d(2, 0, 0));
  }
  EXPECT_EQ(log.changeMark(), afterLine);
  EXPECT_EQ(handles(afterLine), (std::vector<std::uint64_t>{ms, line.handle()}));

  log.begin(L"CIRCLE");
  const std::uint64_t beforeCircle = log.changeMark();
  EXPECT_EQ(handles(beforeCircle), std::vector<std::uint64_t>{});
  const AcDbObjectId circle = addToModelSpace(db, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1));
  EXPECT_EQ(handles(beforeCircle), (std::vector<std::uint64_t>{ms, circle.handle()}));
  const std::uint64_t beforeUndo = log.changeMark();
  ASSERT_EQ(log.undo(), Acad::eOk);
  EXPECT_EQ(handles(beforeUndo), (std::vector<std::uint64_t>{ms, circle.handle()}));
  const std::uint64_t beforeRedo = log.changeMark();
  ASSERT_EQ(log.redo(), Acad::eOk);
  EXPECT_EQ(handles(beforeRedo), (std::vector<std::uint64_t>{ms, circle.handle()}));

  // A mark from the future, from another drawing's log, or from before a
  // history cleared, is no mark.
  EXPECT_FALSE(log.changesSince(log.changeMark() + 1, ids));
  AcDbDatabase other;
  other.undoLog().enable();
  addToModelSpace(other, new AcDbPoint(AcGePoint3d(0, 0, 0)));
  EXPECT_FALSE(log.changesSince(other.undoLog().changeMark(), ids));
  EXPECT_FALSE(other.undoLog().changesSince(start, ids));
  const std::uint64_t beforeClear = log.changeMark();
  log.clear();
  EXPECT_FALSE(log.changesSince(beforeClear, ids));
  EXPECT_TRUE(log.changesSince(log.changeMark(), ids));
  EXPECT_TRUE(ids.empty());
}
