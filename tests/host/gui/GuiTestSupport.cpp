#include "GuiTestSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "base/TextCase.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbBlockTableRecordIterator.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLine.h"
#include "db/AcDbText.h"
#include "ed/AcApDocument.h"
#include "host/gui/CommandLine.h"
#include "host/gui/DesktopUser.h"
#include "host/gui/DrawingView.h"

namespace uvtest {

namespace fs = std::filesystem;

Watchdog::Watchdog(int seconds) {
  const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  m_thread = std::thread([this, seconds, name] {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_done.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_finished; })) {
      std::fprintf(stderr, "%s: still waiting after %d s (a window is waiting for input nobody gives)\n", name.c_str(),
                   seconds);
      std::_Exit(3);
    }
  });
}

Watchdog::~Watchdog() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_finished = true;
  }
  m_done.notify_all();
  m_thread.join();
}

void GuiFixture::SetUp() {
  m_watchdog = std::make_unique<Watchdog>(120);
  session = std::make_unique<uv::host::HostSession>(800, 600);
  session->newDrawing();
  window = std::make_unique<uv::gui::MainWindow>(*session);
  window->resize(1000, 760);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QObject::connect(&window->user(), &uv::gui::DesktopUser::questionAsked, window.get(), [this] {
    if (m_steps.empty()) return;
    std::function<void()> step = std::move(m_steps.front());
    m_steps.pop_front();
    QTimer::singleShot(0, window.get(), step);
  });
}

void GuiFixture::TearDown() {
  window.reset();
  session.reset();
  m_watchdog.reset();
}

void GuiFixture::load(const std::string& path) {
  session->loadModule(uv::fromUtf8(path));
  window->rebuildCommandMenus();
}

void GuiFixture::type(const QString& text) {
  QLineEdit* input = window->commandLine().input();
  input->setFocus();
  QTest::keyClicks(input, text);
  QTest::keyClick(input, Qt::Key_Return);
}

void GuiFixture::whenModal(std::function<void(QWidget*)> step, QWidget* notThis) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, step, notThis] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == notThis || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    step(modal);
  });
  timer->start();
}

QPoint GuiFixture::pixelOf(const AcGePoint3d& p) const { return window->view().toPixel(p).toPoint(); }

void GuiFixture::clickAt(const AcGePoint3d& p, Qt::MouseButton button) {
  QTest::mouseClick(&window->view(), button, Qt::NoModifier, pixelOf(p));
}

void GuiFixture::dragFrom(const AcGePoint3d& from, const AcGePoint3d& to) {
  uv::gui::DrawingView* view = &window->view();
  QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, pixelOf(from));
  QTest::mouseMove(view, pixelOf(to));
  QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, pixelOf(to));
}

AcDbDatabase& GuiFixture::db() const { return *session->document()->database(); }

namespace {
template <class F>
void eachEntity(AcDbDatabase& db, F f) {
  AcDbBlockTableRecord* ms = nullptr;
  if (acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForRead) != Acad::eOk) return;
  AcDbBlockTableRecordIterator* it = nullptr;
  ms->newIterator(it);
  for (; it && !it->done(); it->step()) {
    AcDbEntity* e = nullptr;
    if (it->getEntity(e, AcDb::kForRead) != Acad::eOk) continue;
    f(*e);
    e->close();
  }
  delete it;
  ms->close();
}
}  // namespace

std::vector<LineSeen> GuiFixture::lines() const {
  std::vector<LineSeen> out;
  eachEntity(db(), [&](AcDbEntity& e) {
    if (auto* l = AcDbLine::cast(&e)) out.push_back({l->startPoint(), l->endPoint()});
  });
  return out;
}

std::vector<std::wstring> GuiFixture::texts() const {
  std::vector<std::wstring> out;
  eachEntity(db(), [&](AcDbEntity& e) {
    if (auto* t = AcDbText::cast(&e)) out.push_back(t->textStringConst());
  });
  return out;
}

void GuiFixture::addLine(const AcGePoint3d& a, const AcGePoint3d& b) {
  AcDbBlockTableRecord* ms = nullptr;
  ASSERT_EQ(acdbOpenObject(ms, db().modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  auto* line = new AcDbLine(a, b);
  ASSERT_EQ(ms->appendAcDbEntity(line), Acad::eOk);
  line->close();
  ms->close();
  window->view().drawingChanged();
}

std::string probeModule() { return UV_PROBE_MODULE; }
std::string mainModule() { return UV_MAIN_MODULE; }
std::string cadhost() { return UV_CADHOST; }
std::string sourceFile(const std::string& relative) { return std::string(UV_SOURCE_DIR) + "/" + relative; }

std::string workFolder(const std::string& name) {
  const char* build = std::getenv("UV_BUILD_DIR");
  fs::path folder = (build ? fs::path(build) : fs::temp_directory_path()) / "gui-tests" / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder.string();
}

}  // namespace uvtest
