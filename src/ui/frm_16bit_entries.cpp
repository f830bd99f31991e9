#include "ui/frm_16bit_entries.h"

#include "core/file_io.h"
#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/entry_list_model.h"
#include "ui/frm_add_16bit_entry.h"
#include "ui/frm_add_16bit_series.h"
#include "ui/frm_import_ask.h"
#include "ui/frm_import_preview.h"
#include "ui/prompts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frm16bitEntries::frm16bitEntries(FontTable& doc, ByteText text, QWidget* parent)
    : QDialog(parent), doc_(doc), text_(text) {
  setObjectName(QStringLiteral("frm16bitEntries"));
  setWindowTitle(QStringLiteral("16-bit Font Table Entries"));

  model_ = new EntryListModel(doc_.SixteenBitEntries, text_, this);
  lstEntries = new QListView(this);
  lstEntries->setObjectName(QStringLiteral("lstEntries"));
  lstEntries->setModel(model_);
  lstEntries->setSelectionMode(QAbstractItemView::SingleSelection);
  lstEntries->setUniformItemSizes(true);
  lstEntries->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // A list takes no name from a label: it is given one.
  lstEntries->setAccessibleName(QStringLiteral("16-bit entries"));

  auto button = [this](const char* name, const QString& caption, const char* tip) {
    QPushButton* b = MakeButton(this, name, caption, QString::fromLatin1(tip));
    b->setAutoDefault(false);
    return b;
  };
  btnAddEntry = button("btnAddEntry", "Add", "Add a new 16-bit font table entry");
  btnEditEntry = button("btnEditEntry", "Edit", "Edit the selected entry");
  btnDeleteEntry = button("btnDeleteEntry", "Delete", "Delete the selected entry");
  btnMoveEntryUp = button("btnMoveEntryUp", QString(QChar(0x25B2)),
                          "Move the selected entry up one space");
  btnMoveEntryDown = button("btnMoveEntryDown", QString(QChar(0x25BC)),
                            "Move the selected entry down one space");
  // The arrows stay on screen; a screen reader says what they do.
  btnMoveEntryUp->setAccessibleName(QStringLiteral("Move Up"));
  btnMoveEntryDown->setAccessibleName(QStringLiteral("Move Down"));
  Command1 = button("Command1", "Add Series", "");
  btnImport = button("btnImport", "Import From File", "");
  btnClear = button("btnClear", "Clear All", "");
  chkConfirmDelete = new QCheckBox(QStringLiteral("Confirm Entry Deletions"), this);
  chkConfirmDelete->setObjectName(QStringLiteral("chkConfirmDelete"));
  chkConfirmDelete->setToolTip(
      QStringLiteral("When checked, you will be asked to confirm when you press the Delete button"));
  chkConfirmDelete->setChecked(true);
  btnSave = button("btnSave", "Okaly-Dokaly", "Accept the entry list and return to the main window");
  btnCancel = button("btnCancel", "Cancel", "Undo changes and return to the main window");
  Label1 = MakeLabel(
      this, "Label1",
      QStringLiteral("Note: 16-bit font table entries will not be saved in Hexposure table files."));

  connect(btnAddEntry, &QPushButton::clicked, this, &frm16bitEntries::btnAddEntry_Click);
  connect(btnEditEntry, &QPushButton::clicked, this, &frm16bitEntries::btnEditEntry_Click);
  connect(btnDeleteEntry, &QPushButton::clicked, this, &frm16bitEntries::btnDeleteEntry_Click);
  connect(btnMoveEntryUp, &QPushButton::clicked, this, &frm16bitEntries::btnMoveEntryUp_Click);
  connect(btnMoveEntryDown, &QPushButton::clicked, this, &frm16bitEntries::btnMoveEntryDown_Click);
  connect(Command1, &QPushButton::clicked, this, &frm16bitEntries::Command1_Click);
  connect(btnClear, &QPushButton::clicked, this, &frm16bitEntries::btnClear_Click);
  connect(btnImport, &QPushButton::clicked, this, &frm16bitEntries::btnImport_Click);
  connect(btnSave, &QPushButton::clicked, this, &frm16bitEntries::btnSave_Click);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* side = new QVBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{btnAddEntry, btnEditEntry, btnDeleteEntry})
    side->addWidget(w);
  auto* moves = new QHBoxLayout;
  moves->addWidget(btnMoveEntryUp);
  moves->addWidget(btnMoveEntryDown);
  side->addLayout(moves);
  for (QWidget* w : std::initializer_list<QWidget*>{Command1, btnImport, btnClear, chkConfirmDelete})
    side->addWidget(w);
  side->addStretch();
  side->addWidget(btnSave);
  side->addWidget(btnCancel);

  auto* layout = new QGridLayout(this);
  layout->addWidget(lstEntries, 0, 0);
  layout->addLayout(side, 0, 1);
  layout->addWidget(Label1, 1, 0, 1, 2);
  resize(480, 420);
}

std::optional<std::size_t> frm16bitEntries::selectedRow() const {
  const QModelIndexList rows = lstEntries->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return static_cast<std::size_t>(rows.first().row());
}

void frm16bitEntries::selectRow(std::optional<std::size_t> row) {
  if (!row || *row >= model_->lines().size()) {
    lstEntries->clearSelection();
    lstEntries->selectionModel()->clearCurrentIndex();
    return;
  }
  const QModelIndex index = model_->index(static_cast<int>(*row));
  lstEntries->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  lstEntries->scrollTo(index);
}

void frm16bitEntries::btnAddEntry_Click() {
  frmAdd16bitEntry add(*this);
  Prompts().RunModal(add);
}

void frm16bitEntries::btnEditEntry_Click() {
  const auto row = selectedRow();
  if (!row) return;
  frmEdit16bitEntry edit(*this, *row);
  Prompts().RunModal(edit);
}

void frm16bitEntries::btnDeleteEntry_Click() {
  const auto row = selectedRow();
  if (!row) return;
  if (chkConfirmDelete->isChecked() &&
      Prompts().Message(this, {QStringLiteral("Confirm Deletion"),
                               QStringLiteral("Are you sure you want to delete this entry?"),
                               QMessageBox::Question, QMessageBox::Yes | QMessageBox::No}) !=
          QMessageBox::Yes)
    return;
  model_->remove(*row);
  selectRow(std::nullopt);
  lstEntries->setFocus();
}

void frm16bitEntries::btnMoveEntryUp_Click() {
  if (const auto moved = model_->moveUp(selectedRow())) selectRow(moved);
}

void frm16bitEntries::btnMoveEntryDown_Click() {
  if (const auto moved = model_->moveDown(selectedRow())) selectRow(moved);
}

void frm16bitEntries::Command1_Click() {
  frmAdd16bitSeries series(*this);
  Prompts().RunModal(series);
}

void frm16bitEntries::btnClear_Click() {
  // Clear All always asks, whatever the confirmation box says.
  if (Prompts().Message(
          this, {QStringLiteral("Confirm Deletion"),
                 QStringLiteral("Are you sure you want to delete ALL of the 16-bit font table entries?"),
                 QMessageBox::Question, QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes)
    model_->clear();
}

void frm16bitEntries::btnImport_Click() {
  frmImportAsk ask(this);
  Prompts().RunModal(ask);
  if (!ask.source()) return;

  static const struct {
    const char* title;
    const char* filter;
  } kDialogs[] = {
      {"Import From Script Dump", "Thingy script dump files (*.*)|*.*"},
      {"Import From Thingy Table File", "Thingy Table files (*.tbl)|*.tbl"},
      {"Import From Text File", "Plain text files (*.*)|*.*"},
  };
  const auto& texts = kDialogs[static_cast<int>(*ask.source())];
  const ChosenFile chosen = Prompts().OpenFile(
      this, {QString::fromLatin1(texts.title), QString::fromLatin1(texts.filter), true});
  if (chosen.cancelled()) return;

  std::string bytes;
  if (FileResult r = ReadFileBytes(PathFromDisplay(chosen.path), bytes); !r.ok()) {
    ReportFileFailure(this, QStringLiteral("Unable to Import"),
                      QStringLiteral("The file could not be read."), chosen.path, r.error);
    return;
  }
  const std::vector<std::string> values = ReadImportValues(*ask.source(), bytes);
  if (values.empty()) {
    Prompts().Message(
        this, {QStringLiteral("Oopsy-Daisy!"),
               QStringLiteral("No 16-bit font table entries were found in the file you specified."),
               QMessageBox::Information, QMessageBox::Ok});
    return;
  }
  frmImportPreview preview(*this, values);
  if (Prompts().RunModal(preview) == QDialog::Accepted) imported_ = true;
}

void frm16bitEntries::btnSave_Click() {
  const auto store = [this] {
    doc_.SixteenBitEntries = model_->lines();
    doc_.TableChanged = true;
  };
  if (recorder_)
    recorder_(imported_ ? QStringLiteral("Import into 16-bit Entries")
                        : QStringLiteral("16-bit Entries"),
              StepCovers::TableAndSixteenBitEntries, store);
  else
    store();
  accept();
}

}  // namespace mojihyo::ui
