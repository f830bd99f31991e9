// The Edit menu of the main window: the control value dialogs; and the
// window for an entry too long for its cell.

#include "ui/frm_main.h"

#include "ui/control_value_dialogs.h"
#include "ui/frm_16bit_entries.h"
#include "ui/frm_long_entry.h"
#include "ui/prompts.h"

#include <QAction>

namespace mojihyo::ui {

namespace {
template <typename Dialog>
void RunControlValueDialog(FontTable& doc, QWidget* parent) {
  Dialog dialog(doc, parent);
  Prompts().RunModal(dialog);
}
}  // namespace

void frmMain::ConnectEditMenu() {
  OnMenuItem("EditNewLine", [this] { RunControlValueDialog<frmNewLineValues>(doc_, this); });
  OnMenuItem("EditEndString", [this] { RunControlValueDialog<frmEndStringValues>(doc_, this); });
  OnMenuItem("EditModifiers", [this] { RunControlValueDialog<frmModifierValues>(doc_, this); });
  OnMenuItem("EditSectionBreak", [this] { EditSectionBreak_Click(); });
  OnMenuItem("Edit16BitValues", [this] {
    frm16bitEntries dialog(doc_, this);
    Prompts().RunModal(dialog);
  });
}

void frmMain::EditSectionBreak_Click() {
  if (sectionBreakDialog_) {
    // Already open: bring it forward as it is, without reading the table again.
    sectionBreakDialog_->show();
    sectionBreakDialog_->raise();
    sectionBreakDialog_->activateWindow();
    return;
  }
  // Without a parent it is a window of its own: the program runs on until
  // it is closed too, even once the main window has closed.
  sectionBreakDialog_ = new frmSectionBreakValue(doc_);
  sectionBreakDialog_->setAttribute(Qt::WA_DeleteOnClose);
  sectionBreakDialog_->setModal(false);
  sectionBreakDialog_->move(geometry().center() - sectionBreakDialog_->rect().center());
  sectionBreakDialog_->show();
}

void frmMain::EditLongEntry(int index) {
  if (doc_.EntryLocked[index]) return;
  frmLongEntry dialog(index, doc_.EntryText[index], this);
  if (Prompts().RunModal(dialog) == QDialog::Accepted) SetEntryText(doc_, index, dialog.bytes());
}

}  // namespace mojihyo::ui
