// The View menu of the main window, and the status bar: which encoding the
// table is shown in, the exact bytes of the focused cell, and what the last
// open could not take.

#include "ui/frm_main.h"

#include "core/grid_rules.h"
#include "tfs/tfs_document.h"
#include "ui/table_cell.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QStatusBar>

namespace mojihyo::ui {

namespace {
const std::pair<const char*, DisplayEncoding> kEncodingItems[] = {
    {"EncodingUtf8", DisplayEncoding::Utf8},
    {"EncodingEucJp", DisplayEncoding::EucJp},
    {"EncodingShiftJis", DisplayEncoding::ShiftJis},
    {"EncodingLatin1", DisplayEncoding::Latin1},
};
}  // namespace

void frmMain::ConnectViewMenu() {
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  for (const auto& [name, encoding] : kEncodingItems) {
    if (auto* action = MenuItem(name)) group->addAction(action);
    OnMenuItem(name, [this, encoding = encoding] {
      // The user's own choice is also the one for new tables, from now on.
      newTableEncoding_ = encoding;
      ChooseDisplayEncoding(encoding);
    });
  }
  lblEncoding = new QLabel(this);
  lblEncoding->setObjectName(QStringLiteral("lblEncoding"));
  lblCellBytes = new QLabel(this);
  lblCellBytes->setObjectName(QStringLiteral("lblCellBytes"));
  lblOpenReport = new QLabel(this);
  lblOpenReport->setObjectName(QStringLiteral("lblOpenReport"));
  lblOpenReport->setTextFormat(Qt::PlainText);  // it names the file, which may hold "<"
  lblFileEncoding = new QLabel(this);
  lblFileEncoding->setObjectName(QStringLiteral("lblFileEncoding"));
  lblFileEncoding->setAccessibleName(QStringLiteral("File encoding"));
  statusBar()->addWidget(lblEncoding);
  statusBar()->addWidget(lblFileEncoding);
  statusBar()->addWidget(lblCellBytes);
  statusBar()->addWidget(lblOpenReport, 1);
}

void frmMain::ChooseDisplayEncoding(DisplayEncoding encoding) {
  displayEncoding_ = encoding;
  for (const auto& [name, e] : kEncodingItems)
    if (auto* action = MenuItem(name)) action->setChecked(e == encoding);
  lblEncoding->setText("Display: " + DisplayEncodingName(encoding));
  ShowAllEntries();
  // The text typed in the find bar stands for other bytes now.
  if (findBar_) CountFindMatches();
  // Opens and new tables come this way too.
  TableEdited();
  emit displayEncodingChanged();
}

void frmMain::ShowAllEntries() {
  for (int i = 0; i < kEntryCount; ++i) ShowEntry(i);
  ShowCellBytes();
}

void frmMain::ShowCellBytes() {
  const int i = state_.CurrentCell;
  const std::string bytes = CellBytesText(i, doc_.EntryText[i]);
  lblCellBytes->setText(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// Only a UTF-16 file is named: every other table is bytes, shown in the
// display encoding.
void frmMain::ShowFileTextForm() {
  const std::string_view name = TextFormName(doc_.FileTextForm);
  const QString shown = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  lblFileEncoding->setText(name.empty() ? QString() : "File: " + shown);
}

void frmMain::ShowOpenReport(const std::string& title, LoadReport report, TableFormat format) {
  // A TFS table keeps every line; what it could not read, it counts.
  if (format == TableFormat::Tfs && doc_.Tfs) {
    std::size_t unparsed = 0;
    for (std::size_t i = 0; i < doc_.Tfs->lineCount(); ++i)
      unparsed += doc_.Tfs->kind(i) == TfsLineKind::Unparsed;
    if (unparsed == 0) {
      lblOpenReport->clear();
    } else {
      lblOpenReport->setText(PathToDisplay(title) +
                             (unparsed == 1 ? QStringLiteral(": 1 unparsed line, kept as it stands")
                                            : QStringLiteral(": %1 unparsed lines, kept as they stand")
                                                  .arg(unparsed)));
    }
    return;
  }
  if (report.notKept == 0) {
    lblOpenReport->clear();
    return;
  }
  // The same count and words as the converter's report for this file.
  lblOpenReport->setText(PathToDisplay(title) +
                         QStringLiteral(": %1 of %2 non-blank lines are not kept in the %3 format")
                             .arg(report.notKept)
                             .arg(report.nonBlank)
                             .arg(QString::fromLatin1(FormatName(format).data(), static_cast<qsizetype>(FormatName(format).size()))));
}

}  // namespace mojihyo::ui
