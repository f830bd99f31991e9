#pragma once

#include "core/file_io.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace mojihyo::ui {

class frmMain;
class RelativeMatchModel;

// Tools > Relative Search: a word the game shows, searched for in a file (a
// ROM) by the differences between its letters. Each match is listed with
// the bytes around it read as the match implies; "Fill Table" writes the
// match's alphabet into the table being edited.
class frmRelativeSearch : public QWidget {
  Q_OBJECT

public:
  // A window of `owner`'s, closed with it.
  frmRelativeSearch(frmMain& owner, MappedFile file, const QString& fileTitle);

  RelativeMatchModel* model() const { return model_; }

private:
  void Search();
  void FillTable();
  void ShowChoice();

  frmMain& owner_;
  MappedFile file_;
  RelativeMatchModel* model_;

  QLineEdit* txtWord;
  QComboBox* cboWidth;
  QComboBox* cboByteOrder;
  QPushButton* cmdSearch;
  QTableView* lstMatches;
  QLabel* lblStatus;
  QPushButton* cmdFillTable;
};

}  // namespace mojihyo::ui
