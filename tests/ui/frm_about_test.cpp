#include <QLabel>
#include <QPushButton>

#include "main_window_fixture.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;
using AboutTest = MainWindowTest;

TEST_F(AboutTest, ShowsTheProgramAndClosesWithOkeyDokey) {
  QString title, name, nameFont, version, versionFont, button, buttonFont;
  int freeLabels = 0;
  bool closed = false;
  prompter->onModal = [&](QDialog& d) {
    title = d.windowTitle();
    auto* n = d.findChild<QLabel*>("lblName");
    auto* v = d.findChild<QLabel*>("lblVersion");
    auto* b = d.findChild<QPushButton*>("Command1");
    ASSERT_TRUE(n && v && b);
    name = n->text();
    nameFont = n->font().family();
    version = v->text();
    versionFont = v->font().family();
    button = b->text();
    buttonFont = b->font().family();
    for (QLabel* l : d.findChildren<QLabel*>())
      if (l != n && l != v && !l->text().trimmed().isEmpty()) ++freeLabels;
    QTest::mouseClick(b, Qt::LeftButton);
    closed = !d.isVisible() && d.result() == QDialog::Accepted;
  };
  window->findChild<QAction*>("AboutProgram")->trigger();
  ASSERT_EQ(prompter->dialogs, std::vector<QString>{"frmAbout"});
  EXPECT_EQ(title, "About MoJiHyo v1.0");
  EXPECT_EQ(name, "MoJiHyo");
  EXPECT_EQ(nameFont, "Times New Roman");
  EXPECT_EQ(version, "Version 1.0");
  EXPECT_EQ(versionFont, "Tahoma");
  EXPECT_EQ(button, "Okey-Dokey!");
  EXPECT_EQ(buttonFont, "Impact");
  EXPECT_EQ(freeLabels, 2);
  EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace mojihyo::ui
