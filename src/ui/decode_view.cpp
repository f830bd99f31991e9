#include "ui/decode_view.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <optional>

namespace mojihyo::ui {

namespace {

constexpr QChar kLineEndMark(0x21B5);  // a line end, drawn where it stands
constexpr QChar kControlMark(0x00B7);  // any other control character

QString HexText(std::uint64_t value, int digits) {
  return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

DecodeView::DecodeView(QWidget* parent) : QAbstractScrollArea(parent), decoder_(std::make_shared<Decoder>()) {
  setObjectName(QStringLiteral("DecodeView"));
  setAccessibleName(QStringLiteral("Decoded bytes"));
  setFocusPolicy(Qt::StrongFocus);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  verticalScrollBar()->setSingleStep(1);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  changeEvent(nullptr);
}

void DecodeView::setData(std::string_view bytes) {
  data_ = bytes;
  offsetDigits_ = 8;
  while (offsetDigits_ < 16 && (bytes.size() >> (4 * offsetDigits_)) > 0) ++offsetDigits_;
  anchor_ = selFrom_ = selTo_ = 0;
  changeEvent(nullptr);
}

void DecodeView::setDecoder(std::shared_ptr<const Decoder> decoder) {
  decoder_ = std::move(decoder);
  Invalidate();
}

void DecodeView::setByteText(ByteText text) {
  byteText_ = text;
  shownCache_.clear();
  Invalidate();
}

void DecodeView::setAnchor(std::uint64_t at) {
  anchor_ = std::min<std::uint64_t>(at, data_.size());
  Invalidate();
}

void DecodeView::Invalidate() {
  dirty_ = true;
  viewport()->update();
  emit viewChanged();
}

int DecodeView::RowCount() const { return std::max(1, viewport()->height() / lineHeight_); }

std::uint64_t DecodeView::TopRow() const { return static_cast<std::uint64_t>(verticalScrollBar()->value()); }

std::uint64_t DecodeView::visibleFrom() const {
  return std::min<std::uint64_t>(TopRow() * kBytesPerRow, data_.size());
}

std::uint64_t DecodeView::visibleTo() const {
  return std::min<std::uint64_t>((TopRow() + static_cast<std::uint64_t>(RowCount())) * kBytesPerRow,
                                 data_.size());
}

const DecodedSpan& DecodeView::span() const {
  Relayout();
  return span_;
}

void DecodeView::UpdateScrollBar() {
  const std::uint64_t rows = (data_.size() + kBytesPerRow - 1) / kBytesPerRow;
  const auto page = static_cast<std::uint64_t>(RowCount());
  const std::uint64_t last = rows > page ? rows - page : 0;
  verticalScrollBar()->setRange(0, static_cast<int>(std::min<std::uint64_t>(last, INT_MAX)));
  verticalScrollBar()->setPageStep(RowCount());
}

QString DecodeView::Shown(std::string_view bytes) const {
  const QByteArray key(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (auto it = shownCache_.constFind(key); it != shownCache_.constEnd()) return *it;
  QString shown = byteText_.ToDisplay(bytes);
  for (QChar& c : shown) {
    if (c == QLatin1Char(kDecodedLineEnd)) {
      c = kLineEndMark;
    } else if (c.unicode() < 0x20) {
      c = kControlMark;
    }
  }
  shownCache_.insert(key, shown);
  return shown;
}

void DecodeView::Relayout() const {
  const std::uint64_t from = visibleFrom(), to = visibleTo();
  if (!dirty_ && from == spanFrom_ && to == spanTo_) return;
  dirty_ = false;
  spanFrom_ = from;
  spanTo_ = to;
  span_ = DecodeAround(*decoder_, data_, anchor_, from, to);
  placed_.clear();
  shownPieces_.assign(span_.pieces.size(), QString());
  const QFontMetrics fm(font());
  int row = -1, x = textX_;
  for (std::size_t k = 0; k < span_.pieces.size(); ++k) {
    const DecodedPiece& p = span_.pieces[k];
    if (p.at < from) continue;  // its text stands in the row above the view
    const int r = static_cast<int>((p.at - from) / kBytesPerRow);
    if (r >= RowCount()) break;
    if (r != row) {
      row = r;
      x = textX_;
    }
    shownPieces_[k] = Shown(std::string_view(span_.text).substr(p.textAt, p.textLength));
    const int width = fm.horizontalAdvance(shownPieces_[k]);
    placed_.push_back({r, x, x + width, k});
    x += width;
  }
}

QString DecodeView::rowText(int row) const {
  Relayout();
  QString text;
  for (const Placed& p : placed_) {
    if (p.row == row) text += shownPieces_[p.piece];
  }
  return text;
}

QString DecodeView::visibleText() const {
  Relayout();
  const std::uint64_t from = visibleFrom(), to = visibleTo();
  std::vector<QString> rows;
  for (std::uint64_t offset = from; offset < to; offset += kBytesPerRow)
    rows.push_back(HexText(offset, offsetDigits_) + QStringLiteral(": "));
  for (const Placed& p : placed_) {
    if (p.row >= 0 && static_cast<std::size_t>(p.row) < rows.size())
      rows[static_cast<std::size_t>(p.row)] += shownPieces_[p.piece];
  }
  QString text;
  for (const QString& row : rows) text += row + QLatin1Char('\n');
  return text;
}

QRect DecodeView::textRectOf(std::uint64_t at) const {
  Relayout();
  for (const Placed& p : placed_) {
    const DecodedPiece& piece = span_.pieces[p.piece];
    if (piece.at <= at && at < piece.end())
      return QRect(p.x0, p.row * lineHeight_, std::max(1, p.x1 - p.x0), lineHeight_);
  }
  return {};
}

QRect DecodeView::hexRectOf(std::uint64_t at) const {
  const std::uint64_t from = visibleFrom();
  if (at < from || at >= visibleTo()) return {};
  const int row = static_cast<int>((at - from) / kBytesPerRow);
  const int column = static_cast<int>((at - from) % kBytesPerRow);
  return QRect(hexX_ + column * 3 * charWidth_, row * lineHeight_, 2 * charWidth_, lineHeight_);
}

void DecodeView::paintEvent(QPaintEvent*) {
  Relayout();
  QPainter painter(viewport());
  const QPalette pal = palette();
  painter.fillRect(viewport()->rect(), pal.base());
  painter.setFont(font());
  const QFontMetrics fm(font());
  const std::uint64_t from = visibleFrom(), to = visibleTo();
  auto selected = [&](std::uint64_t a, std::uint64_t b) { return a < selTo_ && selFrom_ < b; };
  const QColor muted = pal.color(QPalette::PlaceholderText);
  const QColor control(0x00, 0x30, 0xA0);

  // Which bytes in view no entry took, for their hex to stand out.
  std::vector<bool> raw(static_cast<std::size_t>(to - from), false);
  for (const DecodedPiece& p : span_.pieces) {
    if (p.kind == PieceKind::Raw && p.at >= from && p.at < to) raw[static_cast<std::size_t>(p.at - from)] = true;
  }
  for (std::uint64_t offset = from; offset < to; offset += kBytesPerRow) {
    const int row = static_cast<int>((offset - from) / kBytesPerRow);
    const int baseline = row * lineHeight_ + fm.ascent();
    painter.setPen(muted);
    painter.drawText(4, baseline, HexText(offset, offsetDigits_));
    for (std::uint64_t at = offset; at < std::min(to, offset + kBytesPerRow); ++at) {
      const QRect cell = hexRectOf(at);
      const bool on = selected(at, at + 1);
      // A selection runs on through the gap to the next byte of its row.
      const bool runsOn = on && at + 1 < selTo_ && (at + 1) % kBytesPerRow != 0;
      if (on) painter.fillRect(cell.adjusted(0, 0, runsOn ? charWidth_ : 0, 0), pal.highlight());
      painter.setPen(on ? pal.color(QPalette::HighlightedText)
                        : raw[static_cast<std::size_t>(at - from)] ? QColor(0xB0, 0x20, 0x20) : pal.color(QPalette::Text));
      painter.drawText(cell.left(), baseline, HexText(static_cast<unsigned char>(data_[at]), 2));
    }
  }
  for (const Placed& p : placed_) {
    const DecodedPiece& piece = span_.pieces[p.piece];
    const int baseline = p.row * lineHeight_ + fm.ascent();
    const bool on = selected(piece.at, piece.end());
    if (on) painter.fillRect(QRect(p.x0, p.row * lineHeight_, p.x1 - p.x0, lineHeight_), pal.highlight());
    painter.setPen(on ? pal.color(QPalette::HighlightedText)
                   : piece.kind == PieceKind::Raw  ? muted
                   : piece.kind == PieceKind::Text ? pal.color(QPalette::Text)
                                                   : control);
    painter.drawText(p.x0, baseline, shownPieces_[p.piece]);
  }
}

void DecodeView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBar();
  Invalidate();
}

void DecodeView::scrollContentsBy(int, int) {
  viewport()->update();
  emit viewChanged();
}

void DecodeView::changeEvent(QEvent* e) {
  if (e) QAbstractScrollArea::changeEvent(e);
  if (e && e->type() != QEvent::FontChange) return;
  const QFontMetrics fm(font());
  charWidth_ = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
  lineHeight_ = std::max(1, fm.height());
  hexX_ = 4 + (offsetDigits_ + 2) * charWidth_;
  textX_ = hexX_ + (kBytesPerRow * 3 + 1) * charWidth_;
  UpdateScrollBar();
  Invalidate();
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> DecodeView::BytesAt(QPoint pos) const {
  Relayout();
  const std::uint64_t from = visibleFrom(), to = visibleTo();
  if (from >= to) return std::nullopt;
  const int row = std::clamp(pos.y() / lineHeight_, 0, RowCount() - 1);
  const std::uint64_t rowStart = std::min(from + static_cast<std::uint64_t>(row) * kBytesPerRow, to - 1);
  if (pos.x() < hexX_) return std::nullopt;
  if (pos.x() < textX_ - charWidth_) {
    const int column = std::clamp((pos.x() - hexX_) / (3 * charWidth_), 0, kBytesPerRow - 1);
    const std::uint64_t at = std::min(rowStart + static_cast<std::uint64_t>(column), to - 1);
    return std::pair{at, at + 1};
  }
  // The text column: the piece drawn under the point, or the last of the
  // row; a row without a piece of its own belongs to the one above.
  const Placed* hit = nullptr;
  for (const Placed& p : placed_) {
    if (p.row == row && (!hit || p.x0 <= pos.x())) hit = &p;
  }
  if (hit) return std::pair{span_.pieces[hit->piece].at, span_.pieces[hit->piece].end()};
  for (const DecodedPiece& p : span_.pieces) {
    if (p.at <= rowStart && rowStart < p.end()) return std::pair{p.at, p.end()};
  }
  return std::nullopt;
}

void DecodeView::Select(std::uint64_t from, std::uint64_t to) {
  if (from == selFrom_ && to == selTo_) return;
  selFrom_ = from;
  selTo_ = to;
  viewport()->update();
  emit selectionChanged(from, to);
}

void DecodeView::setSelection(std::uint64_t from, std::uint64_t to) {
  if (from < visibleFrom() || from >= visibleTo()) scrollToOffset(from);
  dragFrom_ = {from, to};
  Select(from, to);
}

void DecodeView::scrollToOffset(std::uint64_t at) {
  verticalScrollBar()->setValue(static_cast<int>(std::min<std::uint64_t>(at / kBytesPerRow, INT_MAX)));
}

void DecodeView::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  const auto bytes = BytesAt(e->position().toPoint());
  if (!bytes) return;
  if (!(e->modifiers() & Qt::ShiftModifier) || selFrom_ == selTo_) dragFrom_ = *bytes;
  Select(std::min(dragFrom_.first, bytes->first), std::max(dragFrom_.second, bytes->second));
}

void DecodeView::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton)) return;
  const auto bytes = BytesAt(e->position().toPoint());
  if (!bytes) return;
  Select(std::min(dragFrom_.first, bytes->first), std::max(dragFrom_.second, bytes->second));
}

}  // namespace mojihyo::ui
