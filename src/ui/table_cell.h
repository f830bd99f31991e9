#pragma once

#include <QLineEdit>

#include <cstdint>

namespace mojihyo::ui {

// One cell of the grid: a single-line text box that reports focus,
// double-clicks and mouse moves with its index, shows a 0xBBGGRR colour, and
// lets the menus' Ctrl shortcuts win over its own editing keys.
class TableCell : public QLineEdit {
  Q_OBJECT

public:
  TableCell(int index, QWidget* parent);

  int index() const { return index_; }

  // The colour shown, as a 0xBBGGRR value.
  std::uint32_t colour() const { return colour_; }
  void setColour(std::uint32_t bgr);

  // Shows `text` whole, however long.
  void showText(const QString& text);

  // Takes the focus as if it only came back to the cell: a command that
  // shows a cell (Find, Go to Entry) moves there without ending a pending
  // block range.
  void takeFocusReturning();

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
};

// A 0xBBGGRR colour value as Qt's colour.
QColor FromBgr(std::uint32_t bgr);

}  // namespace mojihyo::ui
