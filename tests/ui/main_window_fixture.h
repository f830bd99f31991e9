#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "scripted_prompter.h"
#include "ui/frm_main.h"
#include "ui/settings.h"
#include "ui/table_cell.h"

namespace mojihyo::ui::testing {

// A shown, active main window with a scripted prompter.
class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    settings::Clear();  // every test starts as a first run
    window = std::make_unique<frmMain>();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->cell(0);  // the cells are made after the first paint: have them all
  }
  void TearDown() override { window.reset(); }

  TableCell* Cell(int index) { return window->cell(index); }
  FontTable& Doc() { return window->doc(); }

  void Click(int index) { QTest::mouseClick(Cell(index), Qt::LeftButton); }

  // When an open as a Thingy or Hexposure table offers TFS instead (the
  // file has lines those formats drop), the user keeps the format chosen.
  void KeepChosenFormat() {
    prompter->play["frmOpenWarning"] = [](QDialog& d) {
      QTest::mouseClick(d.findChild<QPushButton*>("btnOpenAsChosen"), Qt::LeftButton);
    };
  }

  ScopedPrompter prompter;
  std::unique_ptr<frmMain> window;
};

}  // namespace mojihyo::ui::testing
