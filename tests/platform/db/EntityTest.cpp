// Entity properties, the entity kinds and their sub-entities.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "TestDrawing.h"

using uvtest::addToModelSpace;

namespace {

AcDbObjectId addLayer(AcDbDatabase& db, const wchar_t* name) {
  AcDbLayerTable* layers = nullptr;
  EXPECT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
  auto* rec = new AcDbLayerTableRecord;
  EXPECT_EQ(rec->setName(name), Acad::eOk);
  AcDbObjectId id;
  EXPECT_EQ(layers->add(id, rec), Acad::eOk);
  rec->close();
  layers->close();
  return id;
}

std::wstring taken(ACHAR* s) {
  std::wstring out = s ? s : L"(null)";
  acutDelString(s);
  return out;
}

TEST(Entity, RuntimeClassesAnswerAsTheirKind) {
  AcDbPolyline lw;
  AcDb2dPolyline p2;
  AcDb3dPolyline p3;
  EXPECT_TRUE(lw.isKindOf(AcDbCurve::desc()));
  EXPECT_TRUE(lw.isKindOf(AcDbEntity::desc()));
  EXPECT_FALSE(lw.isKindOf(AcDbLine::desc()));
  EXPECT_EQ(AcDbPolyline::cast(&lw), &lw);
  EXPECT_EQ(AcDbLine::cast(&lw), nullptr);
  EXPECT_EQ(AcDbLine::cast(nullptr), nullptr);
  EXPECT_STREQ(lw.isA()->dxfName(), L"LWPOLYLINE");
  EXPECT_STREQ(p2.isA()->dxfName(), L"POLYLINE");
  EXPECT_STREQ(p3.isA()->dxfName(), L"POLYLINE");
  EXPECT_STREQ(AcDbFace::desc()->dxfName(), L"3DFACE");
  EXPECT_STREQ(AcDbBlockReference::desc()->dxfName(), L"INSERT");
  EXPECT_STREQ(p2.isA()->name(), L"AcDb2dPolyline");
}

TEST(Entity, PropertiesAreCheckedAgainstTheTables) {
  AcDbDatabase db;
  addLayer(db, L"Teren");
  auto* line = new AcDbLine;
  const AcDbObjectId id = addToModelSpace(db, line);
  AcDbEntityPointer e(id, AcDb::kForWrite);
  EXPECT_EQ(e->setLayer(L"teren"), Acad::eOk);  // layer names ignore letter case
  EXPECT_EQ(taken(e->layer()), L"Teren");
  EXPECT_EQ(e->setLayer(L"Nema"), Acad::eKeyNotFound);
  EXPECT_EQ(taken(e->layer()), L"Teren");
  EXPECT_EQ(e->setLinetype(L"DASHED"), Acad::eUndefinedLineType);
  EXPECT_EQ(e->setLinetype(L"continuous"), Acad::eOk);
  EXPECT_EQ(taken(e->linetype()), L"Continuous");

  struct ColorCase { Adesk::UInt16 index; Acad::ErrorStatus es; };
  for (const ColorCase c : {ColorCase{0, Acad::eOk}, {1, Acad::eOk}, {255, Acad::eOk}, {256, Acad::eOk}, {257, Acad::eInvalidInput}}) {
    EXPECT_EQ(e->setColorIndex(c.index), c.es) << c.index;
    if (c.es == Acad::eOk) {
      EXPECT_EQ(e->colorIndex(), c.index);
    }
  }
  EXPECT_EQ(e->colorIndex(), 256);
  for (int w : {-3, -2, -1, 0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211})
    EXPECT_EQ(e->setLineWeight(AcDb::LineWeight(w)), Acad::eOk) << w;
  for (int w : {-4, 1, 7, 212, 1000}) EXPECT_EQ(e->setLineWeight(AcDb::LineWeight(w)), Acad::eInvalidInput) << w;
  EXPECT_EQ(e->lineWeight(), AcDb::kLnWt211);
  e.close();
  EXPECT_SOUND(db);
}

TEST(Entity, MovingBetweenDrawingsFindsTheLayerByName) {
  AcDbDatabase a, b;
  addLayer(a, L"Teren");
  auto* line = new AcDbLine;
  ASSERT_EQ(line->setLayer(addLayer(b, L"Teren")), Acad::eOk);
  addToModelSpace(a, line);
  EXPECT_EQ(line->layerId().database(), &a);
  EXPECT_EQ(taken(line->layer()), L"Teren");

  auto* orphan = new AcDbLine;
  orphan->setLayer(addLayer(b, L"OnlyInB"));
  AcDbBlockTableRecordPointer ms(a.modelSpaceId(), AcDb::kForWrite);
  EXPECT_EQ(ms->appendAcDbEntity(orphan), Acad::eWrongDatabase);
  delete orphan;  // still the caller's
  ms.close();
  EXPECT_SOUND(a);
}

TEST(LwPolyline, VerticesBulgesAndElevation) {
  AcDbPolyline pl;
  EXPECT_EQ(pl.addVertexAt(0, AcGePoint2d(0, 0)), Acad::eOk);
  EXPECT_EQ(pl.addVertexAt(99, AcGePoint2d(10, 0), 1.0), Acad::eOk);  // past the end: appended
  EXPECT_EQ(pl.addVertexAt(1, AcGePoint2d(5, 5)), Acad::eOk);
  ASSERT_EQ(pl.numVerts(), 3u);
  AcGePoint2d p;
  pl.getPointAt(1, p);
  EXPECT_EQ(p, AcGePoint2d(5, 5));
  double bulge = 0;
  ASSERT_EQ(pl.getBulgeAt(2, bulge), Acad::eOk);
  EXPECT_EQ(bulge, 1.0);
  EXPECT_EQ(pl.getBulgeAt(3, bulge), Acad::eInvalidIndex);
  EXPECT_EQ(pl.setBulgeAt(3, 0.5), Acad::eInvalidIndex);
  EXPECT_EQ(pl.removeVertexAt(3), Acad::eInvalidIndex);
  pl.setElevation(12.5);
  AcGePoint3d p3;
  pl.getPointAt(2, p3);
  EXPECT_EQ(p3, AcGePoint3d(10, 0, 12.5));
  EXPECT_EQ(pl.setConstantWidth(0.5), Acad::eOk);
  double w = 0;
  EXPECT_EQ(pl.getConstantWidth(w), Acad::eOk);
  EXPECT_EQ(w, 0.5);
  pl.setWidthsAt(0, 1, 2);
  EXPECT_EQ(pl.getConstantWidth(w), Acad::eInvalidInput);
  EXPECT_EQ(pl.removeVertexAt(1), Acad::eOk);
  EXPECT_EQ(pl.numVerts(), 2u);
  EXPECT_FALSE(pl.isClosed());
  pl.setClosed(true);
  EXPECT_TRUE(pl.isClosed());
  AcGePoint3d start, end;
  pl.getStartPoint(start);
  pl.getEndPoint(end);
  EXPECT_EQ(start, end);  // closed: the closing piece ends where it began
}

TEST(LwPolyline, SettersWithoutStatusThrowWhenReadOnly) {
  AcDbDatabase db;
  auto* pl = new AcDbPolyline;
  pl->addVertexAt(0, AcGePoint2d(0, 0));
  const AcDbObjectId id = addToModelSpace(db, pl);
  AcDbObjectPointer<AcDbPolyline> r(id, AcDb::kForRead);
  EXPECT_THROW(r->setClosed(true), uv::NotOpenForWrite);
  EXPECT_THROW(r->setElevation(3), uv::NotOpenForWrite);
  EXPECT_EQ(r->addVertexAt(1, AcGePoint2d(1, 1)), Acad::eNotOpenForWrite);
  EXPECT_EQ(r->numVerts(), 1u);
}

TEST(Polyline2d, VerticesAreOwnedObjectsErasedWithTheirPolyline) {
  AcDbDatabase db;
  const AcDbObjectId lom = addLayer(db, L"Lom");
  AcGePoint3dArray pts{AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(10, 10, 0)};
  AcGeDoubleArray bulges{0.0, 0.5, 0.0};
  auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 4.0, false, 0, 0, &bulges);
  ASSERT_EQ(pl->setLayer(L"Lom"), Acad::eNotInDatabase);  // no working database to look the name up in
  ASSERT_EQ(pl->setLayer(lom), Acad::eOk);
  const AcDbObjectId id = addToModelSpace(db, pl);
  EXPECT_SOUND(db);

  std::vector<AcDbObjectId> vertexIds;
  {
    AcDbObjectPointer<AcDb2dPolyline> poly(id, AcDb::kForRead);
    std::unique_ptr<AcDbObjectIterator> it(poly->vertexIterator());
    for (; !it->done(); it->step()) {
      AcDb2dVertex* v = nullptr;
      ASSERT_EQ(poly->openVertex(v, it->objectId(), AcDb::kForRead), Acad::eOk);
      EXPECT_EQ(taken(v->layer()), L"Lom");  // sub-entities follow their owner
      EXPECT_EQ(poly->vertexPosition(*v).z, 4.0);
      vertexIds.push_back(v->objectId());
      v->close();
    }
    ASSERT_EQ(vertexIds.size(), 3u);
    AcDb2dVertex* second = nullptr;
    ASSERT_EQ(acdbOpenObject(second, vertexIds[1], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(second->bulge(), 0.5);
    EXPECT_EQ(second->ownerId(), id);
    second->close();
    AcDbSequenceEnd* end = nullptr;
    ASSERT_EQ(poly->openSequenceEnd(end, AcDb::kForRead), Acad::eOk);
    end->close();
  }
  // A vertex erased on its own stays erased when the polyline comes back.
  {
    AcDbEntityPointer v0(vertexIds[0], AcDb::kForWrite);
    ASSERT_EQ(v0->erase(), Acad::eOk);
  }
  {
    AcDbEntityPointer poly(id, AcDb::kForWrite);
    ASSERT_EQ(poly->setColorIndex(3), Acad::eOk);
    ASSERT_EQ(poly->erase(), Acad::eOk);
  }
  for (const AcDbObjectId& v : vertexIds) EXPECT_TRUE(v.isErased());
  {
    AcDbEntityPointer poly(id, AcDb::kForWrite, true);
    ASSERT_EQ(poly->erase(false), Acad::eOk);
  }
  EXPECT_TRUE(vertexIds[0].isErased());
  EXPECT_FALSE(vertexIds[1].isErased());
  AcDbEntityPointer v1(vertexIds[1]);
  EXPECT_EQ(v1->colorIndex(), 3);  // doSubents passed the colour on
  v1.close();
  EXPECT_SOUND(db);
}

TEST(Polyline3d, AppendingToAPolylineInTheDatabase) {
  AcDbDatabase db;
  const AcDbObjectId id = addToModelSpace(db, new AcDb3dPolyline(AcDb::k3dSimplePoly, {AcGePoint3d(0, 0, 1)}));
  AcDbObjectPointer<AcDb3dPolyline> poly(id, AcDb::kForWrite);
  auto* v = new AcDb3dPolylineVertex(AcGePoint3d(5, 5, 2));
  AcDbObjectId vid;
  ASSERT_EQ(poly->appendVertex(vid, v), Acad::eOk);
  EXPECT_TRUE(v->isWriteEnabled());  // the caller closes it
  v->close();
  AcGePoint3d end;
  poly->getEndPoint(end);
  EXPECT_EQ(end, AcGePoint3d(5, 5, 2));
  // The new vertex came after the SEQEND was made; the order of ownership is still vertices, then SEQEND.
  std::vector<AcDbObjectId> owned;
  poly->getOwnedIds(owned);
  ASSERT_EQ(owned.size(), 3u);
  EXPECT_EQ(owned[1], vid);
  poly.close();
  EXPECT_SOUND(db);
}

// Vertices wait in a polyline that is not in a database; each may wait in
// it once, and all of them join, in order and no longer waiting, when it is added.
TEST(Polyline3d, VerticesWaitOnceAndJoinInOrder) {
  AcDbDatabase db;
  auto poly = std::make_unique<AcDb3dPolyline>();
  std::vector<AcDb3dPolylineVertex*> made;
  for (int i = 0; i < 1000; ++i) {
    made.push_back(new AcDb3dPolylineVertex(AcGePoint3d(i, 0, 0)));
    ASSERT_EQ(poly->appendVertex(made.back()), Acad::eOk);
  }
  EXPECT_EQ(poly->appendVertex(made[500]), Acad::eAlreadyInDb);
  EXPECT_EQ(poly->appendVertex(made.back()), Acad::eAlreadyInDb);
  const AcDbObjectId id = addToModelSpace(db, poly.release());
  AcDbObjectPointer<AcDb3dPolyline> added(id, AcDb::kForWrite);
  std::vector<AcDbObjectId> owned;
  added->getOwnedIds(owned);
  ASSERT_EQ(owned.size(), 1001u);  // the vertices, then the SEQEND
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(owned[i], made[i]->objectId()) << i;
  // Joined, a vertex is refused as one already in a database, not as one waiting.
  auto* again = made[10];
  EXPECT_EQ(added->appendVertex(again), Acad::eAlreadyInDb);
  added.close();
  EXPECT_SOUND(db);
}

TEST(BlockReference, AttributesAndDefinitions) {
  AcDbDatabase db;
  AcDbObjectId blockId;
  {
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord;
    block->setName(L"KVX_ELEV");
    // Entities appended before the block joins the database wait in it.
    ASSERT_EQ(block->appendAcDbEntity(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1)), Acad::eOk);
    ASSERT_EQ(block->appendAcDbEntity(new AcDbAttributeDefinition(AcGePoint3d(1, 0, 0), L"0.00", L"VISINA", L"Visina")), Acad::eOk);
    ASSERT_EQ(blocks->add(blockId, block), Acad::eOk);
    EXPECT_TRUE(block->hasAttributeDefinitions());
    block->close();
    blocks->close();
  }
  auto* ref = new AcDbBlockReference(AcGePoint3d(100, 200, 5), blockId);
  ref->setScaleFactors(AcGeScale3d(2));
  ref->setRotation(M_PI / 2);
  const AcDbObjectId refId = addToModelSpace(db, ref);
  AcDbObjectPointer<AcDbBlockReference> r(refId, AcDb::kForWrite);
  auto* att = new AcDbAttribute(r->blockToWorld(AcGePoint3d(1, 0, 0)), L"123.46", L"VISINA");
  AcDbObjectId attId;
  ASSERT_EQ(r->appendAttribute(attId, att), Acad::eOk);
  att->close();
  EXPECT_EQ(r->blockToWorld(AcGePoint3d(1, 0, 0)), AcGePoint3d(100, 202, 5));
  AcDbExtents ext;
  ASSERT_EQ(r->getGeomExtents(ext), Acad::eOk);
  EXPECT_NEAR(ext.minPoint().x, 98, 1e-9);  // circle of radius 1 scaled by 2
  EXPECT_NEAR(ext.maxPoint().y, 203, 1e-9);   // the attribute's top; the definition is not shown
  std::unique_ptr<AcDbObjectIterator> it(r->attributeIterator());
  ASSERT_FALSE(it->done());
  AcDbAttribute* a = nullptr;
  ASSERT_EQ(r->openAttribute(a, it->objectId(), AcDb::kForRead), Acad::eOk);
  EXPECT_STREQ(a->tagConst(), L"VISINA");
  EXPECT_STREQ(a->textStringConst(), L"123.46");
  a->close();
  EXPECT_EQ(r->openAttribute(a, blockId, AcDb::kForRead), Acad::eInvalidInput);
  ASSERT_EQ(r->erase(), Acad::eOk);
  EXPECT_TRUE(attId.isErased());
  r.close();
  EXPECT_SOUND(db);
}

TEST(Face, CornersAndEdgeVisibility) {
  AcDbFace face(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 1), true, false, true, true);
  AcGePoint3d p;
  ASSERT_EQ(face.getVertexAt(3, p), Acad::eOk);
  EXPECT_EQ(p, AcGePoint3d(1, 1, 1));  // a triangle repeats its last corner
  EXPECT_EQ(face.getVertexAt(4, p), Acad::eInvalidIndex);
  Adesk::Boolean visible = true;
  face.isEdgeVisibleAt(1, visible);
  EXPECT_FALSE(visible);
  EXPECT_EQ(face.makeEdgeVisibleAt(1), Acad::eOk);
  EXPECT_EQ(face.makeEdgeInvisibleAt(3), Acad::eOk);
  EXPECT_EQ(face.invisibleEdgeFlags(), 8);
  EXPECT_EQ(face.makeEdgeInvisibleAt(4), Acad::eInvalidIndex);
  EXPECT_EQ(face.setVertexAt(2, AcGePoint3d(2, 2, 2)), Acad::eOk);
  AcDbExtents e;
  face.getGeomExtents(e);
  EXPECT_EQ(e.maxPoint(), AcGePoint3d(2, 2, 2));
}

// The fourth corner is kept apart only when it differs from the third: every
// way of setting corners reads back the same four, copies included.
TEST(Face, TheFourthCornerReadsBackHoweverTheCornersWereSet) {
  const AcGePoint3d a(0, 0, 0), b(1, 0, 0), c(1, 1, 1), d(0, 1, 2), minusZero(0, 0, -0.0);
  struct Case {
    const char* what;
    std::function<AcDbFace()> make;
    AcGePoint3d corners[4];
  };
  const std::vector<Case> cases = {
      {"triangle", [&] { return AcDbFace(a, b, c); }, {a, b, c, c}},
      {"quad", [&] { return AcDbFace(a, b, c, d); }, {a, b, c, d}},
      {"quad whose fourth is the third", [&] { return AcDbFace(a, b, c, c); }, {a, b, c, c}},
      {"third moved keeps the old fourth",
       [&] {
         AcDbFace f(a, b, c);
         f.setVertexAt(2, d);
         return f;
       },
       {a, b, d, c}},
      {"third moved onto the fourth",
       [&] {
         AcDbFace f(a, b, c, d);
         f.setVertexAt(2, d);
         return f;
       },
       {a, b, d, d}},
      {"fourth set apart, then back onto the third",
       [&] {
         AcDbFace f(a, b, c);
         f.setVertexAt(3, d);
         f.setVertexAt(3, c);
         return f;
       },
       {a, b, c, c}},
      {"fourth of -0 beside a third of 0", [&] { return AcDbFace(a, b, a, minusZero); }, {a, b, a, minusZero}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const AcDbFace face = k.make();
    std::unique_ptr<AcDbObject> copy(face.clone());
    for (const AcDbFace* f : std::vector<const AcDbFace*>{&face, AcDbFace::cast(copy.get())}) {
      AcDbExtents expected;
      for (Adesk::UInt16 i = 0; i < 4; ++i) {
        AcGePoint3d p;
        ASSERT_EQ(f->getVertexAt(i, p), Acad::eOk);
        EXPECT_EQ(p, k.corners[i]) << i;
        EXPECT_EQ(std::signbit(p.z), std::signbit(k.corners[i].z)) << i;
        expected.addPoint(k.corners[i]);
      }
      AcDbExtents e;
      f->getGeomExtents(e);
      EXPECT_EQ(e.minPoint(), expected.minPoint());
      EXPECT_EQ(e.maxPoint(), expected.maxPoint());
    }
  }
}

TEST(Extents, CurvesIncludeTheirBulgingParts) {
  struct Case {
    const char* what;
    std::unique_ptr<AcDbEntity> ent;
    AcGePoint3d min, max;
  };
  auto lw = std::make_unique<AcDbPolyline>();
  lw->addVertexAt(0, AcGePoint2d(0, 0), 1.0);  // a half circle to the right of the chord... seen from +z, below it
  lw->addVertexAt(1, AcGePoint2d(2, 0));
  lw->setElevation(3);
  Case cases[] = {
      {"quarter arc", std::make_unique<AcDbArc>(AcGePoint3d(1, 1, 0), 2, 0, M_PI / 2), {1, 1, 0}, {3, 3, 0}},
      {"arc over the 0 angle", std::make_unique<AcDbArc>(AcGePoint3d(0, 0, 0), 1, -M_PI / 4, M_PI / 4),
       {std::cos(M_PI / 4), -std::sin(M_PI / 4), 0}, {1, std::sin(M_PI / 4), 0}},
      {"circle", std::make_unique<AcDbCircle>(AcGePoint3d(5, 5, 1), AcGeVector3d::kZAxis, 2), {3, 3, 1}, {7, 7, 1}},
      {"upright circle", std::make_unique<AcDbCircle>(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis, 1), {0, -1, -1}, {0, 1, 1}},
      {"bulged polyline", std::move(lw), {0, -1, 3}, {2, 0, 3}},
      {"point", std::make_unique<AcDbPoint>(AcGePoint3d(4, 5, 6)), {4, 5, 6}, {4, 5, 6}},
  };
  for (Case& c : cases) {
    AcDbExtents e;
    ASSERT_EQ(c.ent->getGeomExtents(e), Acad::eOk) << c.what;
    EXPECT_TRUE(e.minPoint().isEqualTo(c.min, AcGeTol(1e-9, 1e-9))) << c.what;
    EXPECT_TRUE(e.maxPoint().isEqualTo(c.max, AcGeTol(1e-9, 1e-9))) << c.what;
  }
  AcDbPolyline empty;
  AcDbExtents e;
  EXPECT_EQ(empty.getGeomExtents(e), Acad::eInvalidExtents);
}

TEST(Arc, EndPointsFollowTheAngles) {
  AcDbArc arc(AcGePoint3d(1, 1, 2), 2, 0, M_PI / 2);
  AcGePoint3d s, e;
  arc.getStartPoint(s);
  arc.getEndPoint(e);
  EXPECT_TRUE(s.isEqualTo(AcGePoint3d(3, 1, 2), AcGeTol(1e-12, 1e-12)));
  EXPECT_TRUE(e.isEqualTo(AcGePoint3d(1, 3, 2), AcGeTol(1e-12, 1e-12)));
  EXPECT_EQ(arc.setRadius(0), Acad::eInvalidInput);
}

}  // namespace
