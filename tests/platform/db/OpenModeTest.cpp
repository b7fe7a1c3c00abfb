// The open/close protocol: which opens succeed given the opens already held.
#include <gtest/gtest.h>

#include "db/AcDbCircle.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"

namespace {

AcDbObjectId addLine(AcDbDatabase& db) {
  AcDbBlockTableRecord* ms = nullptr;
  EXPECT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  AcDbObjectId id;
  auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
  EXPECT_EQ(ms->appendAcDbEntity(id, line), Acad::eOk);
  line->close();
  ms->close();
  return id;
}

struct OpenCase {
  const char* name;
  std::vector<AcDb::OpenMode> held;
  AcDb::OpenMode requested;
  Acad::ErrorStatus expected;
};

class OpenMatrix : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenMatrix, SecondOpenFollowsTheRules) {
  const OpenCase& c = GetParam();
  AcDbDatabase db;
  const AcDbObjectId id = addLine(db);
  std::vector<AcDbObject*> opened;
  for (AcDb::OpenMode m : c.held) {
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, id, m), Acad::eOk);
    opened.push_back(o);
  }
  AcDbObject* o = nullptr;
  EXPECT_EQ(acdbOpenAcDbObject(o, id, c.requested), c.expected) << c.name;
  if (o) opened.push_back(o);
  EXPECT_EQ(o != nullptr, c.expected == Acad::eOk);
  for (AcDbObject* p : opened) EXPECT_EQ(p->close(), Acad::eOk);
  // Every open was matched by a close: the object is free again.
  AcDbObject* w = nullptr;
  EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eOk);
  w->close();
}

INSTANTIATE_TEST_SUITE_P(
    Protocol, OpenMatrix,
    ::testing::Values(OpenCase{"read on closed", {}, AcDb::kForRead, Acad::eOk},
                      OpenCase{"write on closed", {}, AcDb::kForWrite, Acad::eOk},
                      OpenCase{"read on read", {AcDb::kForRead}, AcDb::kForRead, Acad::eOk},
                      OpenCase{"read on two reads", {AcDb::kForRead, AcDb::kForRead}, AcDb::kForRead, Acad::eOk},
                      OpenCase{"write on read", {AcDb::kForRead}, AcDb::kForWrite, Acad::eWasOpenForRead},
                      OpenCase{"read on write", {AcDb::kForWrite}, AcDb::kForRead, Acad::eWasOpenForWrite},
                      OpenCase{"write on write", {AcDb::kForWrite}, AcDb::kForWrite, Acad::eWasOpenForWrite},
                      OpenCase{"notify on write", {AcDb::kForWrite}, AcDb::kForNotify, Acad::eOk},
                      OpenCase{"notify on read", {AcDb::kForRead}, AcDb::kForNotify, Acad::eOk}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (ch == ' ') ch = '_';
      return n;
    });

TEST(OpenMode, UpgradeAndDowngrade) {
  AcDbDatabase db;
  const AcDbObjectId id = addLine(db);
  AcDbLine* a = nullptr;
  ASSERT_EQ(acdbOpenObject(a, id, AcDb::kForRead), Acad::eOk);
  EXPECT_FALSE(a->isWriteEnabled());
  EXPECT_EQ(a->setColorIndex(1), Acad::eNotOpenForWrite);
  EXPECT_EQ(a->setStartPoint(AcGePoint3d(5, 5, 5)), Acad::eNotOpenForWrite);

  // A second reader blocks the upgrade.
  AcDbLine* b = nullptr;
  ASSERT_EQ(acdbOpenObject(b, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(a->upgradeOpen(), Acad::eWasOpenForRead);
  b->close();

  ASSERT_EQ(a->upgradeOpen(), Acad::eOk);
  EXPECT_TRUE(a->isWriteEnabled());
  EXPECT_EQ(a->setStartPoint(AcGePoint3d(5, 5, 5)), Acad::eOk);
  EXPECT_EQ(a->upgradeOpen(), Acad::eWasOpenForWrite);
  ASSERT_EQ(a->downgradeOpen(), Acad::eOk);
  EXPECT_FALSE(a->isWriteEnabled());
  // Read-open again, so another reader is welcome and a writer is not.
  ASSERT_EQ(acdbOpenObject(b, id, AcDb::kForRead), Acad::eOk);
  b->close();
  AcDbObject* w = nullptr;
  EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
  EXPECT_EQ(a->close(), Acad::eOk);
  EXPECT_EQ(a->close(), Acad::eInvalidOpenState);
}

TEST(OpenMode, ErasedWrongClassAndNullIds) {
  AcDbDatabase db;
  const AcDbObjectId id = addLine(db);
  AcDbCircle* circle = nullptr;
  EXPECT_EQ(acdbOpenObject(circle, id, AcDb::kForRead), Acad::eNotThatKindOfClass);
  EXPECT_EQ(circle, nullptr);
  AcDbEntity* ent = nullptr;
  EXPECT_EQ(acdbOpenObject(ent, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);

  ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
  ASSERT_EQ(ent->erase(), Acad::eOk);
  ent->close();
  EXPECT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eWasErased);
  ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite, true), Acad::eOk);
  EXPECT_TRUE(ent->isErased());
  ASSERT_EQ(ent->erase(false), Acad::eOk);
  ent->close();
  EXPECT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk);
  ent->close();
}

TEST(OpenMode, ScopePointerClosesWhenAnExceptionPasses) {
  AcDbDatabase db;
  const AcDbObjectId id = addLine(db);
  try {
    AcDbObjectPointer<AcDbLine> line(id, AcDb::kForWrite);
    ASSERT_EQ(line.openStatus(), Acad::eOk);
    throw std::runtime_error("leaving the scope");
  } catch (const std::runtime_error&) {
  }
  AcDbObjectPointer<AcDbLine> again(id, AcDb::kForWrite);
  EXPECT_EQ(again.openStatus(), Acad::eOk);
  AcDbObjectPointer<AcDbCircle> wrong(id, AcDb::kForRead);
  EXPECT_EQ(wrong.openStatus(), Acad::eNotThatKindOfClass);
  EXPECT_EQ(wrong.object(), nullptr);
}

TEST(OpenMode, NewObjectsBelongToTheirCreator) {
  auto* line = new AcDbLine;
  EXPECT_TRUE(line->isWriteEnabled());
  EXPECT_EQ(line->close(), Acad::eNotInDatabase);
  EXPECT_EQ(line->erase(), Acad::eNotInDatabase);
  delete line;  // legal: never added

  AcDbObjectPointer<AcDbLine> created;
  ASSERT_EQ(created.create(), Acad::eOk);
  EXPECT_EQ(created->setEndPoint(AcGePoint3d(1, 2, 3)), Acad::eOk);
}

}  // namespace
