// The desktop program's window under test, offscreen: a host session with
// a new drawing and the modules a test names, the main window shown, and
// ways to act as a person does (type at the command line, click and drag
// in the view) while a command waits for the answer. Answers are queued
// before the command starts: each runs when the next question is asked.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <QPoint>
#include <QString>

#include "ge/AcGePoint3d.h"
#include "host/HostSession.h"
#include "host/gui/MainWindow.h"

class AcDbDatabase;
class QWidget;

namespace uvtest {

// Ends the test program when a test hangs in a modal loop, naming the test.
class Watchdog {
 public:
  explicit Watchdog(int seconds);
  ~Watchdog();

 private:
  std::mutex m_mutex;
  std::condition_variable m_done;
  bool m_finished = false;
  std::thread m_thread;
};

struct LineSeen {
  AcGePoint3d start, end;
};

class GuiFixture : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;
  // Loads a module by path into the session and rebuilds the menus.
  void load(const std::string& path);

  // Types the text into the command line and presses Enter. A command it
  // starts runs to its end before this returns.
  void type(const QString& text);
  // Queues answers: each runs (from the event loop) once the next question is asked.
  void then(std::function<void()> step) { m_steps.push_back(std::move(step)); }
  // Runs the step once a modal window other than `notThis` is up; it gets that window.
  static void whenModal(std::function<void(QWidget*)> step, QWidget* notThis = nullptr);

  QPoint pixelOf(const AcGePoint3d& p) const;
  void clickAt(const AcGePoint3d& p, Qt::MouseButton button = Qt::LeftButton);
  void dragFrom(const AcGePoint3d& from, const AcGePoint3d& to);

  AcDbDatabase& db() const;
  // Model-space lines and texts as they are now.
  std::vector<LineSeen> lines() const;
  std::vector<std::wstring> texts() const;
  void addLine(const AcGePoint3d& a, const AcGePoint3d& b);
  size_t steps() const { return m_steps.size(); }

  std::unique_ptr<uv::host::HostSession> session;
  std::unique_ptr<uv::gui::MainWindow> window;

 private:
  std::deque<std::function<void()>> m_steps;
  std::unique_ptr<Watchdog> m_watchdog;
};

std::string probeModule();
std::string mainModule();
std::string cadhost();
std::string sourceFile(const std::string& relative);
// A fresh folder for the test's files.
std::string workFolder(const std::string& name);

}  // namespace uvtest
