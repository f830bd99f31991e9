#pragma once

#include "entries16/import_values.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace mojihyo::ui {

class frm16bitEntries;

// Asks for the first number and what to do with taken numbers, then numbers
// the chosen values into the list dialog's working list, showing progress.
class frmImportGetStart : public QDialog {
  Q_OBJECT

public:
  frmImportGetStart(frm16bitEntries& list, std::vector<ImportItem> items, QWidget* parent);

private:
  void Command1_Click();
  CollisionPolicy Policy() const;

  frm16bitEntries& list_;
  std::vector<ImportItem> items_;
  QLabel* Label1;
  QLineEdit* StartingNumber;
  QLabel* Label2;
  QRadioButton* radOverwrite;
  QRadioButton* radSkip;
  QRadioButton* radKeepBoth;
  QProgressBar* prgImporting;
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace mojihyo::ui
