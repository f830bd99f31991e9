// Ways back to a table besides the open commands: File > Recent Tables and
// a table file dropped on the window; and what the window remembers of
// itself between runs.

#include "ui/frm_main.h"

#include "formats/table_format.h"
#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/frm_choose_open_format.h"
#include "ui/prompts.h"
#include "ui/settings.h"
#include "ui/table_cell.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

#include <filesystem>
#include <system_error>

namespace mojihyo::ui {

namespace {

// The one local file a drag carries, if that is what it carries; a folder
// is refused while it is still being dragged.
std::optional<QString> DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
  const QUrl url = data->urls().front();
  if (!url.isLocalFile() || QFileInfo(url.toLocalFile()).isDir()) return std::nullopt;
  return url.toLocalFile();
}

QString FormatText(TableFormat format) {
  const std::string_view name = FormatName(format);
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

void frmMain::ConnectRecentMenu() {
  recentTables_ = settings::RecentTables();
  ShowRecentTables();
}

void frmMain::ShowRecentTables() {
  auto* menu = findChild<QMenu*>(QStringLiteral("RecentTablesMenu"));
  if (!menu) return;
  EmptyFilledMenu(menu);
  for (std::size_t i = 0; i < recentTables_.size(); ++i) {
    const RecentTable& t = recentTables_[i];
    const QString path = PathToDisplay(t.path);
    // "&1 game.tbl (Thingy)"; the whole path shows as its tooltip.
    auto* action = menu->addAction(QStringLiteral("&%1 %2 (%3)")
                                       .arg(i + 1)
                                       .arg(QFileInfo(path).fileName().replace(
                                                QLatin1Char('&'), QStringLiteral("&&")),
                                            FormatText(t.format)));
    action->setObjectName(QStringLiteral("RecentTable%1").arg(i + 1));
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, i] { OpenRecentTable(i); });
  }
  menu->setToolTipsVisible(true);
  menu->menuAction()->setEnabled(!recentTables_.empty());
}

void frmMain::OpenRecentTable(std::size_t index) {
  if (index >= recentTables_.size()) return;
  const RecentTable table = recentTables_[index];
  const QString path = PathToDisplay(table.path);
  if (!QFileInfo(path).isFile()) {
    ForgetTable(recentTables_, table.path);
    settings::SetRecentTables(recentTables_);
    ShowRecentTables();
    Prompts().Message(this, {QStringLiteral("Recent Table Not Found"),
                             "The table file no longer exists:\r" + path +
                                 "\r\rIt has been taken off the list of recent tables.",
                             QMessageBox::Information, QMessageBox::Ok});
    return;
  }
  if (!SaveIfWanted()) return;
  OpenTableFile(table.format, table.path, PathFromDisplay(QFileInfo(path).fileName()));
}

void frmMain::RememberTable(const RecentTable& table) {
  // A table named on the command line may be named from the folder the
  // program started in; the list outlives that folder.
  std::error_code failed;
  const std::filesystem::path whole = std::filesystem::absolute(table.path, failed);
  mojihyo::RememberTable(recentTables_, {failed ? table.path : whole.string(), table.format});
  settings::SetRecentTables(recentTables_);
  ShowRecentTables();
}

void frmMain::dragEnterEvent(QDragEnterEvent* e) {
  if (DroppedFile(e->mimeData())) e->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* e) {
  const auto file = DroppedFile(e->mimeData());
  if (!file) return;
  e->acceptProposedAction();
  OpenDroppedFile(PathFromDisplay(*file));
}

void frmMain::OpenDroppedFile(const std::string& path) {
  if (!SaveIfWanted()) return;
  const QString name = QFileInfo(PathToDisplay(path)).fileName();
  // A .tab file is ours; any other name could be either kind of .tbl table.
  std::optional<TableFormat> format;
  if (name.endsWith(QStringLiteral(".tab"), Qt::CaseInsensitive)) {
    format = TableFormat::MoJiHyo;
  } else {
    frmChooseOpenFormat chooser(name, settings::DroppedTableFormat(), this);
    Prompts().RunModal(chooser);
    format = chooser.choice();
    if (!format) return;
    settings::SetDroppedTableFormat(*format);
  }
  OpenTableFile(*format, path, PathFromDisplay(name));
}

void frmMain::RestoreWindowState() {
  const settings::WindowState saved = settings::LoadWindowState();
  if (!saved.geometry.isEmpty()) restoreGeometry(saved.geometry);
  if (saved.newTableEncoding) newTableEncoding_ = *saved.newTableEncoding;
  if (saved.cellFontSize >= kSmallestFont && saved.cellFontSize <= kLargestFont &&
      saved.cellFontSize != kCellFontSize)
    ChangeFontSize(saved.cellFontSize - kCellFontSize);
}

void frmMain::SaveWindowState() {
  settings::SaveWindowState({saveGeometry(), CellFontSize(), newTableEncoding_});
}

}  // namespace mojihyo::ui
