#include "ui/table_cell.h"

#include "core/grid_rules.h"
#include "core/hex_notation.h"
#include "ui/byte_text.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QMimeData>
#include <QKeyEvent>
#include <QPalette>
#include <QTextDocument>
#include <QToolTip>

#include <limits>

namespace mojihyo::ui {

QColor FromBgr(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

TableCell::TableCell(int index, QWidget* parent) : QLineEdit(parent), index_(index) {
  setObjectName(QStringLiteral("TableData(%1)").arg(index));
  // A screen reader names the cell by its entry number and reads its text
  // as the box's value; the tooltip is its description.
  setAccessibleName(QStringLiteral("Entry %1h").arg(QString::fromLatin1(HexByte(index).c_str())));
  // Previewing a block range follows the mouse without a button held.
  setMouseTracking(true);
  // The resting white comes from the grid, which paints every cell white
  // until one is given a colour of its own.
}

void TableCell::AllowLongText() {
  // Entries read from files can be long; the box must not cut them. Raised
  // only where needed: for every cell at start-up it costs time.
  if (maxLength() != std::numeric_limits<int>::max()) setMaxLength(std::numeric_limits<int>::max());
}

void TableCell::takeFocusReturning() {
  returning_ = true;
  setFocus(Qt::OtherFocusReason);
  returning_ = false;
}

void TableCell::setColour(std::uint32_t bgr) {
  colour_ = bgr;
  QPalette p = palette();
  p.setColor(QPalette::Base, FromBgr(bgr));
  setPalette(p);
}

namespace {

// The start of a long entry, cut where it still decodes cleanly: a
// character cut in two would show the whole start one byte per character.
QString Elided(std::string_view bytes, const ByteText& text) {
  std::string_view start = bytes.substr(0, kEntryPreviewBytes);
  for (std::size_t cut = 0; cut < 4; ++cut) {
    const std::string_view shorter = start.substr(0, start.size() - cut);
    if (DecodesCleanly(shorter, text.encoding())) {
      start = shorter;
      break;
    }
  }
  return text.ToDisplay(start) + QChar(0x2026);
}

}  // namespace

void TableCell::showEntry(std::string_view bytes, const ByteText& text) {
  elided_ = IsLongEntry(bytes);
  const QString shown = elided_ ? Elided(bytes, text) : text.ToDisplay(bytes);
  if (shown.size() > maxLength()) AllowLongText();
  if (this->text() != shown) setText(shown);
  setReadOnly(locked_ || elided_);
}

void TableCell::setLocked(bool locked) {
  locked_ = locked;
  setReadOnly(locked_ || elided_);
}

bool TableCell::IsMenuShortcut(const QKeySequence& keys) const {
  for (const QAction* action : window()->findChildren<QAction*>()) {
    if (action->isEnabled() && action->isVisible() && action->shortcuts().contains(keys)) return true;
  }
  return false;
}

bool TableCell::IsUndoKey(const QKeyEvent* e) {
  const QKeyCombination keys = e->keyCombination();
  return e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo) ||
         keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
         keys == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) ||
         keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

bool TableCell::event(QEvent* e) {
  // A line edit claims Ctrl+C, Ctrl+V and friends before any shortcut is
  // looked up. The menus own some of those keys (Ctrl+C inserts the capital
  // alphabet), so leave the keys the menus use to them. Undo and redo are
  // always the document's.
  if (e->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(e);
    if (IsUndoKey(key)) {
      e->ignore();
      return true;
    }
    if (key->modifiers() & Qt::ControlModifier) {
      QKeySequence keys(key->keyCombination());
      if (IsMenuShortcut(keys)) {
        e->ignore();
        return true;
      }
    }
  }
  // Qt shows a tooltip that looks like markup as rich text; an entry such as
  // "<b>" or "&lt;" must be shown as it stands.
  if (e->type() == QEvent::ToolTip && Qt::mightBeRichText(toolTip())) {
    const auto* help = static_cast<QHelpEvent*>(e);
    QToolTip::showText(help->globalPos(),
                       "<p style='white-space:pre'>" + toolTip().toHtmlEscaped() + "</p>", this);
    return true;
  }
  return QLineEdit::event(e);
}

void TableCell::focusInEvent(QFocusEvent* e) {
  AllowLongText();  // before the user can type or paste into it
  QLineEdit::focusInEvent(e);
  // A menu opened by mouse or by keyboard, and another window, give the focus
  // back with these reasons; the focus was never moved to this cell.
  const Qt::FocusReason r = e->reason();
  emit focusEntered(index_, returning_ || r == Qt::PopupFocusReason || r == Qt::MenuBarFocusReason ||
                                r == Qt::ActiveWindowFocusReason);
}

void TableCell::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  emit focusLeft(index_);
}

void TableCell::mouseDoubleClickEvent(QMouseEvent* e) {
  // A double-click locks or unlocks the cell; it does not select a word.
  e->accept();
  emit doubleClicked(index_);
}

void TableCell::keyPressEvent(QKeyEvent* e) {
  // With nothing to undo or redo, the menu item is disabled and the key
  // comes here: the line edit must not undo its own text behind the
  // document's back.
  if (IsUndoKey(e)) {
    e->accept();
    return;
  }
  // A line edit has no use for Up and Down; in the grid they move by a row.
  if (e->modifiers() == Qt::NoModifier && (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down)) {
    emit rowStep(index_, e->key() == Qt::Key_Up ? -1 : 1);
    return;
  }
  if (elided_ && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
    emit longEntryOpened(index_);
    return;
  }
  QLineEdit::keyPressEvent(e);
}

void TableCell::dragEnterEvent(QDragEnterEvent* e) {
  // A file dragged over the grid is a table to open, which the window takes;
  // only dragged text goes into a cell.
  if (e->mimeData()->hasUrls()) {
    e->ignore();
    return;
  }
  QLineEdit::dragEnterEvent(e);
}

void TableCell::dropEvent(QDropEvent* e) {
  if (e->mimeData()->hasUrls()) {
    e->ignore();
    return;
  }
  QLineEdit::dropEvent(e);
}

void TableCell::mouseMoveEvent(QMouseEvent* e) {
  QLineEdit::mouseMoveEvent(e);
  emit mouseMovedOver(index_);
}

}  // namespace mojihyo::ui
