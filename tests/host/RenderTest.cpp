// Pictures of small drawings, checked by looking at pixels where things must
// and must not be (antialiasing changes edges, so no exact images).
//
// Every test looks at a 200 x 200 picture of the view centred on (50, 50),
// 100 units high: 2 pixels a unit, drawing (x, y) at pixel (2x, 200 - 2y).
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <algorithm>
#include <functional>

#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "host/render/DrawingRenderer.h"
#include "host/render/PictureMark.h"
#include "host/render/TextPainter.h"
#include "SketchDrawing.h"

using uv::render::DrawingRenderer;
using uvtest::SketchDrawing;
using uvtest::with;

namespace {

using Test = std::function<bool(const QColor&)>;
// A thin line between two pixel rows covers each half: red over white
// comes out (255, 128, 128). The tests look at hue, not exact values.
bool leads(int main, int a, int b) { return main > 150 && main - a > 60 && main - b > 60; }
bool red(const QColor& c) { return leads(c.red(), c.green(), c.blue()); }
bool green(const QColor& c) { return leads(c.green(), c.red(), c.blue()); }
bool blue(const QColor& c) { return leads(c.blue(), c.red(), c.green()); }
bool dark(const QColor& c) {
  const int hi = std::max({c.red(), c.green(), c.blue()}), lo = std::min({c.red(), c.green(), c.blue()});
  return hi < 150 && hi - lo < 40;
}
bool inked(const QColor& c) { return c.red() < 235 || c.green() < 235 || c.blue() < 235; }

class Picture {
 public:
  explicit Picture(QImage image) : m_image(std::move(image)) {}

  QPoint pixel(double x, double y) const { return QPoint(int(std::floor(2 * x)), int(std::floor(200 - 2 * y))); }
  // Whether a pixel within `r` pixels of the drawing point passes.
  bool near(double x, double y, const Test& test, int r = 1) const {
    const QPoint p = pixel(x, y);
    for (int dy = -r; dy <= r; ++dy)
      for (int dx = -r; dx <= r; ++dx) {
        const QPoint q = p + QPoint(dx, dy);
        if (m_image.rect().contains(q) && test(m_image.pixelColor(q))) return true;
      }
    return false;
  }
  // Pixels that pass, in the rectangle of drawing corners (all when none given).
  int count(const Test& test, double x0 = 0, double y0 = 0, double x1 = 100, double y1 = 100) const {
    const QRect area = QRect(pixel(x0, y1), pixel(x1, y0)).normalized().intersected(m_image.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (test(m_image.pixelColor(x, y))) ++n;
    return n;
  }
  const QImage& image() const { return m_image; }

 private:
  QImage m_image;
};

Picture render(AcDbDatabase& db, std::vector<uv::TemporaryVector> temporary = {}) {
  DrawingRenderer renderer(db);
  renderer.setView(AcGePoint3d(50, 50, 0), 100);
  renderer.setTemporaryVectors(std::move(temporary));
  return Picture(renderer.image(QSize(200, 200)));
}

AcDbLine* horizontal(double y = 50) { return new AcDbLine(AcGePoint3d(10, y, 0), AcGePoint3d(90, y, 0)); }

}  // namespace

TEST(Render, ALineIsDrawnAlongItsLengthAndNowhereElse) {
  SketchDrawing d;
  d.add(with(horizontal(), 1));
  const Picture pic = render(d.db());
  for (double x = 11; x <= 89; x += 4) EXPECT_TRUE(pic.near(x, 50, red)) << "x=" << x;
  EXPECT_GT(pic.count(red), 150);
  EXPECT_EQ(pic.count(inked, 0, 0, 100, 48), 0);
  EXPECT_EQ(pic.count(inked, 0, 52, 100, 100), 0);
  EXPECT_EQ(pic.count(inked, 0, 0, 9, 100), 0);
  EXPECT_EQ(pic.count(inked, 91, 0, 100, 100), 0);
}

TEST(Render, HiddenEntitiesDrawNothing) {
  struct Case {
    const char* what;
    std::function<void(SketchDrawing&)> build;
  };
  const Case cases[] = {
      {"layer off", [](SketchDrawing& d) { d.add(with(horizontal(), 1, d.layer(L"OFF", 1, true))); }},
      {"layer frozen", [](SketchDrawing& d) { d.add(with(horizontal(), 1, d.layer(L"ICE", 1, false, true))); }},
      {"erased",
       [](SketchDrawing& d) {
         AcDbObjectId id = d.add(with(horizontal(), 1));
         AcDbEntity* e = nullptr;
         ASSERT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForWrite), Acad::eOk);
         e->erase();
         e->close();
       }},
      {"invisible",
       [](SketchDrawing& d) {
         AcDbLine* line = with(horizontal(), 1);
         line->setVisibility(AcDb::kInvisible);
         d.add(line);
       }},
      {"block on a frozen layer",
       [](SketchDrawing& d) {
         AcDbObjectId b = d.block(L"B");
         d.add(with(horizontal(), 1), b);
         d.add(with(new AcDbBlockReference(AcGePoint3d(0, 0, 0), b), 256, d.layer(L"ICE", 1, false, true)));
       }},
  };
  for (const Case& c : cases) {
    SketchDrawing d;
    c.build(d);
    EXPECT_EQ(render(d.db()).count(inked), 0) << c.what;
  }
}

TEST(Render, ColoursResolveThroughLayersAndBlocks) {
  SketchDrawing d;
  const AcDbObjectId greenLayer = d.layer(L"GREEN", 3);
  d.add(with(horizontal(90), 256, greenLayer));  // ByLayer
  d.add(with(horizontal(80), 7));                // white draws black on white
  d.add(with(horizontal(70), 0));                // ByBlock outside a block: black
  // A block seen through a reference turned a quarter turn and scaled by 2:
  // block x runs up, block y runs left.
  const AcDbObjectId b = d.block(L"MARK");
  d.add(with(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)), 0), b);    // ByBlock: blue
  d.add(with(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 5, 0)), 1), b);     // red
  d.add(with(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(-5, 0, 0)), 256), b);  // layer 0: the reference's layer
  auto* ref = new AcDbBlockReference(AcGePoint3d(50, 40, 0), b);
  ref->setRotation(M_PI / 2);
  ref->setScaleFactors(AcGeScale3d(2));
  d.add(with(ref, 5, greenLayer));

  const Picture pic = render(d.db());
  EXPECT_TRUE(pic.near(50, 90, green));
  EXPECT_TRUE(pic.near(50, 80, dark));
  EXPECT_TRUE(pic.near(50, 70, dark));
  EXPECT_TRUE(pic.near(50, 50, blue));  // ByBlock line from (50,40) up to (50,60)
  EXPECT_TRUE(pic.near(45, 40, red));   // red line from (50,40) left to (40,40)
  EXPECT_TRUE(pic.near(50, 35, green)); // layer-0 line from (50,40) down to (50,30)
  EXPECT_EQ(pic.count(inked, 55, 35, 65, 45), 0) << "nothing of the block may stay unturned";
}

TEST(Render, AReferenceOnAnOffLayerHidesOnlyWhatTakesItsLayer) {
  SketchDrawing d;
  const AcDbObjectId b = d.block(L"TWO");
  d.add(with(horizontal(60), 1), b);                        // layer 0: takes the reference's layer
  d.add(with(horizontal(40), 3, d.layer(L"KEPT", 7)), b);   // a layer of its own, which is on
  d.add(with(new AcDbBlockReference(AcGePoint3d(0, 0, 0), b), 256, d.layer(L"OFF", 5, true)));
  const Picture pic = render(d.db());
  EXPECT_EQ(pic.count(red), 0);
  EXPECT_TRUE(pic.near(50, 40, green));
}

TEST(Render, LinetypesAndWeightsComeFromLayersAndReferences) {
  SketchDrawing d;
  const AcDbObjectId dashed = d.linetype(L"DASHED", {5, -5});
  // ByLayer weight: the layer's 2.11 mm.
  d.add(with(horizontal(80), 1, d.layer(L"HEAVY", 1, false, false, AcDbObjectId(), AcDb::kLnWt211)));
  // ByBlock linetype: the reference's dashes.
  const AcDbObjectId b = d.block(L"B");
  d.add(with(horizontal(40), 3, AcDbObjectId(), d.db().byBlockLinetype()), b);
  d.add(with(new AcDbBlockReference(AcGePoint3d(0, 0, 0), b), 1, AcDbObjectId(), dashed));
  const Picture pic = render(d.db());
  EXPECT_GE(pic.count(red, 50, 75, 50.4, 85), 7);
  const int dashes = pic.count(green, 10, 39, 90, 41);
  EXPECT_GT(dashes, 0);
  EXPECT_LT(dashes, pic.count(red, 10, 79, 90, 81) / 2);
}

TEST(Render, ArcsAndBulgesAreRound) {
  SketchDrawing d;
  // Bulge 1 from (20,50) to (80,50): the half circle about (50,50) below the chord.
  auto* pl = new AcDbPolyline;
  pl->addVertexAt(0, AcGePoint2d(20, 50), 1.0);
  pl->addVertexAt(1, AcGePoint2d(80, 50));
  d.add(with(pl, 1));
  // The same shape above, as a 2D polyline with bulge -1.
  AcGePoint3dArray pts;
  pts.append(AcGePoint3d(20, 50, 0));
  pts.append(AcGePoint3d(80, 50, 0));
  AcGeDoubleArray bulges;
  bulges.append(-1.0);
  bulges.append(0.0);
  d.add(with(new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 0, false, 0, 0, &bulges), 3));
  // A quarter arc of radius 10 about (50,50) from 0 to 90 degrees.
  d.add(with(new AcDbArc(AcGePoint3d(50, 50, 0), 10, 0, M_PI / 2), 5));

  const Picture pic = render(d.db());
  for (double a = 0.2; a < M_PI; a += 0.3) {
    EXPECT_TRUE(pic.near(50 + 30 * std::cos(a), 50 - 30 * std::sin(a), red)) << a;
    EXPECT_TRUE(pic.near(50 + 30 * std::cos(a), 50 + 30 * std::sin(a), green)) << a;
  }
  EXPECT_TRUE(pic.near(50 + 10 * std::cos(0.8), 50 + 10 * std::sin(0.8), blue));
  EXPECT_EQ(pic.count(blue, 35, 35, 49, 49), 0) << "the arc runs counter-clockwise from 0 to 90 degrees only";
  EXPECT_FALSE(pic.near(50, 50, inked, 2)) << "arcs, not chords";
}

TEST(Render, CirclesPointsAnd3dPolylines) {
  SketchDrawing d;
  d.add(with(new AcDbCircle(AcGePoint3d(50, 50, 0), AcGeVector3d(0, 0, 1), 20), 1));
  d.add(with(new AcDbPoint(AcGePoint3d(50, 50, 0)), 5));
  AcGePoint3dArray pts;
  pts.append(AcGePoint3d(10, 10, 5));
  pts.append(AcGePoint3d(90, 10, 50));
  pts.append(AcGePoint3d(90, 20, 0));
  d.add(with(new AcDb3dPolyline(AcDb::k3dSimplePoly, pts), 3));

  const Picture pic = render(d.db());
  for (double a = 0; a < 2 * M_PI; a += 0.5) EXPECT_TRUE(pic.near(50 + 20 * std::cos(a), 50 + 20 * std::sin(a), red));
  // The point: a cross of three pixels each way, not a dot and not a box.
  EXPECT_TRUE(pic.near(50, 50, blue, 0));
  EXPECT_TRUE(pic.near(51, 50, blue, 0));
  EXPECT_TRUE(pic.near(50, 49, blue, 0));
  EXPECT_FALSE(pic.near(51.2, 51.2, blue, 0));
  EXPECT_TRUE(pic.near(50, 10, green));
  EXPECT_TRUE(pic.near(90, 15, green));
}

TEST(Render, FacesDrawOnlyTheirVisibleEdges) {
  SketchDrawing d;
  // Edge 0 runs from corner 0 to corner 1, along the bottom.
  d.add(with(new AcDbFace(AcGePoint3d(20, 20, 0), AcGePoint3d(80, 20, 0), AcGePoint3d(80, 80, 0),
                          AcGePoint3d(20, 80, 0), false, true, true, true),
             1));
  const Picture pic = render(d.db());
  EXPECT_FALSE(pic.near(50, 20, inked, 2));
  EXPECT_TRUE(pic.near(80, 50, red));
  EXPECT_TRUE(pic.near(50, 80, red));
  EXPECT_TRUE(pic.near(20, 50, red));
  EXPECT_FALSE(pic.near(50, 50, inked, 3));
}

TEST(Render, AShadedTerrainLiesUnderLineworkDrawnBeforeIt) {
  // A break line along the faces' shared edge, drawn before the faces: over
  // a shaded terrain it still shows; in wireframe the later face edge wins.
  for (const bool shaded : {true, false}) {
    SketchDrawing d;
    d.add(with(new AcDbLine(AcGePoint3d(20, 20, 0), AcGePoint3d(80, 80, 0)), 1));
    d.add(with(new AcDbFace(AcGePoint3d(20, 20, 0), AcGePoint3d(80, 20, 0), AcGePoint3d(80, 80, 5)), 3));
    d.add(with(new AcDbFace(AcGePoint3d(20, 20, 0), AcGePoint3d(80, 80, 5), AcGePoint3d(20, 80, 10)), 3));
    DrawingRenderer renderer(d.db());
    renderer.setView(AcGePoint3d(50, 50, 0), 100);
    renderer.setShadeByElevation(shaded);
    const Picture pic(renderer.image(QSize(200, 200)));
    int redOnDiagonal = 0;
    for (double t = 30; t <= 70; t += 2) redOnDiagonal += pic.near(t, t, red);
    if (shaded) EXPECT_EQ(redOnDiagonal, 21) << "the break line is hidden by the shaded faces";
    else EXPECT_EQ(redOnDiagonal, 0) << "the later face edges should cover the line";
  }
}

TEST(Render, LinetypesDashAndLineWeightsWiden) {
  SketchDrawing d;
  const AcDbObjectId dashed = d.linetype(L"DASHED", {5, -5});  // 10 pixels on, 10 off
  d.add(with(horizontal(80), 1, AcDbObjectId(), dashed));
  d.add(with(horizontal(60), 1, d.layer(L"HIDDEN", 1, false, false, dashed)));  // ByLayer linetype
  d.add(with(horizontal(40), 1));
  auto* heavy = with(horizontal(20), 1);
  heavy->setLineWeight(AcDb::kLnWt211);
  d.add(heavy);

  const Picture pic = render(d.db());
  const int solid = pic.count(red, 10, 39, 90, 41);
  for (double y : {80.0, 60.0}) {
    const int dashes = pic.count(red, 10, y - 1, 90, y + 1);
    EXPECT_GT(dashes, solid * 3 / 10) << y;
    EXPECT_LT(dashes, solid * 7 / 10) << y;
  }
  // Across the heavy line (2.11 mm, about 8 pixels) and the default one.
  EXPECT_GE(pic.count(red, 50, 15, 50.4, 25), 7);
  EXPECT_LE(pic.count(red, 50, 35, 50.4, 45), 3);
}

TEST(Render, TextsSitOnTheirBaselineTurnedAndAligned) {
  SketchDrawing d;
  d.add(with(new AcDbText(AcGePoint3d(10, 80, 0), L"HELLO", AcDbObjectId(), 10), 1));
  d.add(with(new AcDbText(AcGePoint3d(50, 10, 0), L"UP", AcDbObjectId(), 8, M_PI / 2), 3));
  auto* right = with(new AcDbText(AcGePoint3d(0, 0, 0), L"END", AcDbObjectId(), 6), 5);
  right->setHorizontalMode(AcDb::kTextRight);
  right->setAlignmentPoint(AcGePoint3d(90, 50, 0));
  d.add(right);

  const Picture pic = render(d.db());
  // Capitals without descenders: all ink between the baseline and the cap height.
  EXPECT_GT(pic.count(red, 10, 80, 60, 90), 60);
  EXPECT_EQ(pic.count(red, 0, 0, 100, 79), 0);
  EXPECT_EQ(pic.count(red, 0, 91, 100, 100), 0);
  EXPECT_EQ(pic.count(red, 0, 0, 9.5, 100), 0);
  // Turned a quarter: it reads upwards, left of its insertion point.
  EXPECT_GT(pic.count(green, 41, 10, 50, 30), 20);
  EXPECT_EQ(pic.count(green, 51, 0, 100, 100), 0);
  EXPECT_EQ(pic.count(green, 0, 0, 100, 9.5), 0);
  // Right aligned: it ends at its alignment point.
  EXPECT_GT(pic.count(blue, 60, 50, 90, 56), 20);
  EXPECT_EQ(pic.count(blue, 90.5, 0, 100, 100), 0);
}

TEST(Render, AttributesOfReferencesAreDrawnUnlessInvisible) {
  SketchDrawing d;
  const AcDbObjectId b = d.block(L"PT");
  d.add(with(new AcDbPoint(AcGePoint3d(0, 0, 0)), 1), b);
  AcDbBlockReference* ref = with(new AcDbBlockReference(AcGePoint3d(20, 20, 0), b), 3);
  const AcDbObjectId refId = d.add(ref);
  {
    AcDbBlockReference* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, refId, AcDb::kForWrite), Acad::eOk);
    auto* shown = new AcDbAttribute(AcGePoint3d(25, 20, 0), L"101.25", L"ELEV");
    shown->setHeight(8);
    shown->setColorIndex(0);  // ByBlock: the reference's green
    open->appendAttribute(shown);
    shown->close();
    auto* hidden = new AcDbAttribute(AcGePoint3d(25, 60, 0), L"SECRET", L"NOTE");
    hidden->setHeight(8);
    hidden->setInvisible(true);
    open->appendAttribute(hidden);
    hidden->close();
    open->close();
  }
  const Picture pic = render(d.db());
  EXPECT_TRUE(pic.near(20, 20, red));
  EXPECT_GT(pic.count(green, 25, 20, 60, 28), 30);
  EXPECT_EQ(pic.count(inked, 0, 50, 100, 100), 0);
}

TEST(Render, TemporaryVectorsLieOnTop) {
  SketchDrawing d;
  d.add(with(horizontal(), 1));
  const Picture pic = render(d.db(), {{AcGePoint3d(50, 10, 0), AcGePoint3d(50, 90, 0), 3, false},
                                      {AcGePoint3d(10, 20, 0), AcGePoint3d(90, 20, 0), -1, true}});
  EXPECT_TRUE(pic.near(50, 50, green, 0));
  EXPECT_TRUE(pic.near(30, 50, red));
  EXPECT_TRUE(pic.near(50, 80, green));
  // Highlighted: dashed, in the colour that stands out from the background.
  int columns = 0;  // of the 160 the vector spans, those with ink
  for (double x = 10.25; x < 90; x += 0.5) columns += pic.count(dark, x, 19, x, 21) > 0;
  EXPECT_GT(columns, 160 * 4 / 10);
  EXPECT_LT(columns, 160 * 8 / 10);
}

TEST(Render, TheViewDecidesWhatIsSeen) {
  SketchDrawing d;
  d.add(with(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1000, 0, 0)), 1));
  DrawingRenderer renderer(d.db());
  renderer.setView(AcGePoint3d(500, 500, 0), 100);
  EXPECT_EQ(Picture(renderer.image(QSize(200, 200))).count(inked), 0);

  // Without a view the extents fill the picture, up to the margin.
  renderer.clearView();
  const QImage whole = renderer.image(QSize(300, 100));
  const int margin = int(DrawingRenderer::marginFor(QSize(300, 100)));
  int first = -1, last = -1;
  for (int x = 0; x < whole.width(); ++x)
    for (int y = 0; y < whole.height(); ++y)
      if (red(whole.pixelColor(x, y))) {
        if (first < 0) first = x;
        last = x;
      }
  EXPECT_NEAR(first, margin, 2);
  EXPECT_NEAR(last, 300 - margin, 2);
}

TEST(Render, FilesArePngOrSvgAndErrorsNameTheFile) {
  SketchDrawing d;
  d.add(with(horizontal(), 1));
  DrawingRenderer renderer(d.db());
  QTemporaryDir dir;
  const std::wstring png = dir.filePath("a.PNG").toStdWString();
  ASSERT_TRUE(renderer.writeFile(png, QSize(320, 240)).ok);
  const QImage back(QString::fromStdWString(png));
  EXPECT_EQ(back.size(), QSize(320, 240));

  const QString svg = dir.filePath("a.svg");
  ASSERT_TRUE(renderer.writeFile(svg.toStdWString(), QSize(320, 240)).ok);
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  EXPECT_TRUE(text.contains("<svg"));
  EXPECT_TRUE(text.contains("#ff0000"));

  for (const std::wstring& bad : {dir.filePath("a.bmp").toStdWString(), dir.filePath("no/such/a.png").toStdWString()}) {
    const uv::render::RenderResult r = renderer.writeFile(bad, QSize(10, 10));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(bad), std::wstring::npos) << QString::fromStdWString(r.message).toStdString();
  }
}

// The pictures this program draws carry its mark; other files, pictures
// included, do not, and only the marked ones are drawn over without asking.
TEST(Render, OnlyThePicturesDrawnHereBearTheMark) {
  SketchDrawing d;
  d.add(with(horizontal(), 1));
  DrawingRenderer renderer(d.db());
  QTemporaryDir dir;
  auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)).toStdWString(); };
  ASSERT_TRUE(renderer.writeFile(path("drawn.png"), QSize(40, 30)).ok);
  ASSERT_TRUE(renderer.writeFile(path("drawn.svg"), QSize(40, 30)).ok);
  // The same pixels saved by another program, without the mark.
  ASSERT_TRUE(renderer.image(QSize(40, 30)).save(QString::fromStdWString(path("photo.png")), "PNG"));
  QImage other = renderer.image(QSize(40, 30));
  other.setText(QStringLiteral("Software"), QStringLiteral("cadhost 2"));
  ASSERT_TRUE(other.save(QString::fromStdWString(path("near.png")), "PNG"));
  auto write = [&](const char* name, const QByteArray& bytes) {
    QFile f(QString::fromStdWString(path(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  };
  write("plan.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><desc>Drawn by hand</desc></svg>");
  write("notes.png", "Software\0cadhost, but no picture");
  QFile drawn(QString::fromStdWString(path("drawn.png")));
  ASSERT_TRUE(drawn.open(QIODevice::ReadOnly));
  write("cut.png", drawn.read(40));  // cut inside its chunks

  const struct {
    const char* name;
    bool marked;
  } cases[] = {{"drawn.png", true},  {"drawn.svg", true}, {"photo.png", false}, {"near.png", false},
               {"plan.svg", false},  {"notes.png", false}, {"cut.png", false},  {"missing.png", false}};
  for (const auto& c : cases) EXPECT_EQ(uv::render::isPictureDrawnHere(path(c.name)), c.marked) << c.name;
}

TEST(Render, TextControlCodes) {
  EXPECT_EQ(uv::render::TextPainter::decodeControlCodes(L"45%%d 3%%p1 %%c8 100%%%"),
            QString::fromStdWString(L"45\u00B0 3\u00B11 \u23008 100%"));
  EXPECT_EQ(uv::render::TextPainter::decodeControlCodes(L"%%uUnder%%u 5%"), QStringLiteral("Under 5%"));
}
