#include "ui/entry_list_model.h"

#include "entries16/entry_line.h"
#include "ui/byte_text.h"

namespace mojihyo::ui {

EntryListModel::EntryListModel(LineList lines, ByteText text, QObject* parent)
    : QAbstractListModel(parent), lines_(std::move(lines)), text_(text) {}

int EntryListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= lines_.size()) return {};
  if (role == Qt::DisplayRole)
    return text_.ToDisplay(lines_[static_cast<std::size_t>(index.row())]);
  return {};
}

void EntryListModel::append(std::string_view line) {
  const int row = static_cast<int>(lines_.size());
  beginInsertRows({}, row, row);
  lines_.push_back(line);
  endInsertRows();
}

void EntryListModel::replace(std::size_t row, std::string_view line) {
  lines_.set(row, line);
  const QModelIndex i = index(static_cast<int>(row));
  emit dataChanged(i, i);
}

void EntryListModel::remove(std::size_t row) {
  beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
  lines_.erase(row);
  endRemoveRows();
}

std::optional<std::size_t> EntryListModel::moveUp(std::optional<std::size_t> row) {
  const auto moved = MoveEntryUp(lines_, row);
  if (moved) rowsChanged(*moved, *moved + 1);
  return moved;
}

std::optional<std::size_t> EntryListModel::moveDown(std::optional<std::size_t> row) {
  const auto moved = MoveEntryDown(lines_, row);
  if (moved) rowsChanged(*moved - 1, *moved);
  return moved;
}

void EntryListModel::rowsChanged(std::size_t a, std::size_t b) {
  emit dataChanged(index(static_cast<int>(a)), index(static_cast<int>(b)));
}

void EntryListModel::replaceAll(LineList lines) {
  beginResetModel();
  lines_ = std::move(lines);
  endResetModel();
}

void EntryListModel::clear() {
  beginResetModel();
  lines_.clear();
  endResetModel();
}

}  // namespace mojihyo::ui
