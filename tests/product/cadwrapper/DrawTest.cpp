// Drawing new entities into a real drawing: each lands in model space on
// the current layer with the current linetype, the pointer receives it
// open, and the drawing read back from DXF holds what was drawn.
#include "WrapperFixture.h"
#include "base/TextCase.h"
#include "db/AcDbBlockTableRecord.h"
#include "product/cadwrapper/CKVLCDraw.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"

namespace uvtest {
namespace {

class DrawTest : public WrapperFixture {
 protected:
  void SetUp() override {
    WrapperFixture::SetUp();
    makeCurrentLayer(L"DRAW");
  }
  static AcGePoint3dArray points(std::initializer_list<AcGePoint3d> list) {
    AcGePoint3dArray a;
    for (const AcGePoint3d& p : list) a.append(p);
    return a;
  }
  void expectInModelSpaceOnCurrentLayer(AcDbObjectId id) {
    ASSERT_FALSE(id.isNull());
    CKVLCEntityPtr ent(id);
    ASSERT_TRUE(ent.isOpen()) << Acad::statusText(ent.status());
    EXPECT_EQ(ent->ownerId(), db->modelSpaceId());
    EXPECT_EQ(ent->layerId(), db->clayer());
    EXPECT_EQ(ent->colorIndex(), 256);
    EXPECT_EQ(layerOf(id), L"DRAW");
  }
};

TEST_F(DrawTest, LineWithAndWithoutPointer) {
  const size_t before = entities().size();
  AcDbObjectId closed = CKVLCDraw::line(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6));
  expectInModelSpaceOnCurrentLayer(closed);

  CKVLCLinePtr held;
  AcDbObjectId open = CKVLCDraw::line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 1), &held);
  ASSERT_TRUE(held.isOpen());
  EXPECT_EQ(held.objectId(), open);
  EXPECT_TRUE(held.isWriteEnabled());
  EXPECT_EQ(held->setEndPoint(AcGePoint3d(2, 2, 2)), Acad::eOk);
  held.close();
  expectInModelSpaceOnCurrentLayer(open);
  EXPECT_EQ(entities().size(), before + 2);

  CKVLCLinePtr line(closed);
  EXPECT_EQ(line->startPoint(), AcGePoint3d(1, 2, 3));
  EXPECT_EQ(line->endPoint(), AcGePoint3d(4, 5, 6));
}

TEST_F(DrawTest, TriangleFaceRepeatsItsThirdCornerAndItsFlagsAreItsSides) {
  struct Case {
    bool v1, v2, v3;
  };
  for (const Case& c : std::vector<Case>{{true, true, true}, {false, true, true}, {true, false, false}}) {
    AcDbObjectId id =
        CKVLCDraw::face(AcGePoint3d(0, 0, 1), AcGePoint3d(4, 0, 2), AcGePoint3d(0, 3, 3), c.v1, c.v2, c.v3);
    expectInModelSpaceOnCurrentLayer(id);
    CKVLCFacePtr face(id);
    AcGePoint3d p2, p3;
    face->getVertexAt(2, p2);
    face->getVertexAt(3, p3);
    EXPECT_EQ(p2, AcGePoint3d(0, 3, 3));
    EXPECT_EQ(p3, p2);
    const bool want[4] = {c.v1, c.v2, c.v3, c.v3};
    for (Adesk::UInt16 e = 0; e < 4; ++e) {
      Adesk::Boolean visible = !want[e];
      face->isEdgeVisibleAt(e, visible);
      EXPECT_EQ(bool(visible), want[e]) << "edge " << e;
    }
  }
}

TEST_F(DrawTest, QuadFaceKeepsCornersAndEdges) {
  CKVLCFacePtr held;
  AcDbObjectId id = CKVLCDraw::face(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 1), AcGePoint3d(10, 10, 2),
                                    AcGePoint3d(0, 10, 3), true, false, true, false, &held);
  ASSERT_TRUE(held.isOpen());
  EXPECT_EQ(held->invisibleEdgeFlags(), 0b1010);
  held.close();
  expectInModelSpaceOnCurrentLayer(id);
}

TEST_F(DrawTest, LightweightPolylineTakesWidthClosedFlagAndFirstElevation) {
  CKVLCPolylineLWPtr held;
  AcDbObjectId id = CKVLCDraw::polylineLW(points({{0, 0, 7}, {5, 0, 8}, {5, 5, 9}}), 0.25, 1, &held);
  ASSERT_TRUE(held.isOpen());
  EXPECT_TRUE(held->isClosed());
  EXPECT_DOUBLE_EQ(held->elevation(), 7);
  double width = -1;
  EXPECT_EQ(held->getConstantWidth(width), Acad::eOk);
  EXPECT_DOUBLE_EQ(width, 0.25);
  held.close();
  expectInModelSpaceOnCurrentLayer(id);

  CKVLCPolylineLWPtr open(CKVLCDraw::polylineLW(points({{0, 0, 0}, {1, 1, 0}}), 0.0, 0));
  ASSERT_TRUE(open.isOpen());
  EXPECT_FALSE(open->isClosed());
  AcGePoint3dArray read;
  open.getVertexPoints(read);
  EXPECT_EQ(read.length(), 2);
}

TEST_F(DrawTest, ThreeDPolylineKeepsItsPoints) {
  AcDbObjectId id = CKVLCDraw::polyline3d(points({{0, 0, 1}, {1, 2, 3}, {4, 5, 6}}), 0);
  expectInModelSpaceOnCurrentLayer(id);
  CKVLC3dPolylinePtr pline(id);
  EXPECT_FALSE(pline->isClosed());
  AcGePoint3dArray read;
  ASSERT_EQ(pline.getVertexPoints(read), Acad::eOk);
  ASSERT_EQ(read.length(), 3);
  EXPECT_EQ(read[1], AcGePoint3d(1, 2, 3));

  CKVLC3dPolylinePtr closed(CKVLCDraw::polyline3d(points({{0, 0, 1}, {1, 2, 3}}), 1));
  EXPECT_TRUE(closed->isClosed());
}

TEST_F(DrawTest, TooFewPointsOrABadWidthDrawNothing) {
  const size_t before = entities().size();
  CKVLCPolylineLWPtr held;
  EXPECT_TRUE(CKVLCDraw::polylineLW(points({}), 0.0, 0, &held).isNull());
  EXPECT_FALSE(held.isOpen());
  EXPECT_EQ(CKVLCDraw::lastStatus(), Acad::eInvalidInput);
  EXPECT_TRUE(CKVLCDraw::polylineLW(points({{1, 1, 1}}), 0.0, 0).isNull());
  EXPECT_TRUE(CKVLCDraw::polylineLW(points({{1, 1, 1}, {2, 2, 2}}), -1.0, 0).isNull());
  EXPECT_TRUE(CKVLCDraw::polyline3d(points({{1, 1, 1}}), 0).isNull());
  EXPECT_EQ(entities().size(), before);
  EXPECT_FALSE(CKVLCDraw::line(AcGePoint3d(), AcGePoint3d(1, 0, 0)).isNull());
  EXPECT_EQ(CKVLCDraw::lastStatus(), Acad::eOk);
}

TEST_F(DrawTest, DrawnEntitiesReadBackFromTheSavedDrawing) {
  CKVLCDraw::line(AcGePoint3d(100, 0, 0), AcGePoint3d(200, 0, 0));
  CKVLCDraw::polylineLW(points({{100, 10, 4}, {150, 10, 4}, {150, 60, 4}}), 0.0, 1);
  CKVLCDraw::polyline3d(points({{100, 20, 1}, {110, 20, 2}}), 0);
  CKVLCDraw::face(AcGePoint3d(100, 30, 0), AcGePoint3d(101, 30, 0), AcGePoint3d(101, 31, 0), true, true, false);
  saveAndReload();
  int drawn = 0;
  for (AcDbObjectId id : entities()) {
    if (layerOf(id) != L"DRAW") continue;
    ++drawn;
    if (CKVLCPolylineLWPtr lw(id); lw.isOpen()) {
      AcGePoint3dArray read;
      lw.getVertexPoints(read);
      ASSERT_EQ(read.length(), 3);
      EXPECT_EQ(read[2], AcGePoint3d(150, 60, 4));
      EXPECT_TRUE(lw->isClosed());
    }
    if (CKVLCFacePtr face(id); face.isOpen()) { EXPECT_EQ(face->invisibleEdgeFlags(), 0b1100); }
  }
  EXPECT_EQ(drawn, 4);
}

}  // namespace
}  // namespace uvtest
