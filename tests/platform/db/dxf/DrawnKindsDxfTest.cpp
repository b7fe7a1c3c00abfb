// ELLIPSE, SPLINE, MTEXT and HATCH records: read into the database's
// entities, written back so that they read the same, kept whole when they
// do not make a sound entity.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "base/TextCase.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbEllipse.h"
#include "db/AcDbHatch.h"
#include "db/AcDbMText.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbSpline.h"
#include "db/AcDbTextStyleTableRecord.h"
#include "db/DrawingChecker.h"
#include "db/dxf/DxfFile.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180;

const std::string kEllipse =
    "  0\nELLIPSE\n  5\n50\n100\nAcDbEntity\n  8\n0\n100\nAcDbEllipse\n 10\n20.0\n 20\n0.0\n 30\n0.0\n"
    " 11\n4.0\n 21\n1.0\n 31\n0.0\n 40\n0.4\n 41\n0.3\n 42\n4.0\n";
const std::string kFitSpline =
    "  0\nSPLINE\n  5\n51\n100\nAcDbEntity\n  8\n0\n100\nAcDbSpline\n 70\n8\n 71\n3\n 72\n0\n 73\n0\n 74\n3\n"
    " 44\n1e-10\n 12\n1.0\n 22\n0.0\n 32\n0.0\n 11\n0.0\n 21\n0.0\n 31\n0.0\n 11\n5.0\n 21\n5.0\n 31\n0.0\n"
    " 11\n10.0\n 21\n0.0\n 31\n0.0\n";
// Three knots for four control points: kept whole.
const std::string kBadSpline =
    "  0\nSPLINE\n  5\n52\n100\nAcDbEntity\n  8\n0\n100\nAcDbSpline\n 70\n8\n 71\n3\n 72\n3\n 73\n4\n 74\n0\n"
    " 40\n0.0\n 40\n0.5\n 40\n1.0\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 10\n1.0\n 20\n1.0\n 30\n0.0\n"
    " 10\n2.0\n 20\n0.0\n 30\n0.0\n 10\n3.0\n 20\n1.0\n 30\n0.0\n";
// A rotation in degrees instead of a direction, a drawing direction we do not model.
std::string mtextRecord(const std::string& text) {
  return "  0\nMTEXT\n  5\n53\n100\nAcDbEntity\n  8\n0\n100\nAcDbMText\n 10\n40.0\n 20\n5.0\n 30\n0.0\n"
         " 40\n2.5\n 71\n1\n  1\n" + text + "\n  7\nNOTES\n 72\n1\n 50\n30.0\n";
}
// A solid hatch: a polyline loop whose first side is a half circle (bulge
// 1, below the chord), and an edge loop with a clockwise arc, as ezdxf
// writes it (angles mirrored, 73 = 0), that bulges to the left.
const std::string kHatch =
    "  0\nHATCH\n  5\n54\n100\nAcDbEntity\n  8\n0\n 62\n3\n100\nAcDbHatch\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
    "210\n0.0\n220\n0.0\n230\n1.0\n  2\nSOLID\n 70\n1\n 71\n0\n 91\n2\n"
    " 92\n3\n 72\n1\n 73\n1\n 93\n4\n 10\n0.0\n 20\n0.0\n 42\n1.0\n 10\n10.0\n 20\n0.0\n 42\n0.0\n"
    " 10\n10.0\n 20\n10.0\n 42\n0.0\n 10\n0.0\n 20\n10.0\n 42\n0.0\n 97\n0\n"
    " 92\n1\n 93\n3\n 72\n1\n 10\n20.0\n 20\n0.0\n 11\n30.0\n 21\n0.0\n"
    " 72\n2\n 10\n30.0\n 20\n5.0\n 40\n5.0\n 50\n90.0\n 51\n270.0\n 73\n0\n"
    " 72\n1\n 10\n30.0\n 20\n10.0\n 11\n20.0\n 21\n0.0\n 97\n0\n"
    " 75\n0\n 76\n1\n 98\n0\n";
// A number that does not parse inside the boundary.
const std::string kBrokenHatch =
    "  0\nHATCH\n  5\n55\n100\nAcDbEntity\n  8\n0\n100\nAcDbHatch\n  2\nANSI31\n 70\n0\n 91\n1\n"
    " 92\n2\n 72\n0\n 73\n1\n 93\n3\n 10\n0.0\n 20\nabc\n";

std::string drawing(const std::string& entities) {
  return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1032\n  0\nENDSEC\n"
         "  0\nSECTION\n  2\nENTITIES\n" + entities + "  0\nENDSEC\n  0\nEOF\n";
}

AcDbObjectId idOf(AcDbDatabase& db, const wchar_t* hex) {
  AcDbObjectId id;
  EXPECT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(hex)), Acad::eOk) << uv::toUtf8(hex);
  return id;
}

// A text longer than a 250-byte group, with two-byte characters at the cuts.
std::string longText() {
  std::string text;
  for (int i = 0; i < 90; ++i) text += "\xc5\xa0ko ";  // "Ško "
  return text + "\\Pend";
}

// The ENTITIES section of a saved drawing (the tables a file without them
// gets are made afresh at each open, under new handles).
std::string entitiesOf(const std::string& saved) {
  const size_t begin = saved.find("ENTITIES\n");
  return saved.substr(begin, saved.find("ENDSEC\n", begin) - begin);
}

void load(const std::string& text, AcDbDatabase& db) {
  const uv::dxf::Result r = uv::dxf::loadFromString(text, db, L"drawn.dxf");
  ASSERT_TRUE(r.ok) << uv::toUtf8(r.error);
  EXPECT_TRUE(uv::checkDatabase(db).empty());
}

}  // namespace

TEST(DrawnKindsDxf, ReadIntoEntitiesAndWrittenBackTheSame) {
  AcDbDatabase db;
  load(drawing(kEllipse + kFitSpline + kBadSpline + mtextRecord(longText()) + kHatch + kBrokenHatch), db);
  {
    AcDbObjectPointer<AcDbEllipse> e(idOf(db, L"50"));
    ASSERT_EQ(e.openStatus(), Acad::eOk);
    EXPECT_TRUE(e->center().isEqualTo(AcGePoint3d(20, 0, 0)));
    EXPECT_TRUE(e->majorAxis().isEqualTo(AcGeVector3d(4, 1, 0)));
    EXPECT_DOUBLE_EQ(e->radiusRatio(), 0.4);
    EXPECT_DOUBLE_EQ(e->startParam(), 0.3);
    EXPECT_DOUBLE_EQ(e->endParam(), 4.0);

    AcDbObjectPointer<AcDbSpline> s(idOf(db, L"51"));
    ASSERT_EQ(s.openStatus(), Acad::eOk);
    EXPECT_EQ(s->numFitPoints(), 3);
    EXPECT_EQ(s->numControlPoints(), 0);
    EXPECT_EQ(s->flags(), AcDbSpline::kPlanar);
    ASSERT_TRUE(s->fitTolerance().has_value());
    EXPECT_DOUBLE_EQ(*s->fitTolerance(), 1e-10);
    ASSERT_TRUE(s->startTangent().has_value());
    EXPECT_FALSE(s->endTangent().has_value());
    AcGePoint3d top;
    ASSERT_EQ(s->getPointAtParam(0.5, top), Acad::eOk);
    EXPECT_LT(top.distanceTo(AcGePoint3d(5, 5, 0)), 1e-9);

    // Kept whole, as before the database modelled splines.
    AcDbObjectPointer<AcDbEntity> bad(idOf(db, L"52"));
    EXPECT_EQ(bad->isA(), AcDbRawEntity::desc());

    AcDbObjectPointer<AcDbMText> t(idOf(db, L"53"));
    ASSERT_EQ(t.openStatus(), Acad::eOk);
    EXPECT_NEAR(t->rotation(), 30 * kDegree, 1e-12);
    EXPECT_EQ(t->contents(), uv::fromUtf8(longText()));
    EXPECT_EQ(t->lines().size(), 2u);
    AcDbObjectPointer<AcDbTextStyleTableRecord> style(t->textStyle());
    ASSERT_EQ(style.openStatus(), Acad::eOk);
    EXPECT_EQ(std::wstring(style->nameText()), L"NOTES");

    AcDbObjectPointer<AcDbHatch> h(idOf(db, L"54"));
    ASSERT_EQ(h.openStatus(), Acad::eOk);
    EXPECT_TRUE(h->isSolidFill());
    EXPECT_EQ(h->colorIndex(), 3);
    ASSERT_EQ(h->numLoops(), 2);
    std::vector<AcGePoint3d> ring;
    ASSERT_EQ(h->getLoopAt(0, ring), Acad::eOk);
    int onArc = 0;
    for (const AcGePoint3d& p : ring)
      if (p.y < -1e-9) {
        EXPECT_NEAR(p.distanceTo(AcGePoint3d(5, 0, 0)), 5, 1e-9);
        ++onArc;
      }
    EXPECT_GT(onArc, 10);
    ASSERT_EQ(h->getLoopAt(1, ring), Acad::eOk);
    int leftOfCentre = 0;
    for (const AcGePoint3d& p : ring) {
      if (p.x >= 30 - 1e-9 || p.y <= 1e-9 || p.y >= 10 - 1e-9) continue;
      EXPECT_NEAR(p.distanceTo(AcGePoint3d(30, 5, 0)), 5, 1e-9);
      ++leftOfCentre;
    }
    EXPECT_GT(leftOfCentre, 10);
    AcDbExtents box;
    ASSERT_EQ(h->getGeomExtents(box), Acad::eOk);
    EXPECT_NEAR(box.minPoint().y, -5, 1e-9);

    AcDbObjectPointer<AcDbHatch> broken(idOf(db, L"55"));
    ASSERT_EQ(broken.openStatus(), Acad::eOk);
    EXPECT_EQ(broken->numLoops(), 0);
    EXPECT_FALSE(broken->isSolidFill());
  }

  std::string saved;
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  // Kept records come back as they came; the text keeps its rotation and
  // the groups we do not model, and says nothing of a direction.
  for (const std::string& kept : {kBadSpline, kHatch, kBrokenHatch}) EXPECT_NE(saved.find(kept), std::string::npos) << kept;
  const std::string mtext = saved.substr(saved.find("  0\nMTEXT\n"), saved.find("  0\nHATCH\n") - saved.find("  0\nMTEXT\n"));
  EXPECT_NE(mtext.find(" 72\n1\n 50\n30"), std::string::npos) << mtext;
  EXPECT_EQ(mtext.find(" 11\n"), std::string::npos) << mtext;
  EXPECT_NE(mtext.find("  3\n"), std::string::npos) << mtext;

  AcDbDatabase again;
  load(saved, again);
  std::string resaved;
  ASSERT_TRUE(uv::dxf::saveToString(again, resaved).ok);
  EXPECT_EQ(entitiesOf(resaved), entitiesOf(saved));
  AcDbObjectPointer<AcDbMText> t(idOf(again, L"53"));
  EXPECT_EQ(t->contents(), uv::fromUtf8(longText()));
}

TEST(DrawnKindsDxf, ChangedEntitiesAreWrittenFromTheirNewValues) {
  AcDbDatabase db;
  load(drawing(kEllipse + mtextRecord("turned")), db);
  {
    AcDbObjectPointer<AcDbEllipse> e(idOf(db, L"50"), AcDb::kForWrite);
    ASSERT_EQ(e->set(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, -1), AcGeVector3d(0, 6, 0), 0.25, 1, 2), Acad::eOk);
    AcDbObjectPointer<AcDbMText> t(idOf(db, L"53"), AcDb::kForWrite);
    ASSERT_EQ(t->setRotation(90 * kDegree), Acad::eOk);
    ASSERT_EQ(t->setContents(L"a\\Pb"), Acad::eOk);
    ASSERT_EQ(t->setWidth(12), Acad::eOk);
  }
  std::string saved;
  ASSERT_TRUE(uv::dxf::saveToString(db, saved).ok);
  AcDbDatabase again;
  load(saved, again);
  AcDbObjectPointer<AcDbEllipse> e(idOf(again, L"50"));
  EXPECT_TRUE(e->center().isEqualTo(AcGePoint3d(1, 2, 3)));
  EXPECT_TRUE(e->normal().isEqualTo(AcGeVector3d(0, 0, -1)));
  EXPECT_TRUE(e->majorAxis().isEqualTo(AcGeVector3d(0, 6, 0)));
  EXPECT_DOUBLE_EQ(e->radiusRatio(), 0.25);
  EXPECT_DOUBLE_EQ(e->endParam(), 2);
  // The new direction goes out as 11, which readers take over the kept 50.
  AcDbObjectPointer<AcDbMText> t(idOf(again, L"53"));
  EXPECT_NEAR(t->rotation(), 90 * kDegree, 1e-12);
  EXPECT_EQ(t->contents(), L"a\\Pb");
  EXPECT_DOUBLE_EQ(t->width(), 12);
}
