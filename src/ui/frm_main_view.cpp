// The View menu of the main window, and the status bar: which encoding the
// table is shown in, the exact bytes of the focused cell, and what the last
// open could not take.

#include "ui/frm_main.h"

#include "core/grid_rules.h"
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
    auto* action = findChild<QAction*>(QString::fromLatin1(name));
    if (!action) continue;
    group->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, encoding = encoding] { ChooseDisplayEncoding(encoding); });
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
  SetDisplayEncoding(encoding);
  for (const auto& [name, e] : kEncodingItems)
    if (auto* action = findChild<QAction*>(QString::fromLatin1(name))) action->setChecked(e == encoding);
  lblEncoding->setText("Display: " + DisplayEncodingName(encoding));
  ShowAllEntries();
}

void frmMain::ShowAllEntries() {
  for (int i = 0; i < kEntryCount; ++i) {
    const std::string& text = doc_.EntryText[i];
    cell(i)->showEntry(text);
    cell(i)->setToolTip(ToDisplay(CellToolTip(tooltipNumbers_[static_cast<std::size_t>(i)], i, text)));
  }
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

void frmMain::ShowOpenReport(const std::string& title, std::size_t linesNotUnderstood) {
  if (linesNotUnderstood == 0) {
    lblOpenReport->clear();
    return;
  }
  lblOpenReport->setText(PathToDisplay(title) +
                         (linesNotUnderstood == 1
                              ? QStringLiteral(": 1 line not understood; it will not be saved")
                              : QStringLiteral(": %1 lines not understood; they will not be saved")
                                    .arg(linesNotUnderstood)));
}

}  // namespace mojihyo::ui
