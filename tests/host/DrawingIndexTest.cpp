// The view's spatial index: its queries against a scan of every box,
// pictures painted through it against pictures painted without it, and the
// index caught up after changes against one built afresh.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <tuple>

#include "db/AcDb2dPolyline.h"
#include "db/AcDb2dVertex.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbEllipse.h"
#include "db/AcDbMText.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "db/UndoLog.h"
#include "host/render/DrawingIndex.h"
#include "host/render/DrawingRenderer.h"
#include "SketchDrawing.h"

using uv::render::DrawingIndex;
using uv::render::DrawingRenderer;
using uv::render::PlanBox;
using uvtest::SketchDrawing;
using uvtest::with;

namespace {

std::vector<std::uint32_t> scan(const std::vector<DrawingIndex::Entry>& entries, const PlanBox& area) {
  std::vector<std::uint32_t> found;
  for (std::uint32_t i = 0; i < entries.size(); ++i)
    if (!entries[i].box.isEmpty() && std::isfinite(entries[i].box.minX) && entries[i].box.meets(area))
      found.push_back(i);
  return found;
}

DrawingIndex::Entry boxed(double x0, double y0, double x1, double y1) {
  DrawingIndex::Entry e;
  e.box = PlanBox::of(x0, y0, x1, y1);
  return e;
}

}  // namespace

TEST(DrawingIndex, FindsExactlyWhatAScanFinds) {
  // Boxes on a grid whose edges fall on the views' edges, degenerate boxes
  // (points, horizontal and vertical segments), big boxes over many others,
  // and entries without a box, among random ones.
  std::vector<DrawingIndex::Entry> entries;
  for (int i = 0; i < 40; ++i)
    for (int j = 0; j < 40; ++j) entries.push_back(boxed(10 * i, 10 * j, 10 * i + 10, 10 * j + 10));
  for (int i = 0; i <= 40; ++i) {
    entries.push_back(boxed(10 * i, 10 * i, 10 * i, 10 * i));  // a point
    entries.push_back(boxed(0, 10 * i, 400, 10 * i));          // a horizontal line
    entries.push_back(boxed(10 * i, -5, 10 * i, 5));            // a vertical one
  }
  entries.push_back(boxed(-1000, -1000, 1000, 1000));
  entries.push_back(DrawingIndex::Entry());  // no box
  DrawingIndex::Entry nan;
  nan.box = PlanBox{std::numeric_limits<double>::quiet_NaN(), 0, 1, 1};
  entries.push_back(nan);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> at(-50, 450), size(0, 30);
  for (int i = 0; i < 3000; ++i) {
    const double x = at(random), y = at(random);
    entries.push_back(boxed(x, y, x + size(random), y + size(random)));
  }
  const DrawingIndex index(entries);
  ASSERT_EQ(index.unboxed(), (std::vector<std::uint32_t>{std::uint32_t(entries.size() - 3002),
                                                         std::uint32_t(entries.size() - 3001)}));

  struct View {
    const char* what;
    PlanBox area;
  };
  std::vector<View> views = {
      {"all of it", PlanBox::of(-2000, -2000, 2000, 2000)},
      {"edges on grid lines", PlanBox::of(100, 100, 200, 150)},
      {"a grid line alone", PlanBox::of(100, 100, 100, 100)},
      {"a sliver along a line", PlanBox::of(0, 250, 400, 250)},
      {"between the grid lines", PlanBox::of(101, 101, 109, 109)},
      {"just off the corner", PlanBox::of(400.000001, 400.000001, 500, 500)},
      {"touching the corner", PlanBox::of(400, 400, 500, 500)},
      {"beyond everything", PlanBox::of(5000, 5000, 6000, 6000)},
      {"below the vertical lines", PlanBox::of(-1, -5, 401, -5)},
  };
  for (int i = 0; i < 200; ++i) {
    const double x = at(random), y = at(random), s = size(random) * (i % 4 == 0 ? 10 : 1);
    views.push_back({"random", PlanBox::of(x, y, x + s, y + s * 0.6)});
  }
  for (const View& v : views) EXPECT_EQ(index.query(v.area), scan(entries, v.area)) << v.what;
}

TEST(DrawingIndex, SmallAndEmptyIndexes) {
  EXPECT_TRUE(DrawingIndex().query(PlanBox::of(-1, -1, 1, 1)).empty());
  for (size_t n : {size_t(1), size_t(16), size_t(17), size_t(257)}) {
    std::vector<DrawingIndex::Entry> entries;
    for (size_t i = 0; i < n; ++i) entries.push_back(boxed(double(i), 0, double(i), 0));  // all on one line
    const DrawingIndex index(entries);
    EXPECT_EQ(index.query(PlanBox::of(-1, -1, 1e6, 1)).size(), n) << n;
    EXPECT_EQ(index.query(PlanBox::of(0.5, -1, 0.5, 1)), scan(entries, PlanBox::of(0.5, -1, 0.5, 1))) << n;
  }
}

TEST(DrawingIndex, HoldsWhatIsShownWithItsColour) {
  SketchDrawing d;
  const AcDbObjectId off = d.layer(L"OFF", 1, true);
  d.add(with(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)), 3));
  d.add(with(new AcDbLine(AcGePoint3d(0, 5, 0), AcGePoint3d(10, 5, 0)), 256, off));
  d.add(with(new AcDbPoint(AcGePoint3d(4, 4, 0)), 5));
  const DrawingIndex index = DrawingIndex::build(d.db());
  ASSERT_EQ(index.size(), 2u);
  EXPECT_EQ(index.entry(0).colour, 3);
  EXPECT_FALSE(index.entry(0).screenSized);
  EXPECT_TRUE(index.entry(1).screenSized);
  EXPECT_DOUBLE_EQ(index.entry(1).box.width(), 0);
}

namespace {

// Everything the painter draws in pixels beyond an entity's box, and texts
// whose glyphs reach past the database's estimate of their extents.
void sketchOfEveryKind(SketchDrawing& d) {
  const AcDbObjectId dashed = d.linetype(L"DASHED", {6, -3});
  const AcDbObjectId heavy = d.layer(L"HEAVY", 1, false, false, AcDbObjectId(), AcDb::kLnWt211);
  std::mt19937 random(11);
  std::uniform_real_distribution<double> at(0, 200);
  for (int i = 0; i < 150; ++i) {
    const double x = at(random), y = at(random);
    d.add(with(new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 9, y + 4, 0)), 1 + i % 7, i % 3 ? AcDbObjectId() : heavy,
               i % 5 ? AcDbObjectId() : dashed));
    d.add(with(new AcDbCircle(AcGePoint3d(y, x, 0), AcGeVector3d::kZAxis, 3), 2));
    d.add(with(new AcDbPoint(AcGePoint3d(x + 3, y - 3, 0)), 4));
    d.add(with(new AcDbFace(AcGePoint3d(x, y + 5, 0), AcGePoint3d(x + 6, y + 5, 0), AcGePoint3d(x + 3, y + 9, 0)), 6));
  }
  for (int i = 0; i < 30; ++i) {
    auto* text = with(new AcDbText(AcGePoint3d(at(random), at(random), 0), L"WWWWMMMM 123.45", AcDbObjectId(), 4), 5);
    if (i % 2) {
      text->setHorizontalMode(AcDb::kTextRight);
      text->setAlignmentPoint(text->position());
    }
    d.add(text);
    auto* wide = new AcDbPolyline;
    wide->addVertexAt(0, AcGePoint2d(at(random), at(random)));
    wide->addVertexAt(1, AcGePoint2d(at(random), at(random)));
    wide->setConstantWidth(3);
    d.add(with(wide, 3));
  }
  for (int i = 0; i < 12; ++i) {
    auto* paragraphs = new AcDbMText;
    paragraphs->setLocation(AcGePoint3d(at(random), at(random), 0));
    paragraphs->setTextHeight(3);
    paragraphs->setWidth(10);
    paragraphs->setAttachment(AcDbMText::AttachmentPoint(1 + i % 9));
    paragraphs->setContents(L"WWWWWWWWWWWWW MMM\\Pwide words");
    d.add(with(paragraphs, 4));
    auto* ellipse = new AcDbEllipse;
    ellipse->set(AcGePoint3d(at(random), at(random), 0), AcGeVector3d::kZAxis, AcGeVector3d(8, 3, 0), 0.4);
    d.add(with(ellipse, 2));
  }
  const AcDbObjectId block = d.block(L"MARK");
  d.add(with(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 2), 0), block);
  d.add(with(new AcDbText(AcGePoint3d(3, 0, 0), L"MARKER", AcDbObjectId(), 2), 0), block);
  for (int i = 0; i < 20; ++i) {
    auto* reference = with(new AcDbBlockReference(AcGePoint3d(at(random), at(random), 0), block), 1 + i % 6);
    reference->setRotation(0.3 * i);
    d.add(reference);
  }
}

// Where two pictures differ, for the failure message.
std::string difference(const QImage& a, const QImage& b) {
  int n = 0;
  QPoint first(-1, -1);
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y) && n++ == 0) first = QPoint(x, y);
  return std::to_string(n) + " pixels differ, the first at " + std::to_string(first.x()) + "," +
         std::to_string(first.y());
}

QImage picture(const AcDbDatabase& db, const AcGePoint3d& centre, double height, const DrawingIndex* index) {
  DrawingRenderer renderer(db);
  renderer.setView(centre, height);
  renderer.setIndex(index);
  return renderer.image(QSize(160, 120));
}

}  // namespace

TEST(DrawingIndex, ZoomedPicturesAreThoseOfEveryEntity) {
  SketchDrawing d;
  sketchOfEveryKind(d);
  const DrawingIndex index = DrawingIndex::build(d.db());
  // Views whose edges cut through entities of every kind; none is smaller
  // than a pixel at these scales.
  for (const auto& [x, y, h] : std::vector<std::tuple<double, double, double>>{
           {50, 50, 40}, {100, 100, 60}, {13, 171, 25}, {180, 20, 80}, {0, 0, 30}, {150, 120, 12}}) {
    const AcGePoint3d centre(x, y, 0);
    const QImage with = picture(d.db(), centre, h, &index), without = picture(d.db(), centre, h, nullptr);
    EXPECT_TRUE(with == without) << "view at " << x << "," << y << " height " << h << ": "
                                 << difference(with, without);
  }
}

TEST(DrawingIndex, WhatIsSmallerThanAPixelIsADotOfItsColour) {
  SketchDrawing d;
  // Faces 0.1 units across, 10 units apart: at 1 pixel a unit each is a dot.
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 10; ++j) {
      const double x = 10 * i + 5.02, y = 10 * j + 5.02;
      d.add(with(new AcDbFace(AcGePoint3d(x, y, 0), AcGePoint3d(x + 0.1, y, 0), AcGePoint3d(x, y + 0.1, 0)), 1));
    }
  const DrawingIndex index = DrawingIndex::build(d.db());
  DrawingRenderer renderer(d.db());
  renderer.setView(AcGePoint3d(50, 50, 0), 100);
  renderer.setIndex(&index);
  const QImage image = renderer.image(QSize(100, 100));
  int red = 0, other = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c == QColor(255, 0, 0)) ++red;
      else if (c != QColor(255, 255, 255)) ++other;
    }
  EXPECT_EQ(red, 100);
  EXPECT_EQ(other, 0);
  // Each where its face is: the centre (10i + 5.07, 10j + 5.07) on pixel (10i + 5, 94 - 10j).
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 10; ++j)
      EXPECT_EQ(image.pixelColor(10 * i + 5, 100 - (10 * j + 5) - 1), QColor(255, 0, 0)) << i << "," << j;
}

TEST(DrawingIndex, OverAShadedTerrainADotTakesItsFacesFill) {
  SketchDrawing d;
  // Two tiny faces, the left one low, the right one high.
  for (const auto& [x, z] : {std::pair{20.02, 0.0}, std::pair{40.02, 100.0}})
    d.add(with(new AcDbFace(AcGePoint3d(x, 50.02, z), AcGePoint3d(x + 0.1, 50.02, z), AcGePoint3d(x, 50.12, z)), 1));
  const DrawingIndex index = DrawingIndex::build(d.db());
  DrawingRenderer renderer(d.db());
  renderer.setView(AcGePoint3d(50, 50, 0), 100);
  renderer.setShadeByElevation(true);
  renderer.setIndex(&index);
  const QImage with = renderer.image(QSize(100, 100));
  const QColor low = with.pixelColor(20, 49), high = with.pixelColor(40, 49);
  EXPECT_NE(low, QColor(255, 0, 0));
  EXPECT_NE(low, high);
  EXPECT_NE(low, QColor(255, 255, 255));
  EXPECT_NE(high, QColor(255, 255, 255));
}

namespace {

// What an index shows: each entry not gone, in drawing order, by handle,
// with its box and colour; and what a few views find.
struct Shown {
  std::vector<std::tuple<std::uint64_t, double, double, double, double, int, bool>> entries;
  std::vector<std::vector<std::uint64_t>> found;
  bool operator==(const Shown&) const = default;
};

Shown shownBy(const DrawingIndex& index) {
  Shown s;
  auto handle = [&](std::uint32_t order) { return std::uint64_t(index.entry(order).id.handle()); };
  for (std::uint32_t i = 0; i < index.size(); ++i) {
    const DrawingIndex::Entry& e = index.entry(i);
    if (e.gone) continue;
    EXPECT_NE(e.entity, nullptr);
    EXPECT_EQ(e.entity ? e.entity->objectId() : AcDbObjectId(), e.id);
    s.entries.emplace_back(handle(i), e.box.minX, e.box.minY, e.box.maxX, e.box.maxY, e.colour, e.screenSized);
  }
  for (const PlanBox& area : {PlanBox::of(-1000, -1000, 1000, 1000), PlanBox::of(0, 0, 20, 20),
                              PlanBox::of(45, 45, 55, 60), PlanBox::of(90, -5, 200, 12)}) {
    s.found.emplace_back();
    for (std::uint32_t order : index.query(area)) s.found.back().push_back(handle(order));
  }
  return s;
}

AcDbObjectId lineAt(SketchDrawing& d, double x, double y, int colour = 1) {
  return d.add(with(new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 3, y + 2, 0)), colour));
}

template <class T>
void change(AcDbObjectId id, const std::function<void(T&)>& how) {
  AcDbObjectPointer<T> object(id, AcDb::kForWrite);
  ASSERT_EQ(object.openStatus(), Acad::eOk);
  how(*object.object());
}

}  // namespace

TEST(DrawingIndex, CatchesUpWithWhatEachCommandChangedAsAFreshIndexShowsIt) {
  SketchDrawing d;
  uv::UndoLog& log = d.db().undoLog();
  log.enable();
  std::vector<AcDbObjectId> lines;
  for (int i = 0; i < 100; ++i) lines.push_back(lineAt(d, i % 10 * 10, i / 10 * 10, 1 + i % 7));
  auto* outline = new AcDb2dPolyline;
  d.add(with(outline, 4));
  AcDbObjectId vertex;
  {
    AcDbObjectPointer<AcDb2dPolyline> poly(outline->objectId(), AcDb::kForWrite);
    for (const AcGePoint3d& p : {AcGePoint3d(50, 50, 0), AcGePoint3d(52, 51, 0)}) {
      auto* v = new AcDb2dVertex(p);
      ASSERT_EQ(poly->appendVertex(vertex, v), Acad::eOk);
      v->close();  // appended vertices stay open for their caller
    }
  }
  const AcDbObjectId block = d.block(L"MARK");
  d.add(with(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 2), 2), block);
  d.add(new AcDbBlockReference(AcGePoint3d(95, 5, 0), block));
  DrawingIndex index = DrawingIndex::build(d.db());

  struct Case {
    const char* what;
    std::function<void()> change;
    bool caughtUp;  // false: built again
    bool command = true;  // a step of its own; Undo and Redo are not
  };
  const std::vector<Case> cases = {
      {"nothing changed", [] {}, true},
      {"a line added", [&] { lineAt(d, 5, 5, 3); }, true},
      {"a line moved and recoloured",
       [&] { change<AcDbLine>(lines[3], [](AcDbLine& l) { l.setStartPoint(AcGePoint3d(-40, -40, 0)); l.setColorIndex(6); }); },
       true},
      {"a line erased", [&] { change<AcDbLine>(lines[12], [](AcDbLine& l) { l.erase(); }); }, true},
      {"Undo of the erase", [&] { ASSERT_EQ(log.undo(), Acad::eOk); }, true, false},
      {"Redo of the erase", [&] { ASSERT_EQ(log.redo(), Acad::eOk); }, true, false},
      {"Undo of the erase, the move and the line added",
       [&] {
         for (int i = 0; i < 3; ++i) ASSERT_EQ(log.undo(), Acad::eOk);
       },
       true, false},
      {"Redo of them", [&] {
         for (int i = 0; i < 3; ++i) ASSERT_EQ(log.redo(), Acad::eOk);
       }, true, false},
      {"a vertex of a polyline moved",
       [&] { change<AcDb2dVertex>(vertex, [](AcDb2dVertex& v) { v.setPosition(AcGePoint3d(70, 58, 0)); }); }, true},
      {"a line hidden", [&] { change<AcDbLine>(lines[40], [](AcDbLine& l) { l.setVisibility(AcDb::kInvisible); }); },
       true},
      {"and shown again in its place",
       [&] { change<AcDbLine>(lines[40], [](AcDbLine& l) { l.setVisibility(AcDb::kVisible); }); }, true},
      {"a line and a circle in paper space",
       [&] {
         lineAt(d, 1, 1);
         d.add(new AcDbCircle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 1), d.db().paperSpaceId());
       },
       true},
      {"lines in the many, in one command",
       [&] {
         for (int i = 0; i < 1200; ++i) lineAt(d, i % 40 * 3.0, i / 40 * 3.0, 5);
       },
       false},
      {"Undo of them", [&] { ASSERT_EQ(log.undo(), Acad::eOk); }, false, false},
      {"a layer's colour", [&] { d.layer(L"NEW", 3); }, false},
      {"the block changed", [&] { d.add(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 9), block); }, false},
      {"Undo of the block's change", [&] { ASSERT_EQ(log.undo(), Acad::eOk); }, false, false},
      {"an erased line back in the middle, never indexed",
       [&] {
         ASSERT_EQ(log.undo(), Acad::eOk);  // the layer
         for (int i = 0; i < 5; ++i) ASSERT_EQ(log.undo(), Acad::eOk);  // down to the erase of line 12
       },
       false, false},
  };
  int step = 0;
  for (const Case& c : cases) {
    if (c.command) log.begin(L"STEP" + std::to_wstring(++step));
    c.change();
    EXPECT_EQ(index.update(d.db()), c.caughtUp) << c.what;
    EXPECT_TRUE(shownBy(index) == shownBy(DrawingIndex::build(d.db()))) << c.what;
  }
}

TEST(DrawingIndex, StaysTrueThroughManyCommandsAndPacksAgain) {
  // Enough single commands that the entries beside the tree and the gone
  // ones are packed again, checked after each against a fresh index.
  SketchDrawing d;
  uv::UndoLog& log = d.db().undoLog();
  log.enable();
  log.setDepth(10000);
  std::vector<AcDbObjectId> lines;
  for (int i = 0; i < 12000; ++i) lines.push_back(lineAt(d, i % 100, i / 100, 1));
  DrawingIndex index = DrawingIndex::build(d.db());
  int caughtUp = 0, built = 0;
  auto check = [&](const std::string& what) {
    (index.update(d.db()) ? caughtUp : built)++;
    if (caughtUp % 97 == 0 || built) {
      ASSERT_TRUE(shownBy(index) == shownBy(DrawingIndex::build(d.db()))) << what;
    }
  };
  for (int i = 0; i < 1100; ++i) {
    log.begin(L"LINE");
    lineAt(d, i % 30 + 0.5, i / 30 + 0.5, 2);
    check("line " + std::to_string(i));
  }
  for (int k = 0; k < 7; ++k) {  // more than half of it gone
    log.begin(L"ERASE");
    for (int i = 0; i < 1000; ++i) change<AcDbLine>(lines[k * 1000 + i], [](AcDbLine& l) { l.erase(); });
    check("erase " + std::to_string(k));
  }
  for (int k = 0; k < 3; ++k) {
    ASSERT_EQ(log.undo(), Acad::eOk);
    check("undo " + std::to_string(k));
  }
  EXPECT_TRUE(shownBy(index) == shownBy(DrawingIndex::build(d.db())));
  EXPECT_GE(caughtUp, 1100);
}

TEST(DrawingIndex, BuiltWhileModelSpaceIsOpenForWriteIsBuiltAgainAfter) {
  // A paint in the middle of a command that holds model space open finds
  // nothing to index; the update after the command reads the whole drawing.
  SketchDrawing d;
  d.db().undoLog().enable();
  for (int i = 0; i < 20; ++i) lineAt(d, i, 0);
  d.db().undoLog().begin(L"LINE");
  DrawingIndex index;
  {
    AcDbObjectPointer<AcDbBlockTableRecord> space(d.db().modelSpaceId(), AcDb::kForWrite);
    ASSERT_EQ(space.openStatus(), Acad::eOk);
    auto* line = new AcDbLine(AcGePoint3d(0, 5, 0), AcGePoint3d(9, 5, 0));
    ASSERT_EQ(space->appendAcDbEntity(line), Acad::eOk);
    line->close();
    index = DrawingIndex::build(d.db());
    EXPECT_EQ(index.size(), 0u);
  }
  EXPECT_FALSE(index.update(d.db()));
  EXPECT_EQ(index.size(), 21u);
  EXPECT_TRUE(shownBy(index) == shownBy(DrawingIndex::build(d.db())));
}
