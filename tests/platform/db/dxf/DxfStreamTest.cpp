// A file or a string is read twice, its entities the second time a record
// at a time; a pipe is held whole. Both give the same drawing.
#include <gtest/gtest.h>

#include <string>

#include "DatabaseDump.h"
#include "PipeStream.h"
#include "RichDrawing.h"
#include "base/TextCase.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbRegAppTable.h"
#include "db/AcDbRegAppTableRecord.h"
#include "db/resbuf.h"
#include "db/dxf/DxfFile.h"

namespace {

using uvtest::dumpDatabase;
using uvtest::firstDifference;

// The drawing read from the text, saved again; empty with a failure when it does not read.
std::string readAndSaved(const std::string& text, bool pipe, AcDbDatabase& db) {
  uvtest::PipeStream piped(text);
  const uv::dxf::Result r =
      pipe ? uv::dxf::loadFromStream(piped, db, L"in.dxf") : uv::dxf::loadFromString(text, db, L"in.dxf");
  EXPECT_TRUE(r.ok) << uv::toUtf8(r.error);
  std::string saved;
  if (r.ok) {
    EXPECT_TRUE(uv::dxf::saveToString(db, saved).ok);
  }
  return saved;
}

void expectSameBothWays(const std::string& text) {
  AcDbDatabase fromString, fromPipe;
  const std::string a = readAndSaved(text, false, fromString);
  const std::string b = readAndSaved(text, true, fromPipe);
  ASSERT_FALSE(a.empty());
  EXPECT_EQ(firstDifference(dumpDatabase(fromString), dumpDatabase(fromPipe)), "");
  EXPECT_EQ(firstDifference(a, b), "");
  // And read once more, the saved text comes back byte for byte.
  AcDbDatabase again;
  EXPECT_EQ(firstDifference(readAndSaved(a, false, again), a), "");
}

size_t modelSpaceCount(const AcDbDatabase& db) {
  AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
  return ms->entities().size();
}

}  // namespace

TEST(DxfStream, RichDrawingReadsTheSameFromAPipeAsFromAString) {
  AcDbDatabase original;
  uvtest::buildRichDrawing(original);
  std::string text;
  ASSERT_TRUE(uv::dxf::saveToString(original, text).ok);
  expectSameBothWays(text);
}

// Megabytes of entities, a polyline of many vertices among tagged faces:
// the records held a few at a time span many of the reader's chunks.
TEST(DxfStream, ManyEntitiesAndLongSequencesReadTheSameEitherWay) {
  AcDbDatabase original;
  {
    AcDbObjectPointer<AcDbRegAppTable> apps(original.regAppTableId(), AcDb::kForWrite);
    auto* app = new AcDbRegAppTableRecord;
    app->setName(L"TAG");
    AcDbObjectId appId;
    ASSERT_EQ(apps->add(appId, app), Acad::eOk);
    app->close();
  }
  {
    AcDbObjectPointer<AcDbBlockTableRecord> ms(original.modelSpaceId(), AcDb::kForWrite);
    auto add = [&](AcDbEntity* e) {
      AcDbObjectId id;
      ASSERT_EQ(ms->appendAcDbEntity(id, e), Acad::eOk);
      e->close();
    };
    for (int i = 0; i < 20000; ++i) {
      auto* face = new AcDbFace(AcGePoint3d(i, 0, 1), AcGePoint3d(i + 1, 0, 2), AcGePoint3d(i, 1, 3));
      resbuf* tag = acutBuildList(AcDb::kDxfRegAppName, L"TAG", AcDb::kDxfXdInteger16, short(i), 0);
      AcDbObjectId id;
      ASSERT_EQ(ms->appendAcDbEntity(id, face), Acad::eOk);
      EXPECT_EQ(face->setXData(tag), Acad::eOk);
      face->close();
      acutRelRb(tag);
      if (i == 10000) {
        AcGePoint3dArray pts;
        for (int k = 0; k < 60000; ++k) pts.append(AcGePoint3d(k, k % 7, k % 5));
        add(new AcDb3dPolyline(AcDb::k3dSimplePoly, pts));
      }
    }
  }
  std::string text;
  ASSERT_TRUE(uv::dxf::saveToString(original, text).ok);
  ASSERT_GT(text.size(), size_t(8) << 20);
  expectSameBothWays(text);
  AcDbDatabase back;
  readAndSaved(text, false, back);
  EXPECT_EQ(modelSpaceCount(back), 20001u);
}

// Two ENTITIES sections: the second's entities follow the first's.
TEST(DxfStream, EntitiesOfTwoSectionsComeInFileOrder) {
  const std::string text =
      "  0\nSECTION\n  2\nENTITIES\n"
      "  0\nLINE\n  5\nA1\n  8\n0\n 10\n1\n 20\n0\n 11\n2\n 21\n0\n"
      "  0\nENDSEC\n"
      "999\na comment between the sections\n"
      "  0\nSECTION\n  2\nENTITIES\n"
      "999\na comment before the first entity\n"
      "  0\nLINE\n  5\nA2\n  8\n0\n 10\n3\n 20\n0\n 11\n4\n 21\n0\n"
      "  0\nLINE\n  5\nA3\n  8\n0\n 10\n5\n 20\n0\n 11\n6\n 21\n0\n"
      "  0\nENDSEC\n  0\nEOF\n";
  for (const bool pipe : {false, true}) {
    SCOPED_TRACE(pipe ? "through a pipe" : "from a string");
    AcDbDatabase db;
    readAndSaved(text, pipe, db);
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId());
    std::vector<std::string> handles;
    std::vector<double> starts;
    for (AcDbObject* o : ms->entities()) {
      handles.push_back(uv::toUtf8(o->objectId().handle().text()));
      if (auto* line = AcDbLine::cast(o)) starts.push_back(line->startPoint().x);
    }
    EXPECT_EQ(handles, (std::vector<std::string>{"A1", "A2", "A3"}));
    EXPECT_EQ(starts, (std::vector<double>{1, 3, 5}));
  }
  expectSameBothWays(text);
}
