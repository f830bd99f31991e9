#include "ui/grid_area.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QWindow>

namespace mojihyo::ui {

namespace {

// Every kind of input that could reach a cell, or the widget under the
// pointer or with the focus.
bool IsInput(QEvent::Type t) {
  switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    case QEvent::ToolTip:
      return true;
    default:
      return false;
  }
}

}  // namespace

GridArea::GridArea(QWidget* parent) : QWidget(parent) {
  QAccessible::installActivationObserver(this);
}

GridArea::~GridArea() {
  QAccessible::removeActivationObserver(this);
  qApp->removeEventFilter(this);
}

void GridArea::setPendingCells(std::vector<QRect> places, std::function<void()> build) {
  places_ = std::move(places);
  build_ = std::move(build);
  // A screen reader already running reads the cells from the first moment.
  if (QAccessible::isActive()) {
    buildCells();
    return;
  }
  qApp->installEventFilter(this);
}

void GridArea::buildCells() {
  if (!build_) return;
  qApp->removeEventFilter(this);
  const std::function<void()> build = std::move(build_);
  build_ = nullptr;
  places_.clear();
  build();
  update();
}

void GridArea::paintEvent(QPaintEvent* e) {
  if (!build_) return;
  // Each cell as an empty, unfocused line edit draws itself.
  QPainter painter(this);
  QStyleOptionFrame box;
  box.initFrom(this);
  box.state |= QStyle::State_Sunken;
  box.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
  box.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &box, this);
  box.midLineWidth = 0;
  box.features = QStyleOptionFrame::None;
  for (const QRect& place : places_) {
    if (!e->rect().intersects(place)) continue;
    // Drawn where the line edit would draw itself, in its own coordinates.
    box.rect = QRect(QPoint(0, 0), place.size());
    painter.save();
    painter.translate(place.topLeft());
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &box, &painter, this);
    painter.restore();
  }
  // The line edits are made once this first picture is on its way.
  if (!buildQueued_) {
    buildQueued_ = true;
    QTimer::singleShot(0, this, &GridArea::buildCells);
  }
}

bool GridArea::eventFilter(QObject* watched, QEvent* e) {
  // Input for this window has the cells made before it is delivered, so
  // that it goes to the cell it was meant for.
  if (build_ && IsInput(e->type())) {
    const QWidget* target = qobject_cast<QWidget*>(watched);
    const bool ours = target ? target->window() == window()
                             : watched == window()->windowHandle();
    if (ours) buildCells();
  }
  return false;
}

void GridArea::accessibilityActiveChanged(bool active) {
  if (active) buildCells();
}

}  // namespace mojihyo::ui
