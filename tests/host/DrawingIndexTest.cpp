// The view's spatial index: its queries against a scan of every box, and
// pictures painted through it against pictures painted without it.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <random>

#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbEllipse.h"
#include "db/AcDbMText.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
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
