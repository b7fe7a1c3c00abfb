// SPDX-License-Identifier: GPL-3.0-or-later
// Contours in the drawing, finding them along a path, labels on their wipeouts, and layers.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <cmath>

#include "EngineTestSupport.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
#include "db/AcDbLinetypeTableRecord.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "db/AcDbWipeout.h"
#include "ed/ModelSpace.h"
#include "product/engine/CIzoLine.h"
#include "product/engine/CKVLIzoLineManager.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/ContourTag.h"

namespace uv::engine::test {
namespace {

// A cone: closed circular contours around (50, 50), z = 100 - distance.
CKVLXsurface_Vantor2* cone(CKVLSurfaceManager& m, const wchar_t* name) {
  CKVLXsurface_Vantor2* s = m.CreateSurface(name, 0, nullptr, false);
  CUniquePointSet set;
  set.AddPoint(AcGePoint3d(50, 50, 100));
  for (int ring = 1; ring <= 5; ++ring)
    for (int k = 0; k < 36; ++k) {
      const double a = k * 10.0 * 3.14159265358979323846 / 180.0, r = ring * 10.0;
      set.AddPoint(AcGePoint3d(50 + r * std::cos(a), 50 + r * std::sin(a), 100 - r));
    }
  s->SetPoints(set);
  return s;
}

// A ramp: z = x over 0..100, so contours are straight open lines x = level.
CKVLXsurface_Vantor2* ramp(CKVLSurfaceManager& m, const wchar_t* name) {
  CKVLXsurface_Vantor2* s = m.CreateSurface(name, 0, nullptr, false);
  CUniquePointSet set;
  for (int i = 0; i <= 10; ++i)
    for (int j = 0; j <= 10; ++j) set.AddPoint(AcGePoint3d(i * 10.0, j * 10.0, i * 10.0));
  s->SetPoints(set);
  return s;
}

AcDbObjectIdArray contoursAt(CKVLXsurface_Vantor2* s, double level, int atZero = 0) {
  CKVLIzoLineManager manager;
  manager.Surface(s);
  AcDbObjectIdArray ids;
  manager.Create(level, 1, ids, atZero);
  return ids;
}

TEST(Contours, AreTaggedPolylinesAtTheirLevelOrAtZero) {
  TestDrawing drawing;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  CKVLXsurface_Vantor2* s = cone(m, L"Cone");
  const AcDbObjectIdArray ids = contoursAt(s, 75.0);
  ASSERT_EQ(ids.length(), 1);
  AcDbObjectPointer<AcDbPolyline> line(ids[0], AcDb::kForRead);
  ASSERT_EQ(line.openStatus(), Acad::eOk);
  EXPECT_TRUE(line->isClosed());
  EXPECT_DOUBLE_EQ(line->elevation(), 75.0);
  for (unsigned i = 0; i < line->numVerts(); ++i) {
    AcGePoint2d p;
    line->getPointAt(i, p);
    EXPECT_LT(std::fabs(std::hypot(p.x - 50, p.y - 50) - 25.0), 0.5);  // chords of the circle r = 25
  }
  const auto tag = contourTagOf(*line.object());
  ASSERT_TRUE(tag);
  EXPECT_EQ(tag->surface, L"Cone");
  EXPECT_DOUBLE_EQ(tag->level, 75.0);
  line.close();

  const AcDbObjectIdArray flat = contoursAt(s, 80.0, 1);
  ASSERT_EQ(flat.length(), 1);
  AcDbObjectPointer<AcDbPolyline> atZero(flat[0], AcDb::kForRead);
  EXPECT_DOUBLE_EQ(atZero->elevation(), 0.0);
  EXPECT_EQ(contoursAt(s, 120.0).length(), 0);  // above the summit
}

TEST(Contours, SelectFindsOnlyTheCrossedContoursOfItsSurface) {
  TestDrawing drawing;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  CKVLXsurface_Vantor2* r = ramp(m, L"Ramp");
  CKVLXsurface_Vantor2* other = ramp(m, L"Other");
  AcDbObjectIdArray wanted;
  for (double level : {20.0, 40.0, 60.0}) wanted.append(contoursAt(r, level)[0]);
  contoursAt(other, 40.0);  // same place, another surface
  CKVLIzoLineManager manager;
  manager.Surface(r);
  AcDbObjectIdArray found;
  // From x = 30 to x = 70: crosses 40 and 60 only.
  const AcGePoint3dArray path{AcGePoint3d(30, 50, 0), AcGePoint3d(50, 55, 0), AcGePoint3d(70, 50, 0)};
  EXPECT_EQ(manager.Select(path, found), 2);
  EXPECT_TRUE(found.contains(wanted[1]) && found.contains(wanted[2]));
  EXPECT_EQ(manager.Select(AcGePoint3dArray{AcGePoint3d(30, 50, 0)}, found), 0);
  CKVLIzoLineManager none;
  EXPECT_EQ(none.Select(path, found), 0);
}

// The label's wipeout: four corners in plan, each at most `half` along and `halfUp` across the
// contour from the label's centre.
void expectMaskAround(AcDbObjectId id, const AcGePoint3d& centre, double angle, double halfAlong, double halfUp) {
  AcDbObjectPointer<AcDbWipeout> mask(id, AcDb::kForRead);
  ASSERT_EQ(mask.openStatus(), Acad::eOk);
  AcGePoint3dArray corners;
  ASSERT_EQ(mask->getVertices(corners), Acad::eOk);
  ASSERT_EQ(corners.length(), 5);  // closed: the first corner repeated
  for (const AcGePoint3d& c : corners) {
    const double dx = c.x - centre.x, dy = c.y - centre.y;
    EXPECT_NEAR(std::fabs(dx * std::cos(angle) + dy * std::sin(angle)), halfAlong, 1e-9);
    EXPECT_NEAR(std::fabs(-dx * std::sin(angle) + dy * std::cos(angle)), halfUp, 1e-9);
  }
}

// Labels: the text, its angle (upright), and the wipeout beneath it; the contour stays whole.
TEST(Labels, AreUprightLevelTextsOnAWipeoutOverTheWholeContour) {
  TestDrawing drawing;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  CKVLXsurface_Vantor2* r = ramp(m, L"Ramp");
  const AcDbObjectId contour = contoursAt(r, 45.5)[0];  // the line x = 45.5, y 0..100
  ASSERT_EQ(CIzoLine::LoadWipeout(), 1);
  auto definition = boost::make_shared<Vantor2_Configurations::CIzoLineLabelDefinition>();
  AcDbObjectIdArray labels;
  {
    CIzoLine line(contour);
    ASSERT_TRUE(line.IsOpen());
    ASSERT_EQ(line.DrawLabel(AcGePoint3d(45.5, 50, 0), definition, labels), 1);
    ASSERT_EQ(line.DrawLabel(AcGePoint3d(45.5, 80, 0), definition, labels), 1);
  }
  // Each label: its wipeout first, then the text, so the text is drawn on top.
  ASSERT_EQ(labels.length(), 4);
  AcDbObjectPointer<AcDbText> text(labels[1], AcDb::kForRead);
  ASSERT_EQ(text.openStatus(), Acad::eOk);
  EXPECT_STREQ(text->textStringConst(), L"45.5");
  // The contour runs along y; the label reads along it, never upside down.
  EXPECT_NEAR(std::fabs(text->rotation()), 3.14159265358979323846 / 2, 1e-9);
  EXPECT_LE(text->rotation(), 3.14159265358979323846 / 2 + 1e-9);
  EXPECT_TRUE(text->alignmentPoint().isEqualTo(AcGePoint3d(45.5, 50, 45.5)));
  const double angle = text->rotation();
  text.close();
  // "45.5": three digits and a point at height 2.5, a quarter of the height free all round.
  const double halfAlong = (3 * 0.9 + 0.45) * 2.5 / 2 + 0.25 * 2.5, halfUp = 2.5 / 2 + 0.25 * 2.5;
  expectMaskAround(labels[0], AcGePoint3d(45.5, 50, 0), angle, halfAlong, halfUp);
  expectMaskAround(labels[2], AcGePoint3d(45.5, 80, 0), angle, halfAlong, halfUp);

  // The contour is one polyline still, running the whole ramp.
  int pieces = 0;
  for (const auto& id : uv::ModelSpace::entities(drawing.db())) {
    AcDbObjectPointer<AcDbPolyline> piece(id, AcDb::kForRead);
    if (piece.openStatus() != Acad::eOk) continue;
    ++pieces;
    AcGePoint2d a, b;
    piece->getPointAt(0, a);
    piece->getPointAt(piece->numVerts() - 1, b);
    EXPECT_NEAR(std::fabs(b.y - a.y), 100.0, 1e-9);
  }
  EXPECT_EQ(pieces, 1);
}

TEST(Labels, TextFollowsTheLevelFormatAndAClosedContourStaysClosed) {
  Vantor2_Configurations::CIzoLineLabelDefinition d;
  EXPECT_EQ(d.FormatLevel(105.0), L"105");
  EXPECT_EQ(d.FormatLevel(102.5), L"102.5");
  EXPECT_EQ(d.FormatLevel(-0.001), L"0");
  d.m_bTrimZeros = false;
  EXPECT_EQ(d.FormatLevel(105.0), L"105.00");

  TestDrawing drawing;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  const AcDbObjectId ring = contoursAt(cone(m, L"Cone"), 70.0)[0];
  const unsigned vertices = [&] {
    AcDbObjectPointer<AcDbPolyline> line(ring, AcDb::kForRead);
    return line->numVerts();
  }();
  ASSERT_EQ(CIzoLine::LoadWipeout(), 1);
  AcDbObjectIdArray labels;
  {
    CIzoLine line(ring);
    // At the left of the ring the contour runs downwards (hill on its left), about -85 degrees
    // on the chord there: steep, but not upside down, so the text keeps that direction.
    ASSERT_EQ(line.DrawLabel(AcGePoint3d(20, 50, 0), boost::make_shared<Vantor2_Configurations::CIzoLineLabelDefinition>(), labels), 1);
  }
  ASSERT_EQ(labels.length(), 2);
  AcDbObjectPointer<AcDbText> text(labels[1], AcDb::kForRead);
  EXPECT_NEAR(text->rotation(), -85.0 * 3.14159265358979323846 / 180.0, 1e-6);
  AcDbObjectPointer<AcDbPolyline> line(ring, AcDb::kForRead);
  EXPECT_TRUE(line->isClosed());
  EXPECT_EQ(line->numVerts(), vertices);

  // A definition that does not mask gives the text alone.
  auto plain = boost::make_shared<Vantor2_Configurations::CIzoLineLabelDefinition>();
  plain->m_bMask = false;
  line.close();
  AcDbObjectIdArray more;
  CIzoLine again(ring);
  ASSERT_EQ(again.DrawLabel(AcGePoint3d(80, 50, 0), plain, more), 1);
  ASSERT_EQ(more.length(), 1);
  AcDbObjectPointer<AcDbText> alone(more[0], AcDb::kForRead);
  EXPECT_EQ(alone.openStatus(), Acad::eOk);
}

TEST(Layers, SetOnLayerMakesTheLayerWithColourAndLoadedLinetype) {
  TestDrawing drawing;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  CKVLXsurface_Vantor2* s = ramp(m, L"Teren");
  CKVLLayerManager* layers = m.GetSurfaceDescription(L"Teren")->GetLayerManager();
  for (int type = 1; type <= 6; ++type) ASSERT_NE(layers->GetLayer(type), nullptr) << type;
  EXPECT_EQ(layers->GetLayer(7), nullptr);
  EXPECT_EQ(layers->GetLayer(3)->m_strName, L"Teren_BOUNDARY");
  const AcDbObjectIdArray ids = contoursAt(s, 50.0);
  ASSERT_TRUE(layers->SetOnLayer(CKVLLayerManager::kBoundary, ids));  // DASHED, not in a new drawing

  AcDbObjectPointer<AcDbLayerTable> table(drawing.db()->layerTableId(), AcDb::kForRead);
  AcDbObjectId layerId;
  ASSERT_EQ(table->getAt(L"Teren_BOUNDARY", layerId), Acad::eOk);
  table.close();
  AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
  EXPECT_EQ(layer->color().colorIndex(), 1);
  AcDbObjectPointer<AcDbLinetypeTableRecord> linetype(layer->linetypeObjectId(), AcDb::kForRead);
  EXPECT_EQ(linetype->nameText(), L"DASHED");
  EXPECT_GT(linetype->numDashes(), 0);
  {
    AcDbObjectPointer<AcDbPolyline> line(ids[0], AcDb::kForRead);
    EXPECT_EQ(line->layerId(), layerId);
  }

  // An existing layer keeps what the user gave it; an empty list moves nothing and succeeds.
  layers->GetLayer(3)->m_nColor = 5;
  EXPECT_TRUE(layers->SetOnLayer(3, AcDbObjectIdArray()));
  EXPECT_TRUE(layers->SetOnLayer(3, ids));
  EXPECT_EQ(layer->color().colorIndex(), 1);
}

}  // namespace
}  // namespace uv::engine::test
