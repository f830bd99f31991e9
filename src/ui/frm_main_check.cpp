// The main window's part in the table check: Tools > Check Table opens the
// Check Table window, which follows every change of the table, and a
// finding chosen there shows its entry.

#include "ui/frm_main.h"

#include "ui/frm_check_table.h"
#include "ui/table_cell.h"

namespace mojihyo::ui {

void frmMain::ConnectCheckTable() {
  OnMenuItem("ToolsCheckTable", [this] { CheckTable_Click(); });
}

void frmMain::CheckTable_Click() {
  if (!checkWindow_) {
    // A window of its own that leaves this one usable; it goes with it.
    checkWindow_ = new frmCheckTable(doc_, [this] { return byteText(); }, this);
    checkWindow_->setAttribute(Qt::WA_DeleteOnClose);
    connect(checkWindow_, &frmCheckTable::EntryChosen, this, &frmMain::GoToEntry);
  }
  checkWindow_->show();
  checkWindow_->raise();
  checkWindow_->activateWindow();
}

void frmMain::TableEdited() {
  if (checkWindow_) checkWindow_->TableChanged();
  emit documentChanged();
}

void frmMain::GoToEntry(EntryPlace place, std::size_t logicalTable) {
  // An entry of a TFS table's other logical table is shown once that table is.
  if (doc_.Tfs && logicalTable != doc_.CurrentLogicalTable) ShowLogicalTable_Click(logicalTable);
  if (place.kind == EntryKind::SixteenBit) {
    Open16bitEntries(place.index);
    return;
  }
  if (place.kind == EntryKind::Code) {
    OpenCodes(place.index);
    return;
  }
  activateWindow();
  raise();
  // As the focus coming back: a pending block range keeps waiting for its
  // second end.
  ShowCellFromCommand(static_cast<int>(place.index));
}

}  // namespace mojihyo::ui
