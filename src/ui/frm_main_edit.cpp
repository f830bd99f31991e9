// The Edit menu of the main window: the control value dialogs and the
// 16-bit entries.

#include "ui/frm_main.h"

#include "ui/control_value_dialogs.h"
#include "ui/frm_16bit_entries.h"
#include "ui/prompts.h"

namespace mojihyo::ui {

namespace {
template <typename Dialog>
void RunControlValueDialog(FontTable& doc, ByteText text, QWidget* parent) {
  Dialog dialog(doc, text, parent);
  Prompts().RunModal(dialog);
}
}  // namespace

void frmMain::ConnectEditMenu() {
  // Break values and 16-bit entries are read by a decode but reach no
  // observer: their dialogs say when they close.
  OnMenuItem("EditNewLine", [this] {
    RunControlValueDialog<frmNewLineValues>(doc_, byteText(), this);
    emit documentChanged();
  });
  OnMenuItem("EditEndString", [this] {
    RunControlValueDialog<frmEndStringValues>(doc_, byteText(), this);
    emit documentChanged();
  });
  OnMenuItem("EditModifiers", [this] { RunControlValueDialog<frmModifierValues>(doc_, byteText(), this); });
  OnMenuItem("EditSectionBreak", [this] { EditSectionBreak_Click(); });
  OnMenuItem("Edit16BitValues", [this] { Open16bitEntries(std::nullopt); });
}

void frmMain::Open16bitEntries(std::optional<std::size_t> row) {
  frm16bitEntries dialog(doc_, byteText(), this);
  dialog.selectRow(row);
  Prompts().RunModal(dialog);
  emit documentChanged();
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
  sectionBreakDialog_->setAttribute(Qt::WA_DeleteOnClose);
  sectionBreakDialog_->setModal(false);
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

}  // namespace mojihyo::ui
