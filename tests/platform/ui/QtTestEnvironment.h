// The offscreen Qt application that a test program of Qt widgets needs,
// made before its first test and destroyed after its last. Include this
// header in exactly one source file of the program.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace uvtest {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "uv-qt-test";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { m_app.reset(); }

 private:
  std::unique_ptr<QApplication> m_app;
};

inline const auto* const g_qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace uvtest
