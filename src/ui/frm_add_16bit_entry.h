#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mojihyo::ui {

class frm16bitEntries;

// Adds one entry at the end of the list dialog's working list, refusing a
// number the list already holds.
class frmAdd16bitEntry : public QDialog {
  Q_OBJECT

public:
  explicit frmAdd16bitEntry(frm16bitEntries& list);

private:
  void Command1_Click();

  frm16bitEntries& list_;
  QLabel* Label1;
  QLineEdit* EntryNumber;
  QLabel* Label2;
  QLineEdit* EntryValue;
  QPushButton* Command1;
  QPushButton* Command2;
};

// Changes the selected entry of the list dialog in place.
class frmEdit16bitEntry : public QDialog {
  Q_OBJECT

public:
  frmEdit16bitEntry(frm16bitEntries& list, std::size_t row);

private:
  void Command1_Click();

  frm16bitEntries& list_;
  std::size_t row_;
  QLabel* Label1;
  QLineEdit* EntryNumber;
  QLabel* Label2;
  QLineEdit* EntryValue;
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace mojihyo::ui
