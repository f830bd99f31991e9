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
  activateWindow();
  raise();
  // The reason a window's focus comes back with: the cell becomes the
  // current one without ending a block range the user is choosing.
  cell(index)->setFocus(Qt::ActiveWindowFocusReason);
}

void frmMain::FillTableFromMatch(Alphabet alphabet, int width, ByteOrder order, std::uint32_t base) {
  // The whole fill is one command: when the undo history comes, this is
  // where it is recorded as one step (covering the 16-bit entries too).
  mojihyo::FillTableFromMatch(doc_, alphabet, width, order, base);
  // Cells tell the grid themselves; the 16-bit entries tell no one.
  if (width == 2) emit documentChanged();
}

}  // namespace mojihyo::ui
