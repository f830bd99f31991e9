#pragma once

#include <QAccessible>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

namespace mojihyo::ui {

// The area that holds the grid of cells. Making the 256 line edits is most
// of the start-up, so the window is first shown with the cells drawn by the
// area, as the empty boxes they are in a new table, and the line edits are
// made right after that first paint. They are made at once, before their
// time, when anything asks for a cell, when the user presses a key or uses
// the mouse on the window, or when a screen reader is there to read them:
// no input and nothing read ever meets a cell that is not there.
class GridArea : public QWidget, private QAccessible::ActivationObserver {
  Q_OBJECT

public:
  explicit GridArea(QWidget* parent);
  ~GridArea() override;

  // Where the cells will be, and what makes them; `build` is run once.
  void setPendingCells(std::vector<QRect> places, std::function<void()> build);
  bool cellsPending() const { return static_cast<bool>(build_); }
  // Makes the cells now if they are not made yet.
  void buildCells();

protected:
  void paintEvent(QPaintEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  void accessibilityActiveChanged(bool active) override;

  std::vector<QRect> places_;
  std::function<void()> build_;
  bool buildQueued_ = false;
};

}  // namespace mojihyo::ui
