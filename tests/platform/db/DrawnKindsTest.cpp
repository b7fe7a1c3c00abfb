// Ellipses, splines and paragraph texts: their geometry, what they refuse
// and what they show.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "base/TextCase.h"
#include "db/AcDbEllipse.h"
#include "db/AcDbMText.h"
#include "db/AcDbSpline.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The box of a dense sampling, for an independent check of exact extents.
AcDbExtents sampledBox(const AcDbEllipse& e) {
  AcDbExtents box;
  for (const AcGePoint3d& p : e.sample(200000)) box.addPoint(p);
  return box;
}

}  // namespace

TEST(Ellipse, PointsFollowTheParameterAndTheNormal) {
  // Centre (10, 5), major axis 4 along x, ratio 0.5: minor axis 2 along y
  // (normal z); with the normal -z the minor axis points down.
  AcDbEllipse e;
  ASSERT_EQ(e.set(AcGePoint3d(10, 5, 0), AcGeVector3d(0, 0, 1), AcGeVector3d(4, 0, 0), 0.5), Acad::eOk);
  EXPECT_TRUE(e.minorAxis().isEqualTo(AcGeVector3d(0, 2, 0)));
  EXPECT_TRUE(e.pointAtParam(0).isEqualTo(AcGePoint3d(14, 5, 0)));
  EXPECT_TRUE(e.pointAtParam(kPi / 2).isEqualTo(AcGePoint3d(10, 7, 0)));
  EXPECT_TRUE(e.isClosed());
  AcDbEllipse down;
  ASSERT_EQ(down.set(AcGePoint3d(10, 5, 0), AcGeVector3d(0, 0, -1), AcGeVector3d(4, 0, 0), 0.5), Acad::eOk);
  EXPECT_TRUE(down.pointAtParam(kPi / 2).isEqualTo(AcGePoint3d(10, 3, 0)));
  // Every point satisfies the ellipse's equation in its axes.
  for (const AcGePoint3d& p : e.sample(64)) EXPECT_NEAR(std::pow((p.x - 10) / 4, 2) + std::pow((p.y - 5) / 2, 2), 1, 1e-12);
}

TEST(Ellipse, ArcsSweepCounterClockwiseFromStartToEnd) {
  const struct {
    double start, end, sweep;
  } cases[] = {
      {0, 2 * kPi, 2 * kPi},        // whole
      {1, 1, 2 * kPi},              // equal: whole
      {0.3, 4.0, 3.7},              // plain arc
      {5.0, 1.0, 2 * kPi - 4.0},    // across zero
      {-1.0, 1.0, 2.0},             // negative start
      {1e6, 1e6 + 1, 1.0},          // large parameters keep their difference
  };
  for (const auto& c : cases) {
    AcDbEllipse e;
    ASSERT_EQ(e.set(AcGePoint3d(), AcGeVector3d(0, 0, 1), AcGeVector3d(3, 0, 0), 1, c.start, c.end), Acad::eOk);
    EXPECT_NEAR(e.sweep(), c.sweep, 1e-9) << c.start << " " << c.end;
    EXPECT_EQ(e.isClosed(), c.sweep == 2 * kPi);
    AcGePoint3d first, last;
    ASSERT_EQ(e.getStartPoint(first), Acad::eOk);
    ASSERT_EQ(e.getEndPoint(last), Acad::eOk);
    EXPECT_LT(first.distanceTo(e.pointAtParam(c.start)), 1e-9);
    EXPECT_LT(last.distanceTo(e.pointAtParam(c.end)), 1e-9);
  }
}

TEST(Ellipse, ExtentsAreExactForTiltedArcs) {
  // A tilted ellipse in a tilted plane, whole and as arcs.
  const AcGeVector3d normal = AcGeVector3d(0.2, -0.3, 1).normal();
  const AcGeVector3d major = AcGeVector3d(1, 1, 0).crossProduct(normal).normal() * 7;
  for (const auto& [start, end] : {std::pair{0.0, 2 * kPi}, {0.4, 2.5}, {3.0, 0.5}, {-2.0, -1.0}}) {
    AcDbEllipse e;
    ASSERT_EQ(e.set(AcGePoint3d(3, -2, 1), normal, major, 0.35, start, end), Acad::eOk);
    AcDbExtents exact;
    ASSERT_EQ(e.getGeomExtents(exact), Acad::eOk);
    const AcDbExtents sampled = sampledBox(e);
    EXPECT_LT(exact.minPoint().distanceTo(sampled.minPoint()), 1e-6) << start;
    EXPECT_LT(exact.maxPoint().distanceTo(sampled.maxPoint()), 1e-6) << start;
  }
}

TEST(Ellipse, RefusesShapesItCannotHold) {
  AcDbEllipse e;
  const AcGePoint3d c(1, 1, 0);
  const AcGeVector3d z(0, 0, 1), x(2, 0, 0);
  EXPECT_EQ(e.set(c, z, AcGeVector3d(), 0.5), Acad::eInvalidInput);          // no major axis
  EXPECT_EQ(e.set(c, AcGeVector3d(), x, 0.5), Acad::eInvalidInput);          // no normal
  EXPECT_EQ(e.set(c, z, AcGeVector3d(2, 0, 1), 0.5), Acad::eInvalidInput);   // axis off the plane
  EXPECT_EQ(e.set(c, z, x, 0), Acad::eInvalidInput);
  EXPECT_EQ(e.set(c, z, x, 1.5), Acad::eInvalidInput);
  EXPECT_EQ(e.set(c, z, x, 0.5, NAN, 1), Acad::eInvalidInput);
  EXPECT_EQ(e.set(AcGePoint3d(INFINITY, 0, 0), z, x, 0.5), Acad::eInvalidInput);
  // Nothing changed: still the default unit circle at the origin.
  EXPECT_TRUE(e.center().isEqualTo(AcGePoint3d()));
  EXPECT_DOUBLE_EQ(e.radiusRatio(), 1);
  // A ratio rounded a hair above 1 by another program is taken.
  EXPECT_EQ(e.set(c, z, x, 1 + 1e-12), Acad::eOk);
}

TEST(Spline, DrawsItsNurbsOrTheCurveThroughItsFitPoints) {
  AcDbSpline s;
  // Knots that do not fit the points are refused and change nothing.
  EXPECT_EQ(s.setNurbsData(3, {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}}, {0, 0, 0, 1, 1, 1}, {}),
            Acad::eInvalidInput);
  EXPECT_EQ(s.numControlPoints(), 0);
  uv::CurvePath path;
  EXPECT_FALSE(s.getCurvePath(path));
  // Fit points only: the curve passes through them.
  const std::vector<AcGePoint3d> fits = {{0, 0, 0}, {10, 8, 0}, {20, 2, 0}, {30, 10, 0}};
  ASSERT_EQ(s.setFitData(fits, 3), Acad::eOk);
  ASSERT_TRUE(s.getCurvePath(path));
  EXPECT_LT(path.front().start.distanceTo(fits.front()), 1e-12);
  EXPECT_LT(path.back().end.distanceTo(fits.back()), 1e-12);
  AcDbExtents box;
  ASSERT_EQ(s.getGeomExtents(box), Acad::eOk);
  EXPECT_LE(box.minPoint().y, 0);
  EXPECT_GE(box.maxPoint().y, 10);
  // Control points, when given, are what is drawn; weights make it rational.
  ASSERT_EQ(s.setNurbsData(2, {{10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, {0, 0, 0, 1, 1, 1}, {1, std::sqrt(0.5), 1}),
            Acad::eOk);
  EXPECT_TRUE(s.isRational());
  AcGePoint3d mid;
  ASSERT_EQ(s.getPointAtParam(0.5, mid), Acad::eOk);
  EXPECT_NEAR(std::hypot(mid.x, mid.y), 10, 1e-12);
  EXPECT_EQ(s.numFitPoints(), 4);  // kept alongside
}

TEST(MText, FormattingCodesAreStrippedToWhatAReaderSees) {
  const struct {
    const wchar_t* contents;
    const wchar_t* shown;
  } cases[] = {
      {L"plain", L"plain"},
      {L"{\\fArial|b1;Title} block\\Pline two", L"Title block\nline two"},
      {L"\\C1;red\\~word", L"red word"},
      {L"\\H2.5x;big \\W0.8;narrow \\Q15;slant \\T1.1;wide \\A1;mid", L"big narrow slant wide mid"},
      {L"\\LUnder\\l \\OOver\\o \\KStrike\\k", L"Under Over Strike"},
      {L"1\\S1/2; and \\S3^4; and \\S5#8;", L"11/2 and 3/4 and 5/8"},
      {L"45%%d %%p0.05 %%c600 100%%%", L"45\u00B0 \u00B10.05 \u2300" L"600 100%"},
      {L"\\U+00B0C and \\U+zz", L"\u00B0C and U+zz"},
      {L"a\\\\b\\{c\\}", L"a\\b{c}"},
      {L"\\pxqc;centred\\Nnext column", L"centred\nnext column"},
      {L"broken \\H2", L"broken "},
      {L"trailing \\", L"trailing \\"},
  };
  for (const auto& c : cases) EXPECT_EQ(AcDbMText::plainText(c.contents), c.shown) << uv::toUtf8(c.contents);
}

TEST(MText, LinesWrapAtTheWidthAndPlaceTheBlockByItsAttachment) {
  AcDbMText t;
  ASSERT_EQ(t.setTextHeight(1), Acad::eOk);
  ASSERT_EQ(t.setContents(L"one two three four\\Pfive"), Acad::eOk);
  EXPECT_EQ(t.lines(), (std::vector<std::wstring>{L"one two three four", L"five"}));
  // 0.6 per character: a width of 5 holds 8 characters.
  ASSERT_EQ(t.setWidth(5), Acad::eOk);
  EXPECT_EQ(t.lines(), (std::vector<std::wstring>{L"one two", L"three", L"four", L"five"}));
  ASSERT_EQ(t.setContents(L"unbreakable-word x"), Acad::eOk);
  EXPECT_EQ(t.lines(), (std::vector<std::wstring>{L"unbreakable-word", L"x"}));

  // Two lines of height 1, 5/3 apart: the block is 8/3 high and 5 wide.
  ASSERT_EQ(t.setContents(L"ab\\Pcd"), Acad::eOk);
  ASSERT_EQ(t.setLocation(AcGePoint3d(100, 50, 0)), Acad::eOk);
  const double h = 1 + 5.0 / 3.0;
  const struct {
    AcDbMText::AttachmentPoint at;
    double left, top;
  } cases[] = {{AcDbMText::kTopLeft, 100, 50}, {AcDbMText::kMiddleCenter, 97.5, 50 + h / 2},
               {AcDbMText::kBottomRight, 95, 50 + h}};
  for (const auto& c : cases) {
    ASSERT_EQ(t.setAttachment(c.at), Acad::eOk);
    AcDbExtents box;
    ASSERT_EQ(t.getGeomExtents(box), Acad::eOk);
    EXPECT_NEAR(box.minPoint().x, c.left, 1e-12) << c.at;
    EXPECT_NEAR(box.maxPoint().y, c.top, 1e-12) << c.at;
    EXPECT_NEAR(box.maxPoint().x - box.minPoint().x, 5, 1e-12);
    EXPECT_NEAR(box.maxPoint().y - box.minPoint().y, h, 1e-12);
  }
  // Turned a quarter: the block stands up along y.
  ASSERT_EQ(t.setAttachment(AcDbMText::kTopLeft), Acad::eOk);
  ASSERT_EQ(t.setRotation(kPi / 2), Acad::eOk);
  EXPECT_NEAR(t.rotation(), kPi / 2, 1e-12);
  AcDbExtents turned;
  ASSERT_EQ(t.getGeomExtents(turned), Acad::eOk);
  EXPECT_NEAR(turned.maxPoint().y - turned.minPoint().y, 5, 1e-9);
  EXPECT_NEAR(turned.maxPoint().x, 100 + h, 1e-9);
  EXPECT_EQ(t.setTextHeight(0), Acad::eInvalidInput);
  EXPECT_EQ(t.setDirection(AcGeVector3d()), Acad::eInvalidInput);
}
