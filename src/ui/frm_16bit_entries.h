#pragma once

#include "core/font_table.h"
#include "ui/byte_text.h"
#include "ui/table_history.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QListView;
class QPushButton;

namespace mojihyo::ui {

class EntryListModel;

// Lists, reorders and deletes the 16-bit entries, and opens the dialogs that
// add, edit and import them. It works on a copy of the table's entries;
// only "Okaly-Dokaly" puts the copy back into the table, as one step for
// everything done in the dialog.
class frm16bitEntries : public QDialog {
  Q_OBJECT

public:
  frm16bitEntries(FontTable& doc, ByteText text, QWidget* parent = nullptr);

  EntryListModel& entries() { return *model_; }
  // How this dialog and the ones it opens show and take entry values.
  const ByteText& byteText() const { return text_; }
  std::optional<std::size_t> selectedRow() const;
  void selectRow(std::optional<std::size_t> row);
  // "Okaly-Dokaly" puts the list back through this; without it, directly.
  void setStepRecorder(StepRecorder recorder) { recorder_ = std::move(recorder); }

private:
  void btnAddEntry_Click();
  void btnEditEntry_Click();
  void btnDeleteEntry_Click();
  void btnMoveEntryUp_Click();
  void btnMoveEntryDown_Click();
  void Command1_Click();
  void btnClear_Click();
  void btnImport_Click();
  void btnSave_Click();

  FontTable& doc_;
  ByteText text_;
  StepRecorder recorder_;
  bool imported_ = false;  // the step is named after the import
  EntryListModel* model_;
  QListView* lstEntries;
  QPushButton* btnAddEntry;
  QPushButton* btnEditEntry;
  QPushButton* btnDeleteEntry;
  QPushButton* btnMoveEntryUp;
  QPushButton* btnMoveEntryDown;
  QPushButton* Command1;
  QPushButton* btnImport;
  QPushButton* btnClear;
  QCheckBox* chkConfirmDelete;
  QPushButton* btnSave;
  QPushButton* btnCancel;
  QLabel* Label1;
};

}  // namespace mojihyo::ui
