// What the main window shows of a TFS table besides the grid: View >
// Logical Table, the table's name in the status bar, and Edit > Codes.

#include "ui/frm_main.h"

#include "tfs/tfs_codes.h"
#include "tfs/tfs_table.h"
#include "ui/dialog_parts.h"
#include "ui/frm_codes.h"
#include "ui/prompts.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

namespace mojihyo::ui {

namespace {

// A logical table as the menu and the status bar name it.
QString TableName(const TfsDocument& doc, std::size_t table, const ByteText& text) {
  const std::string_view id = doc.tableId(table);
  return id.empty() ? QStringLiteral("(unnamed)") : text.ToDisplay(id);
}

}  // namespace

void frmMain::ConnectTfs() {
  lblLogicalTable = new QLabel(this);
  lblLogicalTable->setObjectName(QStringLiteral("lblLogicalTable"));
  lblLogicalTable->setAccessibleName(QStringLiteral("Logical table"));
  lblLogicalTable->setTextFormat(Qt::PlainText);  // an id may hold "<"
  statusBar()->insertWidget(2, lblLogicalTable);
  OnMenuItem("EditCodes", [this] { EditCodes_Click(); });
  ShowLogicalTables();
}

void frmMain::ShowLogicalTables() {
  auto* menu = findChild<QMenu*>(QStringLiteral("LogicalTableMenu"));
  const TfsDocument* doc = doc_.Tfs.get();
  if (menu) {
    EmptyFilledMenu(menu);
    auto* group = new QActionGroup(menu);
    const std::size_t tables = doc ? doc->tables().size() : 0;
    for (std::size_t t = 0; t < tables; ++t) {
      QAction* action = menu->addAction(TableName(*doc, t, byteText()).replace(
          QLatin1Char('&'), QStringLiteral("&&")));
      action->setObjectName(QStringLiteral("LogicalTable%1").arg(t + 1));
      action->setCheckable(true);
      action->setChecked(t == doc_.CurrentLogicalTable);
      group->addAction(action);
      connect(action, &QAction::triggered, this, [this, t] { ShowLogicalTable_Click(t); });
    }
    menu->menuAction()->setEnabled(tables > 0);
  }
  if (auto* codes = MenuItem("EditCodes")) codes->setEnabled(doc);
  lblLogicalTable->setText(doc ? "Table: " + TableName(*doc, doc_.CurrentLogicalTable, byteText())
                               : QString());
}

void frmMain::ShowLogicalTable_Click(std::size_t table) {
  if (!doc_.Tfs || table == doc_.CurrentLogicalTable) return;
  // Showing another table keeps the shown one's edits in the file; it
  // changes nothing in the file, yet undo takes the grid back to it.
  RecordStep("Logical Table " + TableName(*doc_.Tfs, table, byteText()),
             StepCovers::TableAndSixteenBitEntries, [&] { SwitchLogicalTable(doc_, table); });
  ShowLogicalTables();
  TableEdited();
}

void frmMain::EditCodes_Click() { OpenCodes(std::nullopt); }

void frmMain::OpenCodes(std::optional<std::size_t> row) {
  if (!doc_.Tfs) return;
  frmCodes dialog(TableCodes(doc_), byteText(), this);
  dialog.selectRow(row);
  if (Prompts().RunModal(dialog) != QDialog::Accepted) return;
  const std::vector<std::string> codes = dialog.codes();
  RecordStep(QStringLiteral("Codes"), StepCovers::TableAndSixteenBitEntries,
             [&] { SetTableCodes(doc_, codes); });
  ShowLogicalTables();
  TableEdited();
}

}  // namespace mojihyo::ui
