#pragma once

// The undo tests' window: the Undo and Redo items, saving to a scratch
// folder, and what the grid must show.

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <string>

#include "core/file_io.h"
#include "core/hex_notation.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"

namespace mojihyo::ui::testing {

// What undo must bring back: everything a save writes, without the file it
// was last saved to.
inline FontTable Content(const FontTable& t) {
  FontTable copy = t;
  copy.CurrentFileName.clear();
  copy.CurrentFileTitle.clear();
  copy.SaveFormat.reset();
  copy.TableChanged = false;
  copy.Observer = nullptr;
  return copy;
}

inline void Press(QWidget& w, const char* button) {
  auto* b = w.findChild<QPushButton*>(button);
  ASSERT_TRUE(b) << button;
  QTest::mouseClick(b, Qt::LeftButton);
}
inline void Type(QWidget& w, const char* box, const QString& text) {
  auto* e = w.findChild<QLineEdit*>(box);
  ASSERT_TRUE(e) << box;
  QTest::keyClicks(e, text);
}

class UndoTest : public MainWindowTest {
public:
  using MainWindowTest::Cell;
  using MainWindowTest::Click;

  QAction* Item(const char* name) { return window->findChild<QAction*>(name); }
  void Trigger(const char* name) {
    ASSERT_TRUE(Item(name)) << name;
    Item(name)->trigger();
  }
  void Undo() { Trigger("EditUndo"); }
  void Redo() { Trigger("EditRedo"); }
  QString UndoText() { return Item("EditUndo")->isEnabled() ? Item("EditUndo")->text() : QString(); }
  QString RedoText() { return Item("EditRedo")->isEnabled() ? Item("EditRedo")->text() : QString(); }
  void TypeInto(int index, const QString& text) {
    Click(index);
    QTest::keyClicks(Cell(index), text);
  }
  // Saves as a MoJiHyo table (it keeps everything) and gives the bytes.
  std::string SaveAs(const QString& name) {
    prompter->files.push_back({dir.filePath(name), name});
    Trigger("SaveMoJiHyoTable");
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(PathFromDisplay(dir.filePath(name)), bytes).ok()) << name.toStdString();
    return bytes;
  }
  // Every cell shows its entry's text, lock and tooltip as the table holds them.
  void ExpectGridShowsTable() {
    for (int i = 0; i < kEntryCount; ++i) {
      const std::string& text = Doc().EntryText[i];
      const bool locked = Doc().EntryLocked[i];
      ASSERT_EQ(Cell(i)->text(), window->byteText().ToDisplay(text)) << i;
      ASSERT_EQ(Cell(i)->isReadOnly(), locked) << i;
      ASSERT_EQ(Cell(i)->colour() & 0xFFFF, locked ? 0xAAAAu : 0xFFFFu) << i;
      ASSERT_EQ(Cell(i)->toolTip(),
                window->byteText().ToDisplay(HexByte(i) + "h (" + std::to_string(i) + ") --- Value: " + text))
          << i;
    }
  }

  QTemporaryDir dir;
};

}  // namespace mojihyo::ui::testing
