#pragma once

#include "tools/relative_search.h"
#include "ui/byte_text.h"

#include <QAbstractTableModel>

#include <string_view>
#include <vector>

namespace mojihyo::ui {

// The matches of a relative search as rows: the offset, the value the
// alphabet starts at, and the bytes around the match read as it implies
// (made only for the rows shown, so a short word's many matches cost
// nothing until they are looked at).
class RelativeMatchModel : public QAbstractTableModel {
  Q_OBJECT

public:
  enum Column { OffsetColumn, BaseColumn, PreviewColumn, ColumnCount };

  // Characters read on either side of the word in a preview.
  static constexpr int kAround = 8;

  using QAbstractTableModel::QAbstractTableModel;

  struct Search {
    std::string_view data;
    RelativeWord word;
    int width = 1;
    ByteOrder order = ByteOrder::BigEndian;
  };
  void setMatches(const Search& search, std::vector<RelativeMatch> matches);
  const std::vector<RelativeMatch>& matches() const { return matches_; }
  const Search& search() const { return search_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  Search search_;
  std::vector<RelativeMatch> matches_;
};

}  // namespace mojihyo::ui
