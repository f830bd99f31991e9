#include "ui/grid_area.h"

#include <QApplication>
#include <QLineEdit>
#include <QEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QWindow>

namespace mojihyo::ui {

// A line edit whose style options can be read, to draw one as it would.
class LineEditModel : public QLineEdit {
public:
  using QLineEdit::QLineEdit;
  using QLineEdit::initStyleOption;
};

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
  cancelPendingCells();
}

void GridArea::setPendingCells(std::vector<QRect> places, CellBuilder build) {
  places_ = std::move(places);
  build_ = std::move(build);
  qApp->installEventFilter(this);
}

void GridArea::cancelPendingCells() {
  qApp->removeEventFilter(this);
  build_ = nullptr;
  places_.clear();
  delete model_.data();
}

void GridArea::buildCells() {
  if (!build_) return;
  const CellBuilder build = std::move(build_);
  const std::vector<QRect> places = std::move(places_);
  cancelPendingCells();
  build(places);
  update();
  emit cellsMade();
}

void GridArea::paintEvent(QPaintEvent* e) {
  if (!build_) return;
  if (!model_) {
    model_ = new LineEditModel(this);
    model_->setAttribute(Qt::WA_DontShowOnScreen);
    model_->setFocusPolicy(Qt::NoFocus);
    model_->hide();
    model_->ensurePolished();
  }
  // What an empty line edit that has not the focus paints: its panel.
  QPainter painter(this);
  for (const QRect& place : places_) {
    if (!e->rect().intersects(place)) continue;
    if (model_->size() != place.size()) model_->resize(place.size());
    QStyleOptionFrame panel;
    model_->initStyleOption(&panel);
    painter.save();
    painter.translate(place.topLeft());
    painter.setClipRect(model_->rect());
    model_->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, model_);
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
