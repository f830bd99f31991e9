// The Edit menu of the main window: the control value dialogs, the 16-bit
// entries, and the window for an entry too long for its cell.

#include "ui/frm_main.h"

#include "core/hex_notation.h"
#include "ui/control_value_dialogs.h"
#include "ui/frm_16bit_entries.h"
#include "ui/frm_long_entry.h"
#include "ui/prompts.h"

namespace mojihyo::ui {

namespace {
template <typename Dialog>
void RunDialog(FontTable& doc, ByteText text, QWidget* parent, StepRecorder recorder) {
  Dialog dialog(doc, text, parent);
  dialog.setStepRecorder(std::move(recorder));
  Prompts().RunModal(dialog);
}
}  // namespace

void frmMain::ConnectEditMenu() {
  ConnectUndoMenu();
  OnMenuItem("EditNewLine", [this] {
    RunDialog<frmNewLineValues>(doc_, byteText(), this, Recorder());
    TableEdited();
  });
  OnMenuItem("EditEndString", [this] {
    RunDialog<frmEndStringValues>(doc_, byteText(), this, Recorder());
    TableEdited();
  });
  OnMenuItem("EditModifiers", [this] {
    RunDialog<frmModifierValues>(doc_, byteText(), this, Recorder());
    TableEdited();
  });
  OnMenuItem("EditSectionBreak", [this] { EditSectionBreak_Click(); });
  OnMenuItem("Edit16BitValues", [this] { Open16bitEntries(std::nullopt); });
}

void frmMain::Open16bitEntries(std::optional<std::size_t> row) {
  frm16bitEntries dialog(doc_, byteText(), this);
  dialog.selectRow(row);
  dialog.setStepRecorder(Recorder());
  Prompts().RunModal(dialog);
  TableEdited();
}

void frmMain::EditSectionBreak_Click() {
  if (sectionBreakDialog_) {
    // Already open: bring it forward as it is, without reading the table again.
    sectionBreakDialog_->show();
    sectionBreakDialog_->raise();
    sectionBreakDialog_->activateWindow();
    return;
  }
  // Without a parent it is a window of its own that leaves this one usable.
  // The close step settles it before this window goes (SettleSectionBreak).
  sectionBreakDialog_ = new frmSectionBreakValue(doc_, byteText());
  sectionBreakDialog_->setStepRecorder(Recorder());
  sectionBreakDialog_->setAttribute(Qt::WA_DeleteOnClose);
  sectionBreakDialog_->setModal(false);
  connect(sectionBreakDialog_, &QDialog::accepted, this, [this] { TableEdited(); });
  sectionBreakDialog_->move(geometry().center() - sectionBreakDialog_->rect().center());
  sectionBreakDialog_->show();
}

bool frmMain::SettleSectionBreak() {
  if (!sectionBreakDialog_ || !sectionBreakDialog_->isVisible() ||
      !sectionBreakDialog_->HasPendingEdits())
    return true;
  const auto answer = Prompts().Message(
      this, {QStringLiteral("Unsaved Changes"),
             QStringLiteral("The Section Break Value window holds a value that was not stored in "
                            "the table.  Do you want to store it?"),
             QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel});
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::Yes) sectionBreakDialog_->Okay();
  return true;
}

void frmMain::CloseSectionBreak() {
  if (sectionBreakDialog_) sectionBreakDialog_->close();
}

void frmMain::RefreshSectionBreak() {
  if (sectionBreakDialog_) sectionBreakDialog_->RefreshFromTable();
}

void frmMain::EditLongEntry(int index) {
  if (doc_.EntryLocked[index]) return;
  frmLongEntry dialog(index, doc_.EntryText[index], byteText(), this);
  if (Prompts().RunModal(dialog) != QDialog::Accepted) return;
  const std::string bytes = dialog.bytes();
  RecordStep(QString::fromStdString("Typing in " + HexByte(index) + "h"), StepCovers::Table,
             [&] { SetEntryText(doc_, index, bytes); });
}

}  // namespace mojihyo::ui
