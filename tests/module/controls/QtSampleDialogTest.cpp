// The sample dialog shown as real Qt widgets: built from its template,
// bound to the model both ways, clicked with QTest, and saved as a
// screenshot (qt-sample-dialog.png in the build folder) for a person to
// look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>

#include "sample/SampleDialog.h"
#include "tests/platform/ui/UiTestSupport.h"
#include "ui/DialogRunner.h"
#include "ui/Feedback.h"
#include "ui/qt/DialogView.h"
#include "tests/platform/ui/QtTestEnvironment.h"
#include "user/CurrentUser.h"
#include "user/JobScript.h"

namespace {

std::string screenshotPath() {
  const char* build = std::getenv("UV_BUILD_DIR");
  std::filesystem::path dir = build ? build : std::filesystem::temp_directory_path().string();
  return (dir / "qt-sample-dialog.png").string();
}

class QtSample : public ::testing::Test {
 protected:
  void SetUp() override {
    sample::registerResources();
    uvtest::registerTestResources();  // the message texts of the OK and Cancel captions
    runner = std::make_unique<uv::DialogRunner>(dlg);
    scope = std::make_unique<uv::UserScope>(user);
    runner->initialise();
    view = std::make_unique<uv::qt::DialogView>(dlg);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  }
  void TearDown() override {
    view.reset();
    runner.reset();
    scope.reset();
  }
  template <class W>
  W* find(const char* name) {
    W* w = view->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  sample::SampleDialog dlg;
  uv::ScriptedUser user{uv::JobScript::parse(L"answer yes\n", L"qt.job")};
  std::unique_ptr<uv::UserScope> scope;
  std::unique_ptr<uv::DialogRunner> runner;
  std::unique_ptr<uv::qt::DialogView> view;
};

TEST_F(QtSample, AClickedButtonRunsItsHandler) {
  QPushButton* ask = find<QPushButton>("IDC_PUSH");
  ASSERT_NE(ask, nullptr);
  EXPECT_EQ(ask->text(), QStringLiteral("Ask"));
  QTest::mouseClick(ask, Qt::LeftButton);
  EXPECT_EQ(dlg.log, std::vector<std::wstring>{L"ask yes"});  // the handler asked, the script answered
  EXPECT_TRUE(user.empty());
}

TEST_F(QtSample, TheModelAndTheWidgetsFollowEachOther) {
  // Model to widgets.
  dlg.SetDlgItemText(sample::IDC_NOTES, L"from the program");
  EXPECT_EQ(find<QLineEdit>("IDC_NOTES.text")->text(), QStringLiteral("from the program"));
  QLineEdit* step = find<QLineEdit>("IDC_STEP.text");
  EXPECT_FALSE(step->parentWidget()->isEnabled() && step->isEnabled());
  EXPECT_EQ(step->text(), QStringLiteral("10"));

  // Widgets to the model: keys go through the field's filter.
  uv::Feedback::clearBeeps();
  QLineEdit* name = find<QLineEdit>("IDC_NAME.text");
  name->selectAll();
  QTest::keyClicks(name, QStringLiteral("A b#c"));
  EXPECT_EQ(name->text(), QStringLiteral("Abc"));
  EXPECT_EQ(dlg.GetDlgItem(sample::IDC_NAME)->windowText(), L"Abc");
  EXPECT_EQ(uv::Feedback::beeps().size(), 2u);

  // A radio button's handler enables the step field.
  QAbstractButton* polygon = find<QAbstractButton>("IDC_AREA_POLYGON");
  QTest::mouseClick(polygon, Qt::LeftButton, {}, QPoint(6, polygon->height() / 2));  // on its circle
  EXPECT_TRUE(step->isEnabled());
  EXPECT_TRUE(find<QAbstractButton>("IDC_AREA_POLYGON")->isChecked());
  EXPECT_FALSE(find<QAbstractButton>("IDC_AREA_ALL")->isChecked());

  // A tab switches the model's page.
  QTabBar* tabs = find<QWidget>("IDC_TABS")->findChild<QTabBar*>();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  EXPECT_TRUE(find<QCheckBox>("IDC_KEEP")->isVisible());
  EXPECT_FALSE(find<QLineEdit>("IDC_MARKER.text")->isVisible());
}

TEST_F(QtSample, TheScreenshotShowsTheDialogAsDrawn) {
  QImage shot = view->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.size(), view->size());
  ASSERT_TRUE(shot.save(QString::fromStdString(screenshotPath())));
  std::cout << "screenshot: " << screenshotPath() << "\n";
  // The current surface's row is drawn on yellow, as the dialog's custom draw says.
  QTreeWidget* list = find<QTreeWidget>("IDC_SURFACE_LIST");
  QRect row = list->visualItemRect(list->topLevelItem(0));
  QPoint inRow = list->viewport()->mapTo(view.get(), row.center() + QPoint(row.width() / 4, 0));
  EXPECT_EQ(shot.pixelColor(inRow), QColor(255, 255, 0)) << inRow.x() << "," << inRow.y();
  QPoint otherRow = list->viewport()->mapTo(view.get(), list->visualItemRect(list->topLevelItem(1)).center() +
                                                            QPoint(row.width() / 4, 0));
  EXPECT_NE(shot.pixelColor(otherRow), QColor(255, 255, 0));
}

}  // namespace
