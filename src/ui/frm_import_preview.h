#pragma once

#include "entries16/import_values.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace mojihyo::ui {

class frm16bitEntries;

// Shows the values found in a file, each with a check box, and goes on to
// number the ticked ones into the list dialog's working list.
class frmImportPreview : public QDialog {
  Q_OBJECT

public:
  frmImportPreview(frm16bitEntries& list, const std::vector<std::string>& values);

  // The values with their ticks, in file order.
  std::vector<ImportItem> items() const;

private:
  void Command1_Click();

  frm16bitEntries& list_;
  std::vector<std::string> values_;
  QLabel* Label1;
  QListWidget* lstImportItems;
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace mojihyo::ui
