#pragma once

#include "ui/byte_text.h"

#include <QLineEdit>

#include <cstdint>
#include <string_view>

namespace mojihyo::ui {

// One cell of the grid: a single-line text box that reports focus,
// double-clicks and mouse moves with its index, shows a 0xBBGGRR colour, and
// lets the menus' Ctrl shortcuts and the document's undo keys win over its
// own editing keys.
class TableCell : public QLineEdit {
  Q_OBJECT

public:
  TableCell(int index, QWidget* parent);

  int index() const { return index_; }

  // The colour shown, as a 0xBBGGRR value.
  std::uint32_t colour() const { return colour_; }
  void setColour(std::uint32_t bgr);

  // Shows an entry's bytes as `text` shows them. A long entry (see
  // IsLongEntry) shows its start, elided, and takes no typing: Enter asks
  // for its own window instead.
  void showEntry(std::string_view bytes, const ByteText& text);
  bool elided() const { return elided_; }
  // A locked cell takes no typing.
  void setLocked(bool locked);

  // Takes the focus as if it only came back to the cell: a command that
  // shows a cell (Find, Go to Entry) moves there without ending a pending
  // block range.
  void takeFocusReturning();

  // The keys of the document's Undo and Redo, which a cell never handles.
  static bool IsUndoKey(const QKeyEvent* e);

signals:
  // `returning` is set when the focus only comes back to the cell, from a
  // menu or another window, rather than being moved to it.
  void focusEntered(int index, bool returning);
  void focusLeft(int index);
  void doubleClicked(int index);
  void mouseMovedOver(int index);
  // Up or Down was pressed: the cell a row above or below should take the
  // focus.
  void rowStep(int index, int rows);
  // Enter was pressed in a cell showing a long entry.
  void longEntryOpened(int index);

protected:
  bool event(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

private:
  bool IsMenuShortcut(const QKeySequence& keys) const;
  void AllowLongText();

  int index_;
  bool returning_ = false;  // set while takeFocusReturning gives the focus
  std::uint32_t colour_ = 0xFFFFFF;  // what the grid paints it before a colour is set
  bool locked_ = false;
  bool elided_ = false;
};

// A 0xBBGGRR colour value as Qt's colour.
QColor FromBgr(std::uint32_t bgr);

}  // namespace mojihyo::ui
