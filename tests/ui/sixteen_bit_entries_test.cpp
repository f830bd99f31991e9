#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <map>

#include "main_window_fixture.h"
#include "ui/byte_text.h"
#include "ui/entry_list_model.h"
#include "ui/frm_16bit_entries.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class EntriesTest : public MainWindowTest {
protected:
  // The user's part in each dialog, by the dialog's name.
  std::map<QString, std::function<void(QDialog&)>>& play = prompter->play;

  void OpenEntries(std::function<void(frm16bitEntries&)> act) {
    play["frm16bitEntries"] = [act](QDialog& d) { act(static_cast<frm16bitEntries&>(d)); };
    const int shown = prompter->Shown("frm16bitEntries");
    window->findChild<QAction*>("Edit16BitValues")->trigger();
    EXPECT_EQ(prompter->Shown("frm16bitEntries"), shown + 1) << "the list dialog never opened";
  }
  static void Press(QWidget& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(name);
    ASSERT_TRUE(b) << name;
    QTest::mouseClick(b, Qt::LeftButton);
  }
  static void Type(QWidget& d, const char* box, const QString& text) {
    auto* e = d.findChild<QLineEdit*>(box);
    ASSERT_TRUE(e) << box;
    QTest::keyClicks(e, text);
  }
  static LineList Rows(frm16bitEntries& d) { return d.entries().lines(); }
  // Adds one entry through the Add dialog.
  void Add(frm16bitEntries& d, const QString& number, const QString& value) {
    play["frmAdd16bitEntry"] = [=](QDialog& a) {
      Type(a, "EntryNumber", number);
      Type(a, "EntryValue", value);
      Press(a, "Command1");
      if (a.isVisible()) Press(a, "Command2");  // refused: give up
    };
    Press(d, "btnAddEntry");
  }
};

TEST_F(EntriesTest, TheDialogShowsItsControls) {
  OpenEntries([](frm16bitEntries& d) {
    EXPECT_EQ(d.windowTitle(), "16-bit Font Table Entries");
    const std::pair<const char*, const char*> buttons[] = {
        {"btnAddEntry", "Add"}, {"btnEditEntry", "Edit"}, {"btnDeleteEntry", "Delete"},
        {"Command1", "Add Series"}, {"btnImport", "Import From File"}, {"btnClear", "Clear All"},
        {"btnSave", "Okaly-Dokaly"}, {"btnCancel", "Cancel"}};
    for (const auto& [name, caption] : buttons)
      EXPECT_EQ(d.findChild<QPushButton*>(name)->text(), caption) << name;
    const std::pair<const char*, const char*> tips[] = {
        {"btnAddEntry", "Add a new 16-bit font table entry"},
        {"btnEditEntry", "Edit the selected entry"},
        {"btnDeleteEntry", "Delete the selected entry"},
        {"btnMoveEntryUp", "Move the selected entry up one space"},
        {"btnMoveEntryDown", "Move the selected entry down one space"},
        {"btnSave", "Accept the entry list and return to the main window"},
        {"btnCancel", "Undo changes and return to the main window"}};
    for (const auto& [name, tip] : tips)
      EXPECT_EQ(d.findChild<QPushButton*>(name)->toolTip(), tip) << name;
    EXPECT_EQ(d.findChild<QPushButton*>("btnMoveEntryUp")->text(), QString(QChar(0x25B2)));
    EXPECT_EQ(d.findChild<QPushButton*>("btnMoveEntryDown")->text(), QString(QChar(0x25BC)));
    auto* confirm = d.findChild<QCheckBox*>("chkConfirmDelete");
    EXPECT_EQ(confirm->text(), "Confirm Entry Deletions");
    EXPECT_TRUE(confirm->isChecked());
    EXPECT_EQ(confirm->toolTip(),
              "When checked, you will be asked to confirm when you press the Delete button");
    EXPECT_EQ(d.findChild<QLabel*>("Label1")->text(),
              "Note: 16-bit font table entries will not be saved in Hexposure table files.");
    EXPECT_FALSE(d.selectedRow().has_value());
  });
}

TEST_F(EntriesTest, AcceptOnAnEmptyListStillMarksTheTableChanged) {
  OpenEntries([](frm16bitEntries& d) {
    EXPECT_EQ(d.entries().rowCount(), 0);
    Press(d, "btnSave");
  });
  EXPECT_TRUE(Doc().SixteenBitEntries.empty());
  EXPECT_TRUE(Doc().TableChanged);
}

TEST_F(EntriesTest, CancelAfterEveryKindOfChangeLeavesTheTableAlone) {
  Doc().SixteenBitEntries = {"0400=Cecil", "0401=Rosa", "04a0=x"};
  const LineList before = Doc().SixteenBitEntries;
  OpenEntries([&](frm16bitEntries& d) {
    Add(d, "500h", "new");
    d.selectRow(0);
    play["frmEdit16bitEntry"] = [](QDialog& e) {
      Type(e, "EntryValue", "!");
      Press(e, "Command1");
    };
    Press(d, "btnEditEntry");
    Press(d, "btnMoveEntryDown");
    prompter->answers = {QMessageBox::Yes, QMessageBox::Yes};
    Press(d, "btnDeleteEntry");
    Press(d, "btnClear");
    EXPECT_EQ(d.entries().rowCount(), 0);
    Press(d, "btnCancel");
  });
  EXPECT_EQ(Doc().SixteenBitEntries, before);
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(EntriesTest, DeleteAsksOnlyWhenConfirmationIsChecked) {
  Doc().SixteenBitEntries = {"0400=a", "0401=b", "0402=c"};
  OpenEntries([&](frm16bitEntries& d) {
    Press(d, "btnDeleteEntry");  // nothing selected: nothing happens
    EXPECT_TRUE(prompter->messages.empty());

    d.selectRow(1);
    prompter->answers = {QMessageBox::No};
    Press(d, "btnDeleteEntry");
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].title, "Confirm Deletion");
    EXPECT_EQ(prompter->messages[0].text, "Are you sure you want to delete this entry?");
    EXPECT_EQ(prompter->messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(prompter->messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(Rows(d).size(), 3u);

    d.findChild<QCheckBox*>("chkConfirmDelete")->setChecked(false);
    Press(d, "btnDeleteEntry");
    EXPECT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(Rows(d), (LineList{"0400=a", "0402=c"}));
    EXPECT_FALSE(d.selectedRow().has_value());

    // Clear All asks all the same.
    prompter->answers = {QMessageBox::No};
    Press(d, "btnClear");
    ASSERT_EQ(prompter->messages.size(), 2u);
    EXPECT_EQ(prompter->messages[1].text,
              "Are you sure you want to delete ALL of the 16-bit font table entries?");
    EXPECT_EQ(Rows(d).size(), 2u);
    prompter->answers = {QMessageBox::Yes};
    Press(d, "btnClear");
    EXPECT_EQ(Rows(d).size(), 0u);
    Press(d, "btnSave");
  });
  EXPECT_TRUE(Doc().SixteenBitEntries.empty());
}

TEST_F(EntriesTest, MovingStopsAtTheEndsAndDownThenUpRestoresTheOrder) {
  Doc().SixteenBitEntries = {"0400=a", "0401=b", "0401=dup"};
  OpenEntries([](frm16bitEntries& d) {
    Press(d, "btnMoveEntryUp");
    Press(d, "btnMoveEntryDown");
    EXPECT_EQ(Rows(d), (LineList{"0400=a", "0401=b", "0401=dup"}));
    d.selectRow(0);
    Press(d, "btnMoveEntryUp");
    EXPECT_EQ(d.selectedRow(), 0u);
    d.selectRow(2);
    Press(d, "btnMoveEntryDown");
    EXPECT_EQ(Rows(d), (LineList{"0400=a", "0401=b", "0401=dup"}));
    d.selectRow(0);
    Press(d, "btnMoveEntryDown");
    EXPECT_EQ(Rows(d), (LineList{"0401=b", "0400=a", "0401=dup"}));
    EXPECT_EQ(d.selectedRow(), 1u);
    Press(d, "btnMoveEntryUp");
    EXPECT_EQ(Rows(d), (LineList{"0400=a", "0401=b", "0401=dup"}));
    EXPECT_EQ(d.selectedRow(), 0u);
    Press(d, "btnSave");
  });
  EXPECT_EQ(Doc().SixteenBitEntries, (LineList{"0400=a", "0401=b", "0401=dup"}));
}

TEST_F(EntriesTest, AddRefusesATakenNumberQuotingItAsTyped) {
  Doc().SixteenBitEntries = {"04a0=x"};
  OpenEntries([&](frm16bitEntries& d) {
    Add(d, "0400h", "Cecil");
    EXPECT_EQ(d.selectedRow(), 0u) << "with no row selected the first row is selected";
    for (const QString typed : {"400h", "0400h", "1024"}) {
      prompter->messages.clear();
      Add(d, typed, "again");
      ASSERT_EQ(prompter->messages.size(), 1u) << typed.toStdString();
      EXPECT_EQ(prompter->messages[0].title, "Entry Number In Use");
      EXPECT_EQ(prompter->messages[0].icon, QMessageBox::Information);
      EXPECT_EQ(prompter->messages[0].text,
                "You specified " + typed +
                    " as the entry number you want to use.\rThat entry number is already "
                    "taken.\rPlease choose a different one.");
    }
    prompter->messages.clear();
    Add(d, "401h", "");
    Add(d, "100h", "low");
    Add(d, "04A0h", "upper");  // 04a0=x does not hold 04A0
    Add(d, "g0x402h", "filtered");  // g and x cannot be typed
    EXPECT_TRUE(prompter->messages.empty());
    EXPECT_EQ(Rows(d), (LineList{"04a0=x", "0400=Cecil", "0401=", "0100=low", "04A0=upper",
                                 "0402=filtered"}));
    EXPECT_EQ(d.selectedRow(), 4u) << "the selection walks one row down with each addition";
    Press(d, "btnSave");
  });
  EXPECT_EQ(Doc().SixteenBitEntries.size(), 6u);
}

TEST_F(EntriesTest, EditRewritesTheSelectedLineInPlace) {
  Doc().SixteenBitEntries = {"0400=Cecil", "04a0=x", "0401=a=b"};
  OpenEntries([&](frm16bitEntries& d) {
    QString shownNumber, shownValue;
    play["frmEdit16bitEntry"] = [&](QDialog& e) {
      EXPECT_EQ(e.windowTitle(), "Edit Entry");
      EXPECT_EQ(e.findChild<QPushButton*>("Command1")->text(), "Okay");
      shownNumber = e.findChild<QLineEdit*>("EntryNumber")->text();
      shownValue = e.findChild<QLineEdit*>("EntryValue")->text();
      Press(e, "Command1");
    };
    Press(d, "btnEditEntry");  // nothing selected: no dialog
    EXPECT_TRUE(shownNumber.isEmpty());
    d.selectRow(1);
    Press(d, "btnEditEntry");
    EXPECT_EQ(shownNumber, "04a0h");
    EXPECT_EQ(shownValue, "x");
    d.selectRow(2);
    Press(d, "btnEditEntry");
    EXPECT_EQ(shownValue, "a=b");
    // A number another line has is accepted, and the edit box takes any key.
    play["frmEdit16bitEntry"] = [](QDialog& e) {
      auto* number = e.findChild<QLineEdit*>("EntryNumber");
      number->selectAll();
      QTest::keyClicks(number, "400h");
      Press(e, "Command1");
    };
    Press(d, "btnEditEntry");
    EXPECT_EQ(d.selectedRow(), 2u);
    Press(d, "btnSave");
  });
  EXPECT_EQ(Doc().SixteenBitEntries, (LineList{"0400=Cecil", "04A0=x", "0400=a=b"}));
}

TEST_F(EntriesTest, ASeriesAsksForEachNumberInTurn) {
  Doc().SixteenBitEntries = {"1500=taken"};
  OpenEntries([&](frm16bitEntries& d) {
    std::vector<QString> captions, positions, prompts;
    int asked = 0;
    play["frmAdd16bitSeries"] = [&](QDialog& s) {
      EXPECT_EQ(s.windowTitle(), "Add Series");
      EXPECT_EQ(s.findChild<QLabel*>("Label1")->text(),
                "Type in the desired range of entry numbers below (e.g., 1500h through 15B2h):");
      EXPECT_EQ(s.findChild<QLabel*>("Label2")->text(), "through");
      Type(s, "StartNumber", "15B2h");
      Type(s, "EndNumber", "1500h");
      Press(s, "btnBegin");
    };
    play["frmEnter16bitValue"] = [&](QDialog& v) {
      captions.push_back(v.windowTitle());
      positions.push_back(v.findChild<QLabel*>("lblEntryNumber")->text());
      prompts.push_back(v.findChild<QLabel*>("lblTypeValue")->text());
      ++asked;
      if (asked == 1) {
        Type(v, "EntryValue", "Cecil");
        Press(v, "Command1");
      } else if (asked == 2) {
        Press(v, "Command2");
      } else if (asked == 3) {
        v.close();  // the frame skips too
      } else if (asked == 4) {
        Type(v, "EntryValue", "x");
        Press(v, "Command1");
      } else {
        Press(v, "Command3");
      }
    };
    Press(d, "Command1");
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(captions.front(), "Entry 1500h");
    EXPECT_EQ(positions.front(), "This is entry number 1 in a series of 179.");
    EXPECT_EQ(prompts.front(), "Type the desired value for entry 1500h below:");
    EXPECT_EQ(captions.back(), "Entry 1504h");
    EXPECT_EQ(positions.back(), "This is entry number 5 in a series of 179.");
    EXPECT_EQ(Rows(d), (LineList{"1500=taken", "1500=Cecil", "1503=x"}));

    // A fresh series after Stop Now runs normally.
    asked = 0;
    captions.clear();
    play["frmAdd16bitSeries"] = [&](QDialog& s) {
      Type(s, "StartNumber", "FFF0h");
      Type(s, "EndNumber", "FFFFh");
      Press(s, "btnBegin");
    };
    play["frmEnter16bitValue"] = [&](QDialog& v) {
      captions.push_back(v.windowTitle());
      ++asked;
      Press(v, "Command2");
    };
    Press(d, "Command1");
    EXPECT_EQ(asked, 16);
    EXPECT_EQ(captions.back(), "Entry FFFFh");
    EXPECT_EQ(Rows(d).size(), 3u);
    Press(d, "btnSave");
  });
  EXPECT_FALSE(window->state().SaveDialogShown) << "Stop Now leaves nothing behind";
}

TEST_F(EntriesTest, RangesOfDifferentWidthsRunInNumberOrder) {
  OpenEntries([&](frm16bitEntries& d) {
    std::vector<QString> captions;
    for (auto [start, end] : {std::pair{"FFh", "100h"}, std::pair{"100h", "FFh"}}) {
      play["frmAdd16bitSeries"] = [start = QString(start), end = QString(end)](QDialog& s) {
        Type(s, "StartNumber", start);
        Type(s, "EndNumber", end);
        Press(s, "btnBegin");
      };
      play["frmEnter16bitValue"] = [&](QDialog& v) {
        captions.push_back(v.windowTitle());
        Type(v, "EntryValue", "v");
        Press(v, "Command1");
      };
      Press(d, "Command1");
    }
    EXPECT_EQ(captions, (std::vector<QString>{"Entry 00FFh", "Entry 0100h", "Entry 00FFh",
                                              "Entry 0100h"}));
    EXPECT_EQ(Rows(d), (LineList{"00FF=v", "0100=v", "00FF=v", "0100=v"}));
  });
}

TEST_F(EntriesTest, ACancelledSeriesAddsNothing) {
  OpenEntries([&](frm16bitEntries& d) {
    play["frmAdd16bitSeries"] = [](QDialog& s) {
      Type(s, "StartNumber", "1h");
      Press(s, "Command1");
    };
    Press(d, "Command1");
    EXPECT_EQ(Rows(d).size(), 0u);
  });
}

TEST_F(EntriesTest, AListOfEveryNumberAndMoreOpensAndComesBackWhole) {
  LineList big;
  for (std::uint32_t n = 0; n < 70000; ++n) {
    char line[32];
    std::snprintf(line, sizeof line, "%04X=v%u", n & 0xFFFF, n);
    big.push_back(line);
  }
  Doc().SixteenBitEntries = big;
  OpenEntries([&](frm16bitEntries& d) {
    EXPECT_EQ(d.entries().rowCount(), 70000);
    d.selectRow(69999);
    Press(d, "btnMoveEntryUp");
    EXPECT_EQ(d.selectedRow(), 69998u);
    Press(d, "btnMoveEntryDown");
    Press(d, "btnSave");
  });
  EXPECT_EQ(Doc().SixteenBitEntries, big);
}

}  // namespace
}  // namespace mojihyo::ui
