// The renderer's parts on their own: palette, view mapping, dash patterns
// and block placements.
#include <gtest/gtest.h>

#include <cmath>

#include "db/AcDbBlockReference.h"
#include "host/render/AciPalette.h"
#include "host/render/DashPattern.h"
#include "host/render/Placement.h"
#include "host/render/ViewMapping.h"

using namespace uv::render;

TEST(AciPalette, NamedColoursAndTheBackground) {
  struct Case {
    int index, r, g, b;
  };
  // The named colours, the greys, and the fully saturated member of some hues.
  const Case cases[] = {{1, 255, 0, 0},     {2, 255, 255, 0},   {3, 0, 255, 0},      {4, 0, 255, 255},
                        {5, 0, 0, 255},     {6, 255, 0, 255},   {7, 255, 255, 255},  {8, 128, 128, 128},
                        {9, 192, 192, 192}, {10, 255, 0, 0},    {50, 255, 255, 0},   {90, 0, 255, 0},
                        {130, 0, 255, 255}, {170, 0, 0, 255},   {210, 255, 0, 255},  {250, 51, 51, 51},
                        {255, 255, 255, 255}};
  for (const Case& c : cases) EXPECT_EQ(AciPalette::rgb(c.index), QColor(c.r, c.g, c.b)) << "ACI " << c.index;
  EXPECT_EQ(AciPalette::rgb(0), QColor(0, 0, 0));
  EXPECT_EQ(AciPalette::rgb(256), QColor(0, 0, 0));
  EXPECT_EQ(AciPalette::onBackground(7, Qt::white), QColor(0, 0, 0));
  EXPECT_EQ(AciPalette::onBackground(7, Qt::black), QColor(255, 255, 255));
  EXPECT_EQ(AciPalette::onBackground(1, Qt::white), QColor(255, 0, 0));
}

TEST(ViewMapping, PlanAxesAndFitting) {
  const ViewMapping view(AcGePoint3d(10, 20, 0), 50, QSize(200, 100));  // 2 pixels a unit
  EXPECT_EQ(view.toPixel(10, 20), QPointF(100, 50));
  EXPECT_EQ(view.toPixel(15, 25), QPointF(110, 40));  // y up becomes y down
  const AcGePoint3d back = view.toDrawing(QPointF(37, 81));
  EXPECT_EQ(view.toPixel(back), QPointF(37, 81));
  EXPECT_EQ(view.transform().map(QPointF(15, 25)), QPointF(110, 40));

  struct Case {
    AcDbExtents box;
    QSize size;
    double pixelsPerUnit;
  };
  const Case cases[] = {
      {AcDbExtents(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 10, 0)), QSize(120, 120), 1.0},  // width decides
      {AcDbExtents(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 200, 0)), QSize(120, 220), 1.0},  // height decides
      {AcDbExtents(AcGePoint3d(5, 0, 0), AcGePoint3d(5, 50, 0)), QSize(120, 120), 2.0},   // no width
      {AcDbExtents(AcGePoint3d(5, 5, 0), AcGePoint3d(5, 5, 0)), QSize(120, 120), 10.0},   // a point: 10 units
  };
  for (const Case& c : cases) {
    const ViewMapping fit = ViewMapping::fitting(c.box, c.size, 10);
    EXPECT_NEAR(fit.pixelsPerUnit(), c.pixelsPerUnit, 1e-9) << c.size.width() << "x" << c.size.height();
    const AcGePoint3d mid((c.box.minPoint().x + c.box.maxPoint().x) / 2, (c.box.minPoint().y + c.box.maxPoint().y) / 2, 0);
    EXPECT_EQ(fit.toPixel(mid), QPointF(c.size.width() / 2.0, c.size.height() / 2.0));
  }
  EXPECT_EQ(ViewMapping::fitting(AcDbExtents(), QSize(100, 100), 5).centre(), AcGePoint3d(0, 0, 0));
}

TEST(DashPattern, DashesRunOnAcrossVertices) {
  // 10 on, 5 off along an L of 15 + 25 pixels.
  const DashPattern pattern({10, -5});
  const QPolygonF line({QPointF(0, 0), QPointF(15, 0), QPointF(15, 25)});
  const DashPattern::Pieces pieces = pattern.apply(line);
  ASSERT_EQ(pieces.dashes.size(), 3u);
  EXPECT_EQ(pieces.dashes[0], QPolygonF({QPointF(0, 0), QPointF(10, 0)}));
  // The second dash turns the corner.
  EXPECT_EQ(pieces.dashes[1], QPolygonF({QPointF(15, 0), QPointF(15, 10)}));
  EXPECT_EQ(pieces.dashes[2], QPolygonF({QPointF(15, 15), QPointF(15, 25)}));
  EXPECT_TRUE(pieces.dots.empty());
}

TEST(DashPattern, DotsDenseAndContinuousPatterns) {
  const DashPattern dotted({0, -4});
  const DashPattern::Pieces dots = dotted.apply(QPolygonF({QPointF(0, 0), QPointF(10, 0)}));
  EXPECT_TRUE(dots.dashes.empty());
  ASSERT_EQ(dots.dots.size(), 3u);  // at 0, 4 and 8
  EXPECT_EQ(dots.dots[2], QPointF(8, 0));

  const QPolygonF line({QPointF(0, 0), QPointF(100, 0)});
  for (const DashPattern& solid : {DashPattern(), DashPattern({1, -1}), DashPattern({5, 5}),
                                   DashPattern::scaled({0.5, -0.25}, 1.0)}) {
    EXPECT_TRUE(solid.isContinuous());
    const DashPattern::Pieces p = solid.apply(line);
    ASSERT_EQ(p.dashes.size(), 1u);
    EXPECT_EQ(p.dashes[0], line);
  }
  EXPECT_EQ(DashPattern::scaled({0.5, -0.25}, 10.0).period(), 7.5);
}

TEST(Placement, FollowsTheReferenceAndNests) {
  AcDbBlockReference ref(AcGePoint3d(100, 50, 0), AcDbObjectId());
  ref.setRotation(M_PI / 2);
  ref.setScaleFactors(AcGeScale3d(2, 3, 1));
  const Placement p = Placement::of(ref);
  for (const AcGePoint3d& q : {AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(2, -3, 4)})
    EXPECT_TRUE(p.apply(q).isEqualTo(ref.blockToWorld(q)));
  EXPECT_NEAR(p.planScale(), 3, 1e-12);
  EXPECT_TRUE(Placement().isIdentity());

  // A reference inside a reference: inner first, then outer.
  AcDbBlockReference outer(AcGePoint3d(-10, 0, 0), AcDbObjectId());
  outer.setScaleFactors(AcGeScale3d(0.5));
  const Placement both = p.then(Placement::of(outer));
  const AcGePoint3d q(2, -3, 0);
  EXPECT_TRUE(both.apply(q).isEqualTo(outer.blockToWorld(ref.blockToWorld(q))));
  const QPointF turned = both.planLinear().map(QPointF(1, 0));
  EXPECT_NEAR(turned.x(), 0, 1e-12);
  EXPECT_NEAR(turned.y(), 1, 1e-12);
}
