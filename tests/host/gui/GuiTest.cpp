// The desktop program driven as a person drives it, offscreen: commands
// typed at the command line, answers typed or given in the drawing view,
// selections by click, window and crossing, the progress meter, the view's
// zoom and pan, the layer panel.
#include <gtest/gtest.h>

#include <cmath>

#include <QAction>
#include <QApplication>
#include <QWheelEvent>
#include <QImage>
#include <QProgressBar>
#include <QTest>
#include <QTreeWidget>

#include "GuiTestSupport.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbFace.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
#include "ed/AcApDocument.h"
#include "host/gui/CommandLine.h"
#include "host/gui/DesktopUser.h"
#include "host/gui/DrawingView.h"
#include "host/gui/LayerPanel.h"
#include "host/render/DrawingIndex.h"
#include "host/render/DrawingRenderer.h"
#include "tests/platform/ui/QtTestEnvironment.h"

namespace uvtest {
namespace {

using P = AcGePoint3d;

bool near(const P& a, const P& b, double tolerance) {
  return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance;
}

// One view pixel in drawing units, for clicked points.
double pixel(const GuiFixture& f, const uv::gui::MainWindow& w) {
  const AcApDocument* doc = f.session->document();
  return const_cast<AcApDocument*>(doc)->view().height() / w.view().height();
}

class GuiTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    load(probeModule());
  }
};

TEST_F(GuiTest, PointsTypedOrClickedMakeTheLine) {
  struct Case {
    const char* name;
    std::function<void(GuiTest&)> first, second;
    P start, end;
  };
  const std::vector<Case> cases = {
      {"typed", [](GuiTest& t) { t.type("10,20"); }, [](GuiTest& t) { t.type("30,-5"); }, P(10, 20, 0), P(30, -5, 0)},
      {"typed relative", [](GuiTest& t) { t.type("1,2"); }, [](GuiTest& t) { t.type("@4,-1"); }, P(1, 2, 0), P(5, 1, 0)},
      {"clicked", [](GuiTest& t) { t.clickAt(P(-20, -10, 0)); }, [](GuiTest& t) { t.clickAt(P(15, 12, 0)); },
       P(-20, -10, 0), P(15, 12, 0)},
      // A text that is no point is refused and the same question waits on.
      {"mistyped, then typed", [](GuiTest& t) { t.type("ten,20"); t.type("10,20"); },
       [](GuiTest& t) { t.type("12,22"); }, P(10, 20, 0), P(12, 22, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t before = lines().size();
    then([&] { c.first(*this); });
    then([&] { c.second(*this); });
    type("gLiNe");  // any letter case
    ASSERT_EQ(lines().size(), before + 1);
    const double tolerance = std::max(1e-9, 1.5 * pixel(*this, *window));
    EXPECT_TRUE(near(lines().back().start, c.start, tolerance));
    EXPECT_TRUE(near(lines().back().end, c.end, tolerance));
    EXPECT_EQ(steps(), 0u);
  }
}

TEST_F(GuiTest, TheRubberBandRunsFromTheBasePointToTheCursor) {
  bool inked = false;
  then([this] { clickAt(P(-30, 0, 0)); });
  then([this, &inked] {
    uv::gui::DrawingView& view = window->view();
    EXPECT_EQ(view.mode(), uv::gui::DrawingView::Mode::kPoint);
    QTest::mouseMove(&view, pixelOf(P(30, 0, 0)));
    const QImage shot = view.grab().toImage();
    // The dashed band crosses the middle: some pixel of that row near x=0 carries ink.
    const QPoint mid = pixelOf(P(0, 0, 0));
    for (int dx = -6; dx <= 6 && !inked; ++dx) inked = qGray(shot.pixel(mid.x() + dx, mid.y())) < 160;
    type("30,0");
  });
  type("GLINE");
  EXPECT_TRUE(inked);
  EXPECT_EQ(lines().size(), 1u);
}

TEST_F(GuiTest, ACornerMakesTheRectangle) {
  then([this] { clickAt(P(-10, -10, 0)); });
  then([this] {
    EXPECT_EQ(window->view().mode(), uv::gui::DrawingView::Mode::kCorner);
    clickAt(P(20, 10, 0));
  });
  type("GRECT");
  ASSERT_EQ(lines().size(), 4u);
  const double tolerance = 1.5 * pixel(*this, *window);
  EXPECT_TRUE(near(lines()[1].end, P(20, 10, 0), tolerance));
}

TEST_F(GuiTest, EscapeCancelsTheCommandAndEnterRepeatsIt) {
  then([this] { type("0,0"); });
  then([this] {
    QTest::keyClick(window->commandLine().input(), Qt::Key_Escape);
  });
  type("GLINE");
  EXPECT_TRUE(lines().empty());
  // An empty line runs the last command again; a right click in the view is Enter.
  then([this] { type("0,0"); });
  then([this] { clickAt(P(5, 5, 0), Qt::RightButton); });
  type("");
  EXPECT_TRUE(lines().empty());
  EXPECT_NE(window->commandLine().transcript()->toPlainText().indexOf("GLINE"), -1);
}

TEST_F(GuiTest, SelectionsByClickWindowAndCrossing) {
  // Three short lines: A left, B in the middle, C right.
  struct Case {
    const char* name;
    std::function<void(GuiTest&)> gesture;
    std::vector<int> kept;  // indexes of A, B, C left in the drawing
  };
  const std::vector<Case> cases = {
      // Window to the right around A alone, and touching B: only A, wholly inside, goes.
      {"window", [](GuiTest& t) { t.dragFrom(P(-35, -8, 0), P(-2, 8, 0)); }, {1, 2}},
      // Crossing to the left over half of B: B goes.
      {"crossing", [](GuiTest& t) { t.dragFrom(P(2, 8, 0), P(-2, -8, 0)); }, {0, 2}},
      {"click", [](GuiTest& t) { t.clickAt(P(25, 0, 0)); }, {0, 1}},
      {"click and window", [](GuiTest& t) {
         t.clickAt(P(25, 0, 0));
         t.dragFrom(P(-35, -8, 0), P(-15, 8, 0));
       }, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window->newDrawing();
    addLine(P(-30, 0, 0), P(-20, 0, 0));
    addLine(P(-5, 0, 0), P(5, 0, 0));
    addLine(P(20, 0, 0), P(30, 0, 0));
    const std::vector<LineSeen> all = lines();
    then([&] {
      EXPECT_EQ(window->view().mode(), uv::gui::DrawingView::Mode::kSelect);
      c.gesture(*this);
      type("");  // Enter ends the selection
    });
    type("GERASE");
    const std::vector<LineSeen> left = lines();
    ASSERT_EQ(left.size(), c.kept.size());
    for (size_t i = 0; i < left.size(); ++i) EXPECT_TRUE(near(left[i].start, all[size_t(c.kept[i])].start, 1e-9));
  }
}

TEST_F(GuiTest, TextsNumbersAndKeywordsAreTypedAtTheCommandLine) {
  then([this] {
    QTest::keyClicks(window->commandLine().input(), "North fence");  // spaces belong to this text
    QTest::keyClick(window->commandLine().input(), Qt::Key_Return);
  });
  then([this] {
    type("twelve");  // not a number: the question waits on
    type("12.5");
  });
  then([this] { type("r"); });  // the start of one keyword
  type("GASK");
  ASSERT_EQ(texts().size(), 1u);
  EXPECT_EQ(texts()[0], L"North fence|12.5|Right");
  EXPECT_NE(window->commandLine().transcript()->toPlainText().indexOf("Requires a number"), -1);
}

TEST_F(GuiTest, UpAndDownRecallEarlierInput) {
  type("NOSUCH");
  type("OTHER");
  EXPECT_NE(window->commandLine().transcript()->toPlainText().indexOf("Unknown command \"NOSUCH\""), -1);
  QLineEdit* input = window->commandLine().input();
  QTest::keyClick(input, Qt::Key_Up);
  EXPECT_EQ(input->text(), "OTHER");
  QTest::keyClick(input, Qt::Key_Up);
  EXPECT_EQ(input->text(), "NOSUCH");
  QTest::keyClick(input, Qt::Key_Down);
  EXPECT_EQ(input->text(), "OTHER");
  QTest::keyClick(input, Qt::Key_Down);
  EXPECT_EQ(input->text(), "");
  // Unknown commands are not part of the session.
  EXPECT_TRUE(std::none_of(window->recorder().lines().begin(), window->recorder().lines().end(),
                           [](const std::wstring& l) { return l == L"NOSUCH"; }));
}

TEST_F(GuiTest, TheProgressMeterMovesInTheStatusBar) {
  std::vector<int> seen;
  bool shown = false;
  QProgressBar& bar = window->progress();
  QObject::connect(&bar, &QProgressBar::valueChanged, [&](int v) {
    seen.push_back(v);
    shown = shown || bar.isVisible();
  });
  type("GPROG");
  EXPECT_TRUE(shown);
  ASSERT_GE(seen.size(), 10u);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(seen.back(), 40);
  EXPECT_FALSE(bar.isVisible());  // the status bar is back as it was
}

TEST_F(GuiTest, ALongLoopRedrawsTheBarOncePerPercent) {
  std::vector<int> seen;
  QProgressBar& bar = window->progress();
  QObject::connect(&bar, &QProgressBar::valueChanged, [&](int v) { seen.push_back(v); });
  type("GPROGLONG");
  ASSERT_GE(seen.size(), 100u);
  EXPECT_LE(seen.size(), 102u);  // a percent each, and the end
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(seen.back(), 2000000);
  EXPECT_FALSE(bar.isVisible());
}

TEST_F(GuiTest, WheelZoomsAboutTheCursorMiddleDragPansDoubleClickShowsAll) {
  addLine(P(0, 0, 0), P(1000, 500, 0));
  uv::gui::DrawingView& view = window->view();
  view.zoomExtents();
  uv::ViewState& state = session->document()->view();
  const double height = state.height();
  const QPoint at = pixelOf(P(250, 100, 0));
  const P before = view.toDrawing(at);
  QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&view, &wheel);
  EXPECT_LT(state.height(), height * 0.7);  // two notches in
  EXPECT_TRUE(near(view.toDrawing(at), before, 1e-6 * height));
  const P centre = state.centre();
  QTest::mousePress(&view, Qt::MiddleButton, Qt::NoModifier, QPoint(100, 100));
  QMouseEvent move(QEvent::MouseMove, QPointF(160, 100), view.mapToGlobal(QPointF(160, 100)), Qt::NoButton,
                   Qt::MiddleButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &move);
  QTest::mouseRelease(&view, Qt::MiddleButton, Qt::NoModifier, QPoint(160, 100));
  EXPECT_LT(state.centre().x, centre.x);  // the drawing moved right under the cursor
  QTest::mouseDClick(&view, Qt::MiddleButton, Qt::NoModifier, QPoint(50, 50));
  EXPECT_NEAR(state.height(), height, 1e-9 * height);
}

TEST_F(GuiTest, TheLayerPanelTurnsLayersOffAndTheSessionSaysSo) {
  uv::gui::LayerPanel& panel = window->layers();
  panel.refresh(&db());
  ASSERT_GE(panel.topLevelItemCount(), 1);
  QTreeWidgetItem* zero = panel.topLevelItem(0);
  EXPECT_EQ(zero->text(0), "0");
  zero->setCheckState(0, Qt::Unchecked);
  AcDbLayerTable* table = nullptr;
  ASSERT_EQ(db().getLayerTable(table, AcDb::kForRead), Acad::eOk);
  AcDbLayerTableRecord* layer = nullptr;
  ASSERT_EQ(table->getAt(L"0", layer, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(layer->isOff());
  layer->close();
  table->close();
  EXPECT_EQ(window->recorder().lines().back(), L"layer \"0\" off");
}

TEST_F(GuiTest, ShadingAndTheDarkBackgroundReachTheSavedPictureAndTheSession) {
  {
    // One face from 0 to 100 m of elevation, shown whole.
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db().modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    auto* face = new AcDbFace(P(0, 0, 0), P(10, 0, 100), P(5, 10, 50));
    ASSERT_EQ(space->appendAcDbEntity(id, face), Acad::eOk);
    face->close();
    space->close();
  }
  window->view().zoomExtents();
  auto* dark = window->findChild<QAction*>(QStringLiteral("actionDark"));
  auto* shade = window->findChild<QAction*>(QStringLiteral("actionShade"));
  ASSERT_TRUE(dark && shade);
  const QString plain = QString::fromStdString(workFolder("shade") + "/plain.png");
  const QString shaded = QString::fromStdString(workFolder("shade") + "/shaded.png");
  ASSERT_TRUE(window->savePicture(plain));
  dark->setChecked(true);
  shade->setChecked(true);
  ASSERT_TRUE(window->savePicture(shaded));
  const QImage before(plain), after(shaded);
  ASSERT_FALSE(before.isNull());
  ASSERT_FALSE(after.isNull());
  // The middle of the face: bare in the first picture, filled in the second;
  // a corner of the view, outside the face: white, then the dark background.
  const QPoint middle = pixelOf(P(5, 4, 0));
  EXPECT_EQ(before.pixelColor(middle), QColor(Qt::white));
  EXPECT_NE(after.pixelColor(middle), QColor(Qt::white));
  EXPECT_NE(after.pixelColor(middle), QColor(33, 40, 48));
  EXPECT_EQ(after.pixelColor(1, 1), QColor(33, 40, 48));
  // Replayed in batch, the session draws the same picture.
  const std::vector<std::wstring>& lines = window->recorder().lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], L"background dark");
  EXPECT_EQ(lines[lines.size() - 2], L"shade elevation");
}

TEST_F(GuiTest, TheViewShowsWhatTheDrawingHoldsAfterEachCommandUndoAndRedo) {
  // The view keeps its index of the drawing from command to command; after
  // each, its picture is the one an index built afresh paints.
  auto seen = [this] { return window->view().grab().toImage().convertToFormat(QImage::Format_RGB32); };
  auto fresh = [this] {
    AcApDocument* doc = session->document();
    const uv::render::DrawingIndex index = uv::render::DrawingIndex::build(db());
    uv::render::DrawingRenderer renderer(db());
    renderer.setIndex(&index);
    renderer.setView(doc->view().centre(), doc->view().height());
    renderer.setBackground(window->view().background());
    renderer.setTemporaryVectors(doc->temporaryGraphics().vectors());
    return renderer.image(window->view().size()).convertToFormat(QImage::Format_RGB32);
  };
  struct Case {
    const char* what;
    std::function<void()> act;
    size_t lines;  // in the drawing after it
  };
  const std::vector<Case> cases = {
      {"a line",
       [this] {
         then([this] { type("0,0"); });
         then([this] { type("40,30"); });
         type("GLINE");
         window->view().zoomExtents();
       },
       1},
      {"a rectangle",
       [this] {
         then([this] { type("-30,-20"); });
         then([this] { type("-10,-5"); });
         type("GRECT");
       },
       5},
      {"zoomed to the extents, then out with the wheel",
       [this] {
         window->findChild<QAction*>(QStringLiteral("actionZoomExtents"))->trigger();
         QWheelEvent wheel(QPointF(100, 100), window->view().mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
                           Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
         QApplication::sendEvent(&window->view(), &wheel);
       },
       5},
      {"the line moved",
       [this] {
         then([this] {
           dragFrom(P(-1, -1, 0), P(41, 31, 0));  // a window around the line alone
           type("");
         });
         then([this] { type("0,0"); });
         then([this] { type("12,-25"); });
         type("GMOVE");
       },
       5},
      {"an edge of the rectangle erased",
       [this] {
         then([this] {
           clickAt(P(-20, -20, 0));
           type("");
         });
         type("GERASE");
       },
       4},
      {"Undo of the erase", [this] { type("UNDO"); }, 5},
      {"Undo of the move", [this] { type("UNDO"); }, 5},
      {"Redo of the move", [this] { type("REDO"); }, 5},
      {"Undo of the move and the rectangle",
       [this] {
         type("UNDO");
         type("UNDO");
       },
       1},
      {"Redo of the rectangle", [this] { type("REDO"); }, 5},
  };
  for (const Case& c : cases) {
    c.act();
    ASSERT_EQ(steps(), 0u) << c.what;
    EXPECT_EQ(lines().size(), c.lines) << c.what;
    const QImage shown = seen(), expected = fresh();
    EXPECT_TRUE(shown == expected) << c.what;
  }
  // The move undone, the line shows where it was and not where it went.
  const QImage last = seen();
  const QPoint was = pixelOf(P(20, 15, 0)), went = pixelOf(P(32, -10, 0));
  ASSERT_TRUE(last.rect().contains(was) && last.rect().contains(went));
  auto inked = [&](const QPoint& at) {  // within a pixel of it, for the smoothing of the line
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (last.pixelColor(at + QPoint(dx, dy)) != window->view().background()) return true;
    return false;
  };
  EXPECT_TRUE(inked(was));
  EXPECT_FALSE(inked(went));
}

}  // namespace
}  // namespace uvtest
