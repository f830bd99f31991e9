#include "ui/frm_check_table.h"

#include "formats/table_format.h"
#include "tfs/tfs_document.h"
#include "ui/dialog_parts.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace mojihyo::ui {

namespace {

QString Summary(const FontTableCheck& check) {
  int errors = 0, warnings = 0;
  for (const Finding& f : check.findings) (f.severity == Severity::Error ? errors : warnings) += 1;
  const std::string_view format = FormatName(check.format);
  const QString lines = QStringLiteral("Lines are those of the table as a save in the %1 format writes it.")
                            .arg(QString::fromLatin1(format.data(), static_cast<qsizetype>(format.size())));
  if (errors == 0 && warnings == 0) return QStringLiteral("No problems found.");
  return QStringLiteral("%1 %2, %3 %4. ")
             .arg(errors)
             .arg(errors == 1 ? QStringLiteral("error") : QStringLiteral("errors"))
             .arg(warnings)
             .arg(warnings == 1 ? QStringLiteral("warning") : QStringLiteral("warnings")) +
         lines;
}

}  // namespace

frmCheckTable::frmCheckTable(const FontTable& table, std::function<ByteText()> text, QWidget* parent)
    : QDialog(parent), table_(table), text_(std::move(text)) {
  setObjectName(QStringLiteral("frmCheckTable"));
  setWindowTitle(QStringLiteral("Check Table"));
  setModal(false);

  lblSummary = MakeLabel(this, "lblSummary", QStringLiteral("Checking..."));
  lblSummary->setTextFormat(Qt::PlainText);
  lstFindings = new QTableWidget(0, 3, this);
  lstFindings->setObjectName(QStringLiteral("lstFindings"));
  lstFindings->setAccessibleName(QStringLiteral("Findings"));
  lstFindings->setHorizontalHeaderLabels(
      {QStringLiteral("Severity"), QStringLiteral("Line"), QStringLiteral("Message")});
  lstFindings->verticalHeader()->hide();
  lstFindings->horizontalHeader()->setStretchLastSection(true);
  lstFindings->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstFindings->setSelectionMode(QAbstractItemView::SingleSelection);
  lstFindings->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstFindings->setWordWrap(false);
  lblSummary->setBuddy(lstFindings);
  chkCompatibility = new QCheckBox(QStringLiteral("Show &compatibility warnings (abcde, Atlas, Cartographer)"), this);
  chkCompatibility->setObjectName(QStringLiteral("chkCompatibility"));
  chkCompatibility->setAccessibleName(QStringLiteral("Show compatibility warnings"));
  chkCompatibility->setChecked(true);
  btnClose = MakeButton(this, "btnClose", QStringLiteral("Close"));
  btnClose->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblSummary);
  layout->addWidget(lstFindings, 1);
  layout->addWidget(chkCompatibility);
  AddButtonRow(layout, {btnClose});
  resize(720, 360);

  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMs);
  connect(&pause_, &QTimer::timeout, this, &frmCheckTable::RunCheck);
  connect(&watcher_, &QFutureWatcher<FontTableCheck>::finished, this, [this] {
    ShowCheck(watcher_.result());
    if (again_) {
      again_ = false;
      RunCheck();
    }
  });
  connect(lstFindings, &QTableWidget::activated, this,
          [this](const QModelIndex& index) { lstFindings_Activated(index.row()); });
  connect(chkCompatibility, &QCheckBox::toggled, this, &frmCheckTable::RunCheck);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
  RunCheck();
}

frmCheckTable::~frmCheckTable() {
  // The check works on its own copy of the table; only its result would
  // come back to a window that is gone.
  watcher_.disconnect(this);
  watcher_.waitForFinished();
}

void frmCheckTable::TableChanged() { pause_.start(); }

void frmCheckTable::RunCheck() {
  pause_.stop();
  if (checking_) {
    again_ = true;
    return;
  }
  checking_ = true;
  FontTable copy = table_;
  copy.Observer = nullptr;
  // Copies of a table share its TFS document, which builds its key index
  // on first use: the check thread gets a document of its own.
  if (copy.Tfs) copy.Tfs = std::make_shared<const TfsDocument>(*copy.Tfs);
  CheckOptions options;
  options.compatibility = chkCompatibility->isChecked();
  watcher_.setFuture(QtConcurrent::run([copy = std::move(copy), options] { return CheckFontTable(copy, options); }));
}

void frmCheckTable::ShowCheck(FontTableCheck check) {
  checking_ = false;
  shown_ = std::move(check);
  const ByteText text = text_();
  lstFindings->setRowCount(static_cast<int>(shown_.findings.size()));
  for (int row = 0; row < lstFindings->rowCount(); ++row) {
    const Finding& f = shown_.findings[static_cast<std::size_t>(row)];
    const QString cells[] = {f.severity == Severity::Error ? QStringLiteral("Error") : QStringLiteral("Warning"),
                             f.line == 0 ? QString() : QString::number(f.line), text.ToDisplay(f.message)};
    for (int column = 0; column < 3; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      lstFindings->setItem(row, column, item);
    }
  }
  lstFindings->resizeColumnToContents(0);
  lstFindings->resizeColumnToContents(1);
  lblSummary->setText(Summary(shown_));
  emit Checked();
}

void frmCheckTable::lstFindings_Activated(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= shown_.places.size()) return;
  if (const auto place = shown_.places[static_cast<std::size_t>(row)])
    emit EntryChosen(*place, shown_.tables[static_cast<std::size_t>(row)]);
}

}  // namespace mojihyo::ui
