// intersectWith between the curve kinds. Each point found is checked
// independently: it must lie on the first curve (in space) and on the
// second one as seen along the plane's normal, both measured against a
// dense sampling of the curves built here from their public properties.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbCircle.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"

namespace {

using Samples = std::vector<AcGePoint3d>;
constexpr int kPerPiece = 20000;

void sampleSegment(const AcGePoint3d& a, const AcGePoint3d& b, Samples& out) {
  for (int i = 0; i <= kPerPiece; ++i) out.push_back(a + (b - a) * (double(i) / kPerPiece));
}

// A bulged piece in a horizontal plane: the centre lies on the chord's
// perpendicular bisector, (chord/2) / tan(sweep/2) to the left of it.
void sampleBulge(const AcGePoint3d& a, const AcGePoint3d& b, double bulge, Samples& out) {
  if (bulge == 0) return sampleSegment(a, b, out);
  const double sweep = 4 * std::atan(bulge);
  const double dx = b.x - a.x, dy = b.y - a.y, chord = std::hypot(dx, dy);
  const double off = (chord / 2) / std::tan(sweep / 2);
  const double cx = (a.x + b.x) / 2 - dy / chord * off, cy = (a.y + b.y) / 2 + dx / chord * off;
  const double r = std::hypot(a.x - cx, a.y - cy), a0 = std::atan2(a.y - cy, a.x - cx);
  for (int i = 0; i <= kPerPiece; ++i) {
    const double t = a0 + sweep * i / kPerPiece;
    out.emplace_back(cx + r * std::cos(t), cy + r * std::sin(t), a.z);
  }
}

Samples sample(const AcDbEntity* e) {
  Samples s;
  if (auto* l = AcDbLine::cast(e)) {
    sampleSegment(l->startPoint(), l->endPoint(), s);
  } else if (auto* a = AcDbArc::cast(e)) {
    double sweep = a->endAngle() - a->startAngle();
    while (sweep <= 0) sweep += 2 * M_PI;
    for (int i = 0; i <= kPerPiece; ++i) {
      const double t = a->startAngle() + sweep * i / kPerPiece;
      s.push_back(a->center() + AcGeVector3d(std::cos(t), std::sin(t), 0) * a->radius());
    }
  } else if (auto* c = AcDbCircle::cast(e)) {
    for (int i = 0; i <= kPerPiece; ++i) {
      const double t = 2 * M_PI * i / kPerPiece;
      s.push_back(c->center() + AcGeVector3d(std::cos(t), std::sin(t), 0) * c->radius());
    }
  } else if (auto* p = AcDbPolyline::cast(e)) {
    const unsigned n = p->numVerts();
    for (unsigned i = 0; i + 1 < n || (p->isClosed() && i < n); ++i) {
      AcGePoint3d a3, b3;
      double bulge;
      p->getPointAt(i, a3);
      p->getPointAt((i + 1) % n, b3);
      p->getBulgeAt(i, bulge);
      sampleBulge(a3, b3, bulge, s);
    }
  } else if (auto* p2 = AcDb2dPolyline::cast(e)) {
    std::vector<std::pair<AcGePoint3d, double>> v;
    std::unique_ptr<AcDbObjectIterator> it(p2->vertexIterator());
    for (; !it->done(); it->step()) {
      auto* vx = AcDb2dVertex::cast(it->entity());
      v.emplace_back(AcGePoint3d(vx->position().x, vx->position().y, p2->elevation()), vx->bulge());
    }
    for (size_t i = 0; i + 1 < v.size() || (p2->isClosed() && i < v.size()); ++i)
      sampleBulge(v[i].first, v[(i + 1) % v.size()].first, v[i].second, s);
  } else if (auto* p3 = AcDb3dPolyline::cast(e)) {
    std::vector<AcGePoint3d> v;
    std::unique_ptr<AcDbObjectIterator> it(p3->vertexIterator());
    for (; !it->done(); it->step()) v.push_back(AcDb3dPolylineVertex::cast(it->entity())->position());
    for (size_t i = 0; i + 1 < v.size(); ++i) sampleSegment(v[i], v[i + 1], s);
  }
  return s;
}

double distance(const AcGePoint3d& p, const Samples& s, const AcGePlane* along = nullptr) {
  double best = INFINITY;
  for (const AcGePoint3d& q : s)
    best = std::min(best, along ? along->project(p).distanceTo(along->project(q)) : p.distanceTo(q));
  return best;
}

using Make = std::function<std::unique_ptr<AcDbEntity>()>;

Make line(double x0, double y0, double z0, double x1, double y1, double z1) {
  return [=] { return std::make_unique<AcDbLine>(AcGePoint3d(x0, y0, z0), AcGePoint3d(x1, y1, z1)); };
}
Make arc(double cx, double cy, double r, double a0, double a1) {
  return [=] { return std::make_unique<AcDbArc>(AcGePoint3d(cx, cy, 0), r, a0, a1); };
}
Make circle(double cx, double cy, double r) {
  return [=] { return std::make_unique<AcDbCircle>(AcGePoint3d(cx, cy, 0), AcGeVector3d::kZAxis, r); };
}
// Lightweight polyline from (x, y, bulge) triples.
Make lw(std::vector<std::array<double, 3>> v, bool closed = false, double elevation = 0) {
  return [=] {
    auto p = std::make_unique<AcDbPolyline>();
    for (const auto& [x, y, b] : v) p->addVertexAt(p->numVerts(), AcGePoint2d(x, y), b);
    p->setClosed(closed);
    p->setElevation(elevation);
    return p;
  };
}
Make poly2d(std::vector<std::array<double, 3>> v, double elevation) {
  return [=] {
    AcGePoint3dArray pts;
    AcGeDoubleArray bulges;
    for (const auto& [x, y, b] : v) {
      pts.append(AcGePoint3d(x, y, 0));
      bulges.append(b);
    }
    return std::make_unique<AcDb2dPolyline>(AcDb::k2dSimplePoly, pts, elevation, false, 0, 0, &bulges);
  };
}
Make poly3d(std::vector<AcGePoint3d> v) {
  return [=] {
    AcGePoint3dArray pts;
    for (const auto& p : v) pts.append(p);
    return std::make_unique<AcDb3dPolyline>(AcDb::k3dSimplePoly, pts);
  };
}

struct Case {
  const char* name;
  Make a, b;
  int expected;
  AcDb::Intersect type = AcDb::kOnBothOperands;
  AcGePlane plane = AcGePlane::kXYPlane;
};

class Intersections : public ::testing::TestWithParam<Case> {};

TEST_P(Intersections, PointsLieOnBothCurves) {
  const Case& c = GetParam();
  const auto a = c.a();
  const auto b = c.b();
  AcGePoint3dArray pts;
  ASSERT_EQ(a->intersectWith(b.get(), c.type, c.plane, pts), Acad::eOk);
  ASSERT_EQ(pts.length(), c.expected);
  if (c.type != AcDb::kOnBothOperands) return;  // extended curves are not sampled
  const Samples sa = sample(a.get()), sb = sample(b.get());
  for (const AcGePoint3d& p : pts) {
    EXPECT_LT(distance(p, sa), 1e-3) << "not on the first curve: " << p.x << "," << p.y << "," << p.z;
    EXPECT_LT(distance(p, sb, &c.plane), 1e-3) << "not on the second curve: " << p.x << "," << p.y;
  }
  // Swapping the operands finds the same crossings, seen on the other curve.
  AcGePoint3dArray back;
  ASSERT_EQ(b->intersectWith(a.get(), c.type, c.plane, back), Acad::eOk);
  EXPECT_EQ(back.length(), c.expected);
}

const double kQ = std::tan(M_PI / 8);  // bulge of a quarter circle

INSTANTIATE_TEST_SUITE_P(
    KindPairs, Intersections,
    ::testing::Values(
        Case{"line_line_crossing", line(0, 0, 0, 10, 10, 0), line(0, 10, 0, 10, 0, 0), 1},
        Case{"line_line_touching_at_an_end", line(0, 0, 0, 5, 5, 0), line(5, 5, 0, 10, 0, 0), 1},
        Case{"line_line_apart", line(0, 0, 0, 1, 1, 0), line(5, 0, 0, 6, -1, 0), 0},
        Case{"line_line_parallel", line(0, 0, 0, 10, 0, 0), line(0, 1, 0, 10, 1, 0), 0},
        Case{"line_line_overlapping", line(0, 0, 0, 10, 0, 0), line(5, 0, 0, 15, 0, 0), 2},
        Case{"line_line_at_different_heights", line(0, 0, 3, 10, 10, 7), line(0, 10, -2, 10, 0, -2), 1},
        Case{"line_arc_twice", line(-5, 1, 0, 5, 1, 0), arc(0, 0, 2, 0, M_PI), 2},
        Case{"line_arc_outside_its_sweep", line(-5, -1, 0, 5, -1, 0), arc(0, 0, 2, 0, M_PI), 0},
        Case{"line_circle_tangent", line(-5, 2, 0, 5, 2, 0), circle(0, 0, 2), 1},
        Case{"line_circle_through", line(-5, 0.5, 0, 5, 0.5, 0), circle(0, 0, 2), 2},
        Case{"arc_arc", arc(0, 0, 2, 0, M_PI), arc(2, 0, 2, M_PI / 2, M_PI * 1.5), 1},
        Case{"circle_circle", circle(0, 0, 2), circle(3, 0, 2), 2},
        Case{"circle_circle_touching", circle(0, 0, 2), circle(4, 0, 2), 1},
        Case{"circle_inside_circle", circle(0, 0, 5), circle(1, 0, 1), 0},
        Case{"lw_lw_path_across_a_closed_contour",
             lw({{{0, 0, kQ}, {10, 0, kQ}, {10, 10, 0}, {0, 10, 0}}}, true, 120), lw({{{-5, 5, 0}, {15, 5, 0}}}), 2},
        Case{"lw_lw_path_across_a_vertex", lw({{{0, 0, 0}, {5, 5, 0}, {10, 0, 0}}}), lw({{{5, 0, 0}, {5, 10, 0}}}), 1},
        Case{"lw_lw_zigzag_crossing_a_contour_four_times",
             lw({{{0, 0, 0}, {2, 10, 0}, {4, 0, 0}, {6, 10, 0}, {8, 0, 0}}}), lw({{{-1, 5, 0}, {9, 5, 0}}}, false, 50), 4},
        // Lower half circle about (2, 0) against the upper half circle about (2, -3).
        Case{"lw_bulge_against_lw_bulge", lw({{{0, 0, 1}, {4, 0, 0}}}), lw({{{0, -3, -1}, {4, -3, 0}}}), 2},
        // The same circles, but the second's lower half: they meet above it only.
        Case{"lw_bulges_missing", lw({{{0, 0, 1}, {4, 0, 0}}}), lw({{{0, -3, 1}, {4, -3, 0}}}), 0},
        Case{"lw_poly2d", lw({{{-10, -1, 0}, {10, -1, 0}}}, false, 7), poly2d({{{0, 0, 1}, {4, 0, 0}}}, 3), 2},
        Case{"poly3d_lw", poly3d({AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 10), AcGePoint3d(10, 10, 20)}),
             lw({{{5, -5, 0}, {5, 5, 0}, {15, 5, 0}}}), 2},
        Case{"line_poly3d_keeps_the_line_height", line(0, 5, 5, 20, 5, 5),
             poly3d({AcGePoint3d(5, 0, 0), AcGePoint3d(5, 10, 100)}), 1},
        Case{"extended_line_reaches_the_circle", line(-1, 0, 0, 1, 0, 0), circle(10, 0, 2), 2, AcDb::kExtendThis},
        Case{"extension_of_the_other_operand_only", line(-1, 0, 0, 1, 0, 0), circle(10, 0, 2), 0, AcDb::kExtendArg},
        Case{"extended_arc_becomes_its_circle", arc(0, 0, 2, 0, M_PI / 4), line(-5, -1, 0, 5, -1, 0), 2,
             AcDb::kExtendThis},
        Case{"projected_onto_the_yz_plane", line(5, 0, 0, 5, 10, 0), line(-3, 5, -5, -3, 5, 5), 1,
             AcDb::kOnBothOperands, AcGePlane::kYZPlane}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Intersection, PointsAreOnTheFirstEntityAtItsHeight) {
  AcDbLine high(AcGePoint3d(0, 0, 10), AcGePoint3d(10, 10, 20));
  AcDbLine low(AcGePoint3d(0, 10, 0), AcGePoint3d(10, 0, 0));
  AcGePoint3dArray pts;
  ASSERT_EQ(high.intersectWith(&low, AcDb::kOnBothOperands, AcGePlane::kXYPlane, pts), Acad::eOk);
  ASSERT_EQ(pts.length(), 1);
  EXPECT_TRUE(pts[0].isEqualTo(AcGePoint3d(5, 5, 15), AcGeTol(1e-9, 1e-9)));
  // Without a plane only crossings in space count: these two pass each other.
  AcGePoint3dArray spatial;
  ASSERT_EQ(high.intersectWith(&low, AcDb::kOnBothOperands, spatial), Acad::eOk);
  EXPECT_EQ(spatial.length(), 0);
  AcDbLine meeting(AcGePoint3d(0, 10, 30), AcGePoint3d(10, 0, 0));
  ASSERT_EQ(high.intersectWith(&meeting, AcDb::kOnBothOperands, spatial), Acad::eOk);
  EXPECT_EQ(spatial.length(), 1);
}

TEST(Intersection, KindsThatAreNotCurvesAndTiltedArcsAreRefused) {
  AcDbLine l(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
  AcDbPoint p(AcGePoint3d(0, 0, 0));
  AcDbFace f(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0));
  AcDbCircle upright(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis, 1);
  AcGePoint3dArray pts;
  EXPECT_EQ(l.intersectWith(&p, AcDb::kOnBothOperands, AcGePlane::kXYPlane, pts), Acad::eNotApplicable);
  EXPECT_EQ(f.intersectWith(&l, AcDb::kOnBothOperands, AcGePlane::kXYPlane, pts), Acad::eNotApplicable);
  EXPECT_EQ(l.intersectWith(&upright, AcDb::kOnBothOperands, AcGePlane::kXYPlane, pts), Acad::eNotApplicable);
  EXPECT_EQ(l.intersectWith(nullptr, AcDb::kOnBothOperands, AcGePlane::kXYPlane, pts), Acad::eNullEntityPointer);
  // Seen along x the upright circle is a circle again.
  AcDbLine across(AcGePoint3d(0, -5, 0), AcGePoint3d(0, 5, 0));
  EXPECT_EQ(upright.intersectWith(&across, AcDb::kOnBothOperands, AcGePlane::kYZPlane, pts), Acad::eOk);
  EXPECT_EQ(pts.length(), 2);
}

}  // namespace
