// A session at the desktop program with the product's module: the surface
// manager and the load-points dialog worked through their widgets, the
// dialog stepping aside while a selection is made in the view; then the
// session, saved as a job, replayed by cadhost in batch gives the drawing
// the person made.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include <QAbstractButton>
#include <QAction>
#include <QPlainTextEdit>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QLineEdit>
#include <QProcess>
#include <QTabBar>
#include <QTest>
#include <QToolBar>

#include "GuiTestSupport.h"
#include "base/TextCase.h"
#include "host/gui/CommandLine.h"
#include "host/gui/DrawingView.h"
#include "host/gui/MainWindow.h"
#include "tests/platform/ui/QtTestEnvironment.h"

namespace uvtest {
namespace {

using P = AcGePoint3d;

// The shown widget of that name in the window (pages not shown hold their own).
template <class W>
W* shown(QWidget* window, const QString& name) {
  for (W* w : window->findChildren<W*>(name))
    if (w->isVisible()) return w;
  ADD_FAILURE() << "no visible " << name.toStdString();
  return nullptr;
}

void click(QWidget* window, const char* name) {
  if (auto* b = shown<QAbstractButton>(window, QString::fromLatin1(name))) QTest::mouseClick(b, Qt::LeftButton);
}

void typeInto(QWidget* window, const char* name, const QString& text) {
  if (auto* e = shown<QLineEdit>(window, QString::fromLatin1(name) + QStringLiteral(".text"))) {
    e->setFocus();
    QTest::keyClicks(e, text);
  }
}

void choosePage(QWidget* window, const QString& title) {
  for (QTabBar* bar : window->findChildren<QTabBar*>())
    for (int i = 0; i < bar->count(); ++i)
      if (bar->tabText(i).contains(title)) QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(i).center());
}

class GuiSessionTest : public GuiFixture {};

TEST_F(GuiSessionTest, DialogsWorkedThroughWidgetsAndTheSessionReplaysInBatch) {
  window->loadModule(QString::fromStdString(probeModule()));
  window->loadModule(QString::fromStdString(mainModule()));
  ASSERT_NE(window->findChild<QAction*>(QStringLiteral("command_SURFMAN")), nullptr);
  // Each command's button shows letters of its own, even where names begin alike.
  std::set<QString> faces;
  for (QAction* a : window->findChild<QToolBar*>(QStringLiteral("commandsToolBar"))->actions())
    EXPECT_TRUE(faces.insert(a->iconText()).second) << a->text().toStdString() << " " << a->iconText().toStdString();
  EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("command_SLOJNICE"))->iconText(), QStringLiteral("SL"));
  EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("command_slojniceoznake"))->iconText(), QStringLiteral("SO"));

  // The surface manager: a new surface "Teren".
  whenModal([](QWidget* manager) {
    whenModal([manager](QWidget* fresh) {
      whenModal([](QWidget* back) { click(back, "IDCLOSE"); }, fresh);
      typeInto(fresh, "IDC_NAME", QStringLiteral("Teren"));
      click(fresh, "IDOK");
    }, manager);
    click(manager, "IDC_NEW");
  });
  type("SURFMAN");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // Points for "Teren": first from the drawing (the dialog steps aside for the
  // selection in the view), then the survey file.
  bool hiddenWhileSelecting = false, backAfter = false;
  then([&] {
    QWidget* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName().startsWith(QStringLiteral("dialog"))) dialog = w;
    hiddenWhileSelecting = dialog && !dialog->isVisible();
    EXPECT_EQ(window->view().mode(), uv::gui::DrawingView::Mode::kSelect);
    dragFrom(P(-40, -30, 0), P(40, 30, 0));
    type("");
  });
  whenModal([&](QWidget* points) {
    click(points, "IDC_ADD");  // the drawing page: a selection
    backAfter = points->isVisible();
    choosePage(points, QStringLiteral("text"));
    typeInto(points, "IDC_FILE", QString::fromStdString(sourceFile("samples/points/site.xyz")));
    click(points, "IDC_ADD");
    click(points, "IDCLOSE");
  });
  type("call CallLoadPoints \"Teren\"");
  EXPECT_TRUE(hiddenWhileSelecting);
  EXPECT_TRUE(backAfter);

  // A line with the probe module, so the replay has commands of both.
  then([this] { type("5,5"); });
  then([this] { clickAt(P(20, 10, 0)); });
  type("GLINE");
  ASSERT_EQ(lines().size(), 1u);
  // Undo and Redo of the line, typed and from the Edit menu: in the session too.
  type("undo");
  EXPECT_TRUE(lines().empty());
  window->findChild<QAction*>(QStringLiteral("actionRedo"))->trigger();
  ASSERT_EQ(lines().size(), 1u);

  const std::string folder = workFolder("session");
  const std::string person = folder + "/person.dxf", job = folder + "/session.job", replay = folder + "/replay.dxf";

  // A file dialog that asks before it takes an existing file: the question
  // is the host's message box, and the session records the answer.
  const QString taken = QString::fromStdString(folder + "/taken.txt");
  {
    QFile file(taken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kept\n");
  }
  bool asked = false;
  whenModal([&](QWidget* files) {
    whenModal([&](QWidget* box) {
      asked = box->objectName() == QStringLiteral("messageBox");
      auto* question = qobject_cast<QMessageBox*>(box);
      ASSERT_NE(question, nullptr);
      question->button(QMessageBox::Yes)->click();
    }, files);
    auto* dialog = qobject_cast<QFileDialog*>(files);
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(taken);  // goes to the file's folder
    // selectFile leaves the name alone while the name field has the focus,
    // which it may or may not have by now: the name is typed as a person would.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QFileInfo(taken).fileName());
    QMetaObject::invokeMethod(dialog, "accept");  // as the Save button does
  });
  type("GSAVE");
  EXPECT_TRUE(asked);
  ASSERT_EQ(texts().size(), 1u);
  EXPECT_EQ(QString::fromStdWString(texts().front()), taken);
  const std::wstring recorded = window->recorder().text();
  const size_t fileLine = recorded.find(L"file \"" + taken.toStdWString() + L"\"");
  ASSERT_NE(fileLine, std::wstring::npos) << uv::toUtf8(recorded);
  EXPECT_EQ(recorded.find(L"answer yes", fileLine), recorded.find(L'\n', fileLine) + 1) << uv::toUtf8(recorded);
  session->saveDrawing(uv::fromUtf8(person));  // not part of the session
  ASSERT_TRUE(window->saveSession(QString::fromStdString(job)));

  QProcess batch;
  batch.setWorkingDirectory(QString::fromStdString(folder));
  batch.start(QString::fromStdString(cadhost()),
              {QStringLiteral("--quiet"), QStringLiteral("--job"), QString::fromStdString(job), QStringLiteral("--save"),
               QString::fromStdString(replay)});
  ASSERT_TRUE(batch.waitForFinished(120000));
  ASSERT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString() << "\n"
                                 << window->recorder().text().size();
  QProcess check;
  check.start(QStringLiteral("/usr/bin/python3"),
              {QString::fromStdString(sourceFile("tests/host/gui/same_drawing.py")), QString::fromStdString(person),
               QString::fromStdString(replay), QStringLiteral("Teren"), QStringLiteral("300")});
  ASSERT_TRUE(check.waitForFinished(120000));
  EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
}

void makeSurface(GuiFixture& f) {
  GuiFixture::whenModal([](QWidget* manager) {
    GuiFixture::whenModal([manager](QWidget* fresh) {
      GuiFixture::whenModal([](QWidget* back) { click(back, "IDCLOSE"); }, fresh);
      typeInto(fresh, "IDC_NAME", QStringLiteral("Teren"));
      click(fresh, "IDOK");
    }, manager);
    click(manager, "IDC_NEW");
  });
  f.type("SURFMAN");
}

void loadSurvey(GuiFixture& f) {
  GuiFixture::whenModal([](QWidget* points) {
    choosePage(points, QStringLiteral("text"));
    typeInto(points, "IDC_FILE", QString::fromStdString(sourceFile("samples/points/site.xyz")));
    click(points, "IDC_ADD");
    click(points, "IDCLOSE");
  });
  f.type("call CallLoadPoints \"Teren\"");
}

// The two files hold the same bytes.
bool sameBytes(const std::string& a, const std::string& b) {
  QFile fa(QString::fromStdString(a)), fb(QString::fromStdString(b));
  return fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly) && fa.readAll() == fb.readAll();
}

bool sameDrawing(const std::string& a, const std::string& b, const char* surface = nullptr, int least = 0) {
  QStringList args = {QString::fromStdString(sourceFile("tests/host/gui/same_drawing.py")), QString::fromStdString(a),
                      QString::fromStdString(b)};
  if (surface) args << QString::fromLatin1(surface) << QString::number(least);
  QProcess check;
  check.start(QStringLiteral("/usr/bin/python3"), args);
  if (!check.waitForFinished(120000)) return false;
  if (check.exitCode() != 0) ADD_FAILURE() << check.readAllStandardError().toStdString();
  return check.exitCode() == 0;
}

TEST_F(GuiSessionTest, UndoAndRedoPutTheDrawingAndItsSurfacesBackExactly) {
  window->loadModule(QString::fromStdString(mainModule()));
  const std::string folder = workFolder("undo");
  auto save = [&](const char* name) {
    const std::string path = folder + "/" + name;
    session->saveDrawing(uv::fromUtf8(path));
    return path;
  };
  const std::string start = save("start.dxf");
  makeSurface(*this);
  const std::string empty = save("empty.dxf");
  loadSurvey(*this);
  const std::string loaded = save("loaded.dxf");

  QAction* undo = window->findChild<QAction*>(QStringLiteral("actionUndo"));
  ASSERT_TRUE(undo->isEnabled());
  EXPECT_TRUE(undo->text().contains(QStringLiteral("CallLoadPoints")));
  undo->trigger();
  // The drawing of before, down to its handles: the file byte for byte.
  EXPECT_TRUE(sameBytes(empty, save("undone.dxf")));
  // The module's surface manager reads the drawing again: loading once more gives the same surface.
  loadSurvey(*this);
  EXPECT_TRUE(sameDrawing(loaded, save("again.dxf"), "Teren", 300));
  const std::string again = save("again-saved.dxf");
  type("UNDO");
  type("UNDO");
  EXPECT_TRUE(sameBytes(start, save("back.dxf")));
  type("REDO");
  type("REDO");
  EXPECT_TRUE(sameBytes(again, save("redone.dxf")));
  EXPECT_TRUE(sameDrawing(loaded, save("redone.dxf"), "Teren", 300));
  type("REDO");  // nothing more to redo
  EXPECT_NE(window->commandLine().transcript()->toPlainText().indexOf("Nothing to redo."), -1);
}

}  // namespace
}  // namespace uvtest
