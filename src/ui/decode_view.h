#pragma once

#include "tools/decode_window.h"
#include "ui/byte_text.h"

#include <QAbstractScrollArea>
#include <QHash>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace mojihyo::ui {

// A file shown sixteen bytes a row: the offset, the bytes in hex, and the
// text they decode to, each piece of text in the row where its bytes
// start. Only the rows in view are decoded (with a little before them, see
// DecodeAround), so a file of any size scrolls as fast as a small one.
// Selecting text, by mouse in either column, selects the bytes it came from.
class DecodeView : public QAbstractScrollArea {
  Q_OBJECT

public:
  static constexpr int kBytesPerRow = 16;

  explicit DecodeView(QWidget* parent = nullptr);

  // The bytes must stay valid while they are shown.
  void setData(std::string_view bytes);
  void setDecoder(std::shared_ptr<const Decoder> decoder);
  void setByteText(ByteText text);

  // Where decoding starts: bytes after it are decoded as from it, bytes
  // before it as if they ended there.
  std::uint64_t anchor() const { return anchor_; }
  void setAnchor(std::uint64_t at);

  // Selects bytes [from, to) and scrolls them into view.
  void setSelection(std::uint64_t from, std::uint64_t to);
  std::pair<std::uint64_t, std::uint64_t> selection() const { return {selFrom_, selTo_}; }

  // Puts the row holding `at` at the top.
  void scrollToOffset(std::uint64_t at);

  // The bytes in view, and their decode.
  std::uint64_t visibleFrom() const;
  std::uint64_t visibleTo() const;
  const DecodedSpan& span() const;

  // What the text column shows in row `row` of the view (0 is the top), and
  // where the text of the piece holding byte `at` is drawn; for whoever
  // needs to point at it, tests included.
  QString rowText(int row) const;
  // The rows in view as lines of offset and text: what a screen reader is
  // given, since the rows are drawn rather than made of widgets.
  QString visibleText() const;
  QRect textRectOf(std::uint64_t at) const;
  QRect hexRectOf(std::uint64_t at) const;

signals:
  void selectionChanged(std::uint64_t from, std::uint64_t to);
  // Scrolled, resized, or decoded again.
  void viewChanged();

protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  // A piece of the decode as drawn: its row in view and its text's place.
  struct Placed {
    int row;
    int x0, x1;
    std::size_t piece;
  };

  void Relayout() const;
  void UpdateScrollBar();
  void Invalidate();
  int RowCount() const;  // rows that fit in the viewport
  std::uint64_t TopRow() const;
  QString Shown(std::string_view bytes) const;
  // The bytes under a point of the viewport: one byte in the hex column,
  // a piece in the text column.
  std::optional<std::pair<std::uint64_t, std::uint64_t>> BytesAt(QPoint p) const;
  void Select(std::uint64_t from, std::uint64_t to);

  std::string_view data_;
  std::shared_ptr<const Decoder> decoder_;
  ByteText byteText_;
  std::uint64_t anchor_ = 0;
  std::uint64_t selFrom_ = 0, selTo_ = 0;
  std::pair<std::uint64_t, std::uint64_t> dragFrom_{0, 0};

  // Filled by Relayout for the rows in view.
  mutable bool dirty_ = true;
  mutable DecodedSpan span_;
  mutable std::uint64_t spanFrom_ = 0, spanTo_ = 0;
  mutable std::vector<Placed> placed_;
  mutable std::vector<QString> shownPieces_;
  mutable QHash<QByteArray, QString> shownCache_;

  int offsetDigits_ = 8;
  int charWidth_ = 8, lineHeight_ = 16;
  int hexX_ = 0, textX_ = 0;
};

}  // namespace mojihyo::ui
