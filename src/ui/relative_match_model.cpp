#include "ui/relative_match_model.h"

#include <algorithm>

namespace mojihyo::ui {

namespace {

QString Hex(std::uint64_t value) { return QStringLiteral("0x") + QString::number(value, 16).toUpper(); }

}  // namespace

void RelativeMatchModel::setMatches(const Search& search, std::vector<RelativeMatch> matches) {
  beginResetModel();
  search_ = search;
  matches_ = std::move(matches);
  endResetModel();
}

int RelativeMatchModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(matches_.size());
}

int RelativeMatchModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant RelativeMatchModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= matches_.size()) return {};
  const RelativeMatch& m = matches_[static_cast<std::size_t>(index.row())];
  if (role == Qt::TextAlignmentRole && index.column() != PreviewColumn)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  switch (index.column()) {
    case OffsetColumn: return Hex(m.offset);
    case BaseColumn: return Hex(m.base);
    case PreviewColumn: {
      // From a few characters before the word, in step with it.
      const auto width = static_cast<std::uint64_t>(search_.width);
      const std::uint64_t before = std::min<std::uint64_t>(kAround, m.offset / width) * width;
      const std::uint64_t to = m.offset + (search_.word.indexes.size() + kAround) * width;
      // The series write kana as EUC-JP pairs, whatever the table is shown in.
      return ByteText(DisplayEncoding::EucJp)
          .ToDisplay(ImpliedText(search_.data, m.offset - before, to, search_.word.alphabet,
                                 search_.width, search_.order, m.base));
    }
    default: return {};
  }
}

QVariant RelativeMatchModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case OffsetColumn: return QStringLiteral("Offset");
    case BaseColumn: return QStringLiteral("Alphabet Starts At");
    case PreviewColumn: return QStringLiteral("Preview");
    default: return {};
  }
}

}  // namespace mojihyo::ui
