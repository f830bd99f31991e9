#pragma once

// What the editor remembers between runs: the recent tables, the window's
// place, the cell font size and the display encoding for new tables. It is
// kept in the user's settings (an INI file under the user's configuration
// folder), never in a table file.

#include "core/recent_tables.h"
#include "ui/byte_text.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace mojihyo::ui::settings {

std::vector<RecentTable> RecentTables();
void SetRecentTables(const std::vector<RecentTable>& tables);

struct WindowState {
  QByteArray geometry;  // as QWidget::saveGeometry gives it; empty: never saved
  int cellFontSize = 0;  // 0: never saved
  std::optional<DisplayEncoding> newTableEncoding;
};
WindowState LoadWindowState();
void SaveWindowState(const WindowState& state);

// The format last chosen for a dropped table whose name does not tell it.
std::optional<TableFormat> DroppedTableFormat();
void SetDroppedTableFormat(TableFormat format);

// Forgets everything (tests start from nothing).
void Clear();

}  // namespace mojihyo::ui::settings
