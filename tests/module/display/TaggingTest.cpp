// Tags on drawn triangle edges and faces: the application names registered
// on first use, one application's data replaced, the others kept, and the
// 16-bit index.
#include <gtest/gtest.h>

#include <string>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbFace.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbRegAppTable.h"
#include "db/ResbufChain.h"
#include "module/display/EntityTagging.h"
#include "product/cadwrapper/CKVLCDraw.h"

namespace {

class Tagging : public ::testing::Test {
 protected:
  void SetUp() override { acdbHostApplicationServices()->setWorkingDatabase(&db); }
  void TearDown() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

  // The entity's whole extended data as "code:value" words.
  static std::wstring dump(AcDbObjectId id) {
    AcDbObjectPointer<AcDbEntity> entity(id);
    uv::ResbufChain all(entity->xData());
    std::wstring s;
    for (const resbuf* rb = all.get(); rb; rb = rb->rbnext) {
      s += std::to_wstring(rb->restype) + L":";
      if (uv::resvalKind(rb->restype) == uv::ResvalKind::kString) s += rb->resval.rstring;
      else s += std::to_wstring(rb->resval.rint);
      s += L" ";
    }
    return s;
  }

  bool registered(const wchar_t* app) {
    AcDbObjectPointer<AcDbRegAppTable> table(db.regAppTableId());
    return table->has(app);
  }

  AcDbDatabase db;
};

// e2e_display_show_survey checks the tags of some 34000 faces; these lie beyond.
TEST(IndexTag, KeepsTheLow16BitsAsASignedNumber) {
  const struct {
    long index;
    short tag;
  } cases[] = {{65535, -1}, {65536, 0}, {65543, 7}, {2000000, -31616}};
  for (const auto& c : cases) EXPECT_EQ(uv::display::IndexTagValue(c.index), c.tag) << c.index;
}

TEST_F(Tagging, TheFirstTagRegistersTheNamesInOrder) {
  ASSERT_FALSE(registered(L"KV2_SurfaceName"));
  const AcDbObjectId line = CKVLCDraw::line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
  const AcDbObjectId face = CKVLCDraw::face(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0),
                                            true, true, true);
  TagTriangleEdge(line, L"Teren", 40000);
  EXPECT_TRUE(registered(L"KV2_SurfaceName"));
  EXPECT_TRUE(registered(L"KV2_EndgeId"));
  EXPECT_FALSE(registered(L"KV2_TrinagleId"));
  TagTriangleFace(face, L"Teren", 12);
  EXPECT_TRUE(registered(L"KV2_TrinagleId"));
  EXPECT_EQ(dump(line), L"1001:KV2_SurfaceName 1000:Teren 1001:KV2_EndgeId 1070:-25536 ");
  EXPECT_EQ(dump(face), L"1001:KV2_SurfaceName 1000:Teren 1001:KV2_TrinagleId 1070:12 ");
}

TEST_F(Tagging, RetaggingReplacesOnlyItsOwnApplication) {
  acdbRegApp(L"OTHER_APP");
  const AcDbObjectId line = CKVLCDraw::line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
  {
    AcDbObjectPointer<AcDbLine> open(line, AcDb::kForWrite);
    uv::ResbufChain other(acutBuildList(1001, L"OTHER_APP", 1000, L"keep me", 1070, 5, 0));
    ASSERT_EQ(open->setXData(other), Acad::eOk);
  }
  TagTriangleEdge(line, L"Teren", 1);
  TagTriangleEdge(line, L"Novo", 2);
  EXPECT_EQ(dump(line), L"1001:OTHER_APP 1000:keep me 1070:5 1001:KV2_SurfaceName 1000:Novo 1001:KV2_EndgeId 1070:2 ");

  // TagEntity on its own: several items of one application become one.
  {
    AcDbObjectPointer<AcDbLine> open(line, AcDb::kForWrite);
    uv::ResbufChain many(acutBuildList(1001, L"OTHER_APP", 1000, L"a", 1000, L"b", 1000, L"c", 0));
    ASSERT_EQ(open->setXData(many), Acad::eOk);
    resbuf* value = acutNewRb(1000);
    value->resval.rstring = uv::newResString(L"only");
    TagEntity(open.object(), L"OTHER_APP", value);
  }
  EXPECT_EQ(dump(line), L"1001:OTHER_APP 1000:only 1001:KV2_SurfaceName 1000:Novo 1001:KV2_EndgeId 1070:2 ");
}

// Both tags are set in one go: each replaces its own application's data in
// its place, a new one comes last, whatever the face held before.
TEST_F(Tagging, AFaceRetaggedKeepsThePlacesOfItsData) {
  acdbRegApp(L"OTHER_APP");
  acdbRegApp(L"KV2_SurfaceName");
  acdbRegApp(L"KV2_TrinagleId");
  const struct {
    const wchar_t* name;
    resbuf* before;
    const wchar_t* after;
  } cases[] = {
      {L"nothing", nullptr, L"1001:KV2_SurfaceName 1000:Novo 1001:KV2_TrinagleId 1070:7 "},
      {L"index first", acutBuildList(1001, L"KV2_TrinagleId", 1070, 3, 1001, L"OTHER_APP", 1000, L"x", 0),
       L"1001:KV2_TrinagleId 1070:7 1001:OTHER_APP 1000:x 1001:KV2_SurfaceName 1000:Novo "},
      {L"name of many items", acutBuildList(1001, L"OTHER_APP", 1000, L"x", 1001, L"KV2_SurfaceName", 1000, L"a",
                                            1000, L"b", 0),
       L"1001:OTHER_APP 1000:x 1001:KV2_SurfaceName 1000:Novo 1001:KV2_TrinagleId 1070:7 "},
      {L"names in other letter case", acutBuildList(1001, L"kv2_trinagleid", 1070, 1, 1001, L"kv2_surfacename",
                                                    1000, L"old", 0),
       L"1001:KV2_TrinagleId 1070:7 1001:KV2_SurfaceName 1000:Novo "},
  };
  for (const auto& c : cases) {
    uv::ResbufChain before(c.before);
    const AcDbObjectId face = CKVLCDraw::face(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0),
                                              true, true, true);
    if (before.get()) {
      AcDbObjectPointer<AcDbFace> open(face, AcDb::kForWrite);
      ASSERT_EQ(open->setXData(before), Acad::eOk) << uv::toUtf8(c.name);
    }
    TagTriangleFace(face, L"Novo", 7);
    EXPECT_EQ(dump(face), c.after) << uv::toUtf8(c.name);
  }
}

TEST_F(Tagging, AnEntityOfAnotherClassStaysUntagged) {
  const AcDbObjectId face = CKVLCDraw::face(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0),
                                            true, true, true);
  TagTriangleEdge(face, L"Teren", 3);  // a face is no line
  TagTriangleFace(AcDbObjectId(), L"Teren", 3);
  EXPECT_EQ(dump(face), L"");
  {
    AcDbObjectPointer<AcDbFace> open(face);  // open elsewhere for read: cannot be opened for write
    TagTriangleFace(face, L"Teren", 3);
  }
  EXPECT_EQ(dump(face), L"");
}

}  // namespace
