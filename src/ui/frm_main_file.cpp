// The File menu of the main window: New Table, the open and save commands,
// the unsaved-changes prompt and closing the window.

#include "ui/frm_main.h"

#include "core/file_io.h"
#include "core/hex_notation.h"
#include "formats/command_line.h"
#include "formats/not_saved_report.h"
#include "ui/byte_text.h"
#include "ui/frm_choose_save_format.h"
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
  if (auto* a = findChild<QAction*>(QStringLiteral("ReverseOrder"))) a->setChecked(doc_.ReverseOrder);
  if (auto* a = findChild<QAction*>(QStringLiteral("OmitSymbols"))) a->setChecked(doc_.OmitSymbols);
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
  if (SaveIfWanted()) {
    e->accept();
  } else {
    e->ignore();
  }
}

void frmMain::NewTable_Click() {
  if (!SaveIfWanted()) return;
  ResetForNewTable(doc_);
  for (TableCell* c : TableData) {
    QFont f = c->font();
    f.setPointSize(8);  // the size cells start with
    c->setFont(f);
  }
  ResetCellColours();
  SetCaptionUnsaved();
  // Every cell gets the grid's own tooltip again, empty ones included.
  for (int i = 0; i < kEntryCount; ++i) tooltipNumbers_[static_cast<std::size_t>(i)] = HexByte(i);
  ChooseDisplayEncoding(DisplayEncoding::EucJp);
  ShowOpenReport({}, 0);
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

  std::string path, title;
  if (!state_.StartupFileName.empty()) {
    path = title = state_.StartupFileName;
  } else {
    const ChosenFile chosen =
        Prompts().OpenFile(this, {Q(OpenDialogTitle(format)), Q(OpenDialogFilter(format)), true});
    if (chosen.cancelled()) return;
    path = PathFromDisplay(chosen.path);
    title = PathFromDisplay(chosen.title);
  }

  // The file is read aside and takes the table's place only once all of it
  // was read, so a file that cannot be read (too large, not valid UTF-16,
  // more than memory holds) leaves the table as it was.
  const OpenResult opened = OpenTableFile(format, path, doc_, readFile_);
  if (!opened.ok()) {
    state_.StartupFileName.clear();
    ReportFileFailure(this, QStringLiteral("Unable to Open Table"),
                      QStringLiteral("The table file could not be opened."), PathToDisplay(path),
                      opened.error);
    return;
  }
  // The new content turned every cell white (or grey where the file locks
  // it), whatever range preview or focus colour it showed.
  ResetCellColours();
  ShowOptionMarks();
  ChooseDisplayEncoding(DetectDisplayEncoding(doc_));
  ShowOpenReport(title, opened.notUnderstood);
  ShowFileTextForm();

  doc_.CurrentFileName = path;
  doc_.CurrentFileTitle = title;
  doc_.SaveFormat = std::string(FormatName(format));
  SetCaptionFromTitle();
  doc_.TableChanged = false;
  state_.StartupFileName.clear();
}

void frmMain::SaveTableAs(TableFormat format) {
  const std::string fileName = doc_.CurrentFileName, saveFormat = doc_.SaveFormat;
  const TextForm form = doc_.FileTextForm;
  doc_.CurrentFileName.clear();
  // A UTF-16 table stays UTF-16 in its own format only.
  if (FormatFromName(saveFormat) != format) doc_.FileTextForm = TextForm::Bytes;
  doc_.SaveFormat = std::string(FormatName(format));
  // A save that failed leaves the table bound to its file and format as
  // before; a cancelled one leaves it unbound, in the new format.
  if (SaveTable() == SaveOutcome::Failed) {
    doc_.CurrentFileName = fileName;
    doc_.SaveFormat = saveFormat;
    doc_.FileTextForm = form;
  }
  ShowFileTextForm();
}

bool frmMain::SaveTable_Click() { return SaveTable() == SaveOutcome::Written; }

frmMain::SaveOutcome frmMain::SaveTable() {
  const std::string formatBefore = doc_.SaveFormat;
  std::string target, chosenTitle;
  if (!doc_.CurrentFileName.empty()) {
    target = doc_.CurrentFileName;
  } else {
    const std::string remembered = doc_.SaveFormat;
    if (doc_.SaveFormat.empty()) {
      frmChooseSaveFormat chooser(doc_.SaveFormat, this);
      Prompts().RunModal(chooser);
      if (doc_.SaveFormat.empty()) return SaveOutcome::Cancelled;
    }
    const auto format = FormatFromName(doc_.SaveFormat);
    if (!format) return SaveOutcome::Cancelled;
    const ChosenFile chosen = Prompts().SaveFile(
        this, {Q(SaveDialogTitle(*format)), Q(SaveDialogFilter(*format)), false, true});
    if (chosen.cancelled()) {
      // A format picked in this command's chooser is dropped with the save.
      if (remembered.empty()) doc_.SaveFormat.clear();
      return SaveOutcome::Cancelled;
    }
    target = PathFromDisplay(chosen.path);
    chosenTitle = PathFromDisplay(chosen.title);
    state_.SaveDialogShown = true;
  }
  const auto format = FormatFromName(doc_.SaveFormat);
  if (!format) return SaveOutcome::Cancelled;

  state_.SettingsNotSaved = false;
  std::string bytes;
  FileResult r = SaveTableFileBytes(*format, doc_, bytes);
  if (r.ok()) r = writeFile_(target, bytes);
  if (!r.ok()) {
    state_.SaveDialogShown = false;
    doc_.SaveFormat = formatBefore;  // a format picked in the chooser goes with the failed save
    ReportFileFailure(this, QStringLiteral("Unable to Save Table"),
                      QStringLiteral("The table could not be saved; the file on disk is as it was."),
                      PathToDisplay(target), r.error);
    return SaveOutcome::Failed;
  }
  const auto lost = NotSavedItems(doc_, *format);
  state_.SettingsNotSaved = !lost.empty();

  if (state_.SaveDialogShown) {
    doc_.CurrentFileName = target;
    doc_.CurrentFileTitle = chosenTitle;
    state_.SaveDialogShown = false;
  }
  SetCaptionFromTitle();
  doc_.TableChanged = false;
  if (state_.SettingsNotSaved) {
    Prompts().Message(this, {QStringLiteral("Information"), ToDisplay(NotSavedMessage(*format, lost)),
                             QMessageBox::Information, QMessageBox::Ok});
  }
  return SaveOutcome::Written;
}

}  // namespace mojihyo::ui
