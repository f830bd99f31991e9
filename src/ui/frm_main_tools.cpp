// The Tools menu of the main window: Decode and Relative Search, each a
// window of its own over a file the user picks, and what they do to the
// table.

#include "ui/frm_main.h"

#include "ui/frm_decode.h"
#include "ui/frm_relative_search.h"
#include "ui/prompts.h"
#include "ui/table_cell.h"

#include <QFileInfo>

namespace mojihyo::ui {

namespace {

// The file a tool reads, or nothing when the dialog was cancelled or the
// file cannot be read (which the user is told).
std::optional<std::pair<MappedFile, QString>> OpenToolFile(QWidget* parent, const QString& title) {
  const ChosenFile chosen = Prompts().OpenFile(parent, {title, QStringLiteral("All files (*)|*"), true});
  if (chosen.cancelled()) return std::nullopt;
  MappedFile file;
  if (FileResult r = file.Open(PathFromDisplay(chosen.path)); !r.ok()) {
    ReportFileFailure(parent, title, QStringLiteral("The file could not be opened."), chosen.path, r.error);
    return std::nullopt;
  }
  return std::pair{std::move(file), chosen.title};
}

}  // namespace

void frmMain::ConnectToolsMenu() {
  OnMenuItem("ToolsDecode", [this] { ToolsDecode_Click(); });
  OnMenuItem("ToolsRelativeSearch", [this] { ToolsRelativeSearch_Click(); });
}

void frmMain::ToolsDecode_Click() {
  auto file = OpenToolFile(this, QStringLiteral("Open File to Decode"));
  if (!file) return;
  auto* window = new frmDecode(*this, std::move(file->first), file->second);
  window->show();
}

void frmMain::ToolsRelativeSearch_Click() {
  auto file = OpenToolFile(this, QStringLiteral("Open File for Relative Search"));
  if (!file) return;
  auto* window = new frmRelativeSearch(*this, std::move(file->first), file->second);
  window->show();
}

void frmMain::FocusCell(int index) {
  if (index < 0 || index >= kEntryCount) return;
  GoToEntry({EntryKind::OneByte, static_cast<std::size_t>(index)}, doc_.CurrentLogicalTable);
}

void frmMain::FillTableFromMatch(Alphabet alphabet, int width, ByteOrder order, std::uint32_t base) {
  // The whole fill is one step of the history.
  RecordStep(QStringLiteral("Fill Table"),
             width == 1 ? StepCovers::Table : StepCovers::TableAndSixteenBitEntries,
             [&] { mojihyo::FillTableFromMatch(doc_, alphabet, width, order, base); });
  // The cells tell of themselves; the 16-bit entries do not.
  TableEdited();
}

}  // namespace mojihyo::ui
