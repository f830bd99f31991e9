#pragma once

#include "core/line_list.h"
#include "ui/byte_text.h"

#include <QAbstractListModel>

#include <optional>

namespace mojihyo::ui {

// The 16-bit entry dialog's working list, one line a row. It shows the lines
// straight from the pooled list, so tens of thousands of entries open and
// scroll without building a widget item for each.
class EntryListModel : public QAbstractListModel {
  Q_OBJECT

public:
  EntryListModel(LineList lines, ByteText text, QObject* parent = nullptr);

  const LineList& lines() const { return lines_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void append(std::string_view line);
  void replace(std::size_t row, std::string_view line);
  void remove(std::size_t row);
  // Moves a line past its neighbour; returns its new row, or nothing when it
  // cannot move.
  std::optional<std::size_t> moveUp(std::optional<std::size_t> row);
  std::optional<std::size_t> moveDown(std::optional<std::size_t> row);
  void clear();
  void replaceAll(LineList lines);

private:
  void rowsChanged(std::size_t a, std::size_t b);

  LineList lines_;
  ByteText text_;
};

}  // namespace mojihyo::ui
