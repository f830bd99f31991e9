// The File menu of the main window: New Table, the open and save commands,
// the unsaved-changes prompt and closing the window.

#include "ui/frm_main.h"

#include "core/file_io.h"
#include "core/hex_notation.h"
#include "formats/command_line.h"
#include "formats/not_saved_report.h"
#include "ui/byte_text.h"
#include "formats/tfs_losses.h"
#include "ui/frm_choose_save_format.h"
#include "ui/frm_open_warning.h"
#include "ui/prompts.h"
#include "ui/table_cell.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>

namespace mojihyo::ui {

namespace {

QString Q(const std::string& latin) { return QString::fromStdString(latin); }

}  // namespace

void frmMain::SetCaptionUnsaved() { setWindowTitle(QStringLiteral("MoJiHyo - ( unsaved table )")); }

void frmMain::SetCaptionFromTitle() {
  setWindowTitle("MoJiHyo - ( " + PathToDisplay(doc_.CurrentFileTitle).toUpper() + " )");
}

void frmMain::ShowOptionMarks() {
  if (auto* a = MenuItem("ReverseOrder")) a->setChecked(doc_.ReverseOrder);
  if (auto* a = MenuItem("OmitSymbols")) a->setChecked(doc_.OmitSymbols);
}

bool frmMain::SaveIfWanted() {
  if (!doc_.TableChanged) return true;
  const auto answer = Prompts().Message(
      this, {QStringLiteral("Unsaved Changes"),
             QStringLiteral("Do you want to save the current font table?"), QMessageBox::Question,
             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel});
  if (answer == QMessageBox::No) return true;
  // Yes goes on only when the changes really reached a file.
  if (answer == QMessageBox::Yes) return SaveTable_Click();
  return false;
}

void frmMain::closeEvent(QCloseEvent* e) {
  // The Section Break window belongs to this one: a value typed there is
  // settled first, and the window goes with this one.
  if (!SettleSectionBreak() || !SaveIfWanted()) {
    e->ignore();
    return;
  }
  CloseSectionBreak();
  SaveWindowState();
  e->accept();
}

void frmMain::NewTable_Click() {
  if (!SaveIfWanted()) return;
  ResetForNewTable(doc_);
  history_->Clear();
  EnsureCells();
  for (TableCell* c : TableData) {
    QFont f = c->font();
    f.setPointSize(kCellFontSize);
    c->setFont(f);
  }
  ResetCellColours();
  SetCaptionUnsaved();
  // Every cell gets the grid's own tooltip again, empty ones included.
  for (int i = 0; i < kEntryCount; ++i) UseGridNumber(i);
  ChooseDisplayEncoding(newTableEncoding_);
  ShowOpenReport({}, {}, TableFormat::Thingy);
  RefreshSectionBreak();
  ShowLogicalTables();
  ShowFileTextForm();
}

QString frmMain::CommandLineText(const QStringList& arguments) {
  return arguments.join(QLatin1Char(' '));
}

void frmMain::OpenFromCommandLine(const QString& commandLine) {
  const auto startup = ParseCommandLine(PathFromDisplay(commandLine));
  if (!startup) return;
  if (!QFileInfo(PathToDisplay(startup->path)).isFile()) return;
  state_.StartupFileName = startup->path;
  OpenTable(startup->format);
}

void frmMain::OpenTable(TableFormat format) {
  if (!SaveIfWanted()) return;

  if (!state_.StartupFileName.empty()) {
    // The command line named the format: nothing is asked.
    const std::string path = state_.StartupFileName;
    OpenTableFile(format, path, path, false);
    return;
  }
  const ChosenFile chosen =
      Prompts().OpenFile(this, {Q(OpenDialogTitle(format)), Q(OpenDialogFilter(format)), true});
  if (chosen.cancelled()) return;
  OpenTableFile(format, PathFromDisplay(chosen.path), PathFromDisplay(chosen.title));
}

std::optional<TableFormat> frmMain::KeepEverythingCheck(TableFormat format, std::string_view text,
                                                        const std::string& title) {
  if (format != TableFormat::Thingy && format != TableFormat::Hexposure) return format;
  const OpenLosses losses = OpenLossesOf(text, format);
  if (losses.lines == 0) return format;
  frmOpenWarning warning(PathToDisplay(title), format, losses, this);
  Prompts().RunModal(warning);
  return warning.choice();
}

bool frmMain::OpenTableFile(TableFormat format, const std::string& path, const std::string& title,
                            bool askBeforeDropping) {
  // The file is read aside and takes the table's place only once all of it
  // was read, so a file that cannot be read (too large, not valid UTF-16,
  // more than memory holds) leaves the table as it was. Opened as a Thingy
  // or Hexposure table, a file with lines those formats cannot hold is
  // offered as a TFS table first.
  OpenOptions options{readFile_, std::nullopt, {}};
  if (askBeforeDropping)
    options.check = [&](std::string_view text) { return KeepEverythingCheck(format, text, title); };
  const OpenResult opened = mojihyo::OpenTableFile(format, path, doc_, options);
  if (opened.cancelled) {
    state_.StartupFileName.clear();
    return false;
  }
  if (!opened.ok()) {
    state_.StartupFileName.clear();
    ReportFileFailure(this, QStringLiteral("Unable to Open Table"),
                      QStringLiteral("The table file could not be opened."), PathToDisplay(path),
                      opened.error);
    return false;
  }
  format = opened.format;
  // The new content turned every cell white (or grey where the file locks
  // it), whatever range preview or focus colour it showed.
  ResetCellColours();
  ShowOptionMarks();
  ChooseDisplayEncoding(DetectDisplayEncoding(doc_));
  ShowOpenReport(title, {opened.dropped.dropped.size(), opened.dropped.nonBlankLines}, format);
  ShowFileTextForm();

  doc_.CurrentFileName = path;
  doc_.CurrentFileTitle = title;
  doc_.SaveFormat = format;
  SetCaptionFromTitle();
  history_->Clear();
  state_.StartupFileName.clear();
  RefreshSectionBreak();
  ShowLogicalTables();
  RememberTable({path, format});
  return true;
}

void frmMain::SaveTableAs(TableFormat format) { SaveTable(format); }

bool frmMain::SaveTable_Click() { return SaveTable() == SaveOutcome::Written; }

std::optional<frmMain::SaveTarget> frmMain::ChooseSaveTarget(std::optional<TableFormat> format,
                                                             bool askForFile) {
  if (!askForFile && format && !doc_.CurrentFileName.empty())
    return SaveTarget{doc_.CurrentFileName, doc_.CurrentFileTitle, *format, false};
  if (!format) {
    frmChooseSaveFormat chooser(this);
    Prompts().RunModal(chooser);
    format = chooser.choice();
    if (!format) return std::nullopt;
  }
  const ChosenFile chosen = Prompts().SaveFile(
      this, {Q(SaveDialogTitle(*format)), Q(SaveDialogFilter(*format)), false, true});
  if (chosen.cancelled()) return std::nullopt;
  return SaveTarget{PathFromDisplay(chosen.path), PathFromDisplay(chosen.title), *format, true};
}

frmMain::SaveOutcome frmMain::SaveTable(std::optional<TableFormat> saveAs) {
  // Where and how to write is settled before anything changes, so a
  // cancelled or failed save leaves the table as it was.
  const auto target = ChooseSaveTarget(saveAs ? saveAs : doc_.SaveFormat, saveAs.has_value());
  if (!target) {
    // A cancelled Save As still unbinds the table from its file, in the new
    // format, so the next Save asks for a file instead of overwriting one.
    if (saveAs) {
      doc_.CurrentFileName.clear();
      if (saveAs != doc_.SaveFormat) doc_.FileTextForm = TextForm::Bytes;
      doc_.SaveFormat = saveAs;
      ShowFileTextForm();
    }
    return SaveOutcome::Cancelled;
  }

  // A UTF-16 table stays UTF-16 in the format it is bound to only.
  const TextForm form = target->format == doc_.SaveFormat ? doc_.FileTextForm : TextForm::Bytes;
  std::string bytes;
  FileResult r = SaveTableFileBytes(target->format, doc_, form, bytes);
  if (r.ok()) r = writeFile_(target->path, bytes);
  if (!r.ok()) {
    ReportFileFailure(this, QStringLiteral("Unable to Save Table"),
                      QStringLiteral("The table could not be saved; the file on disk is as it was."),
                      PathToDisplay(target->path), r.error);
    return SaveOutcome::Failed;
  }
  const auto lost = NotSavedItems(doc_, target->format);
  state_.SettingsNotSaved = !lost.empty();
  doc_.SaveFormat = target->format;
  doc_.FileTextForm = form;
  ShowFileTextForm();
  if (target->fromDialog) {
    doc_.CurrentFileName = target->path;
    doc_.CurrentFileTitle = target->title;
  }
  SetCaptionFromTitle();
  // The history stays: undoing from here changes the table again.
  history_->MarkSaved();
  RememberTable({target->path, target->format});
  // The check counts lines in the file of the save format.
  TableEdited();
  if (state_.SettingsNotSaved) {
    Prompts().Message(this, {QStringLiteral("Information"),
                             byteText().ToDisplay(NotSavedMessage(target->format, lost)),
                             QMessageBox::Information, QMessageBox::Ok});
  }
  return SaveOutcome::Written;
}

}  // namespace mojihyo::ui
