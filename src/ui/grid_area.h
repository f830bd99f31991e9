#pragma once

#include <QAccessible>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

namespace mojihyo::ui {

class LineEditModel;

// The area that holds the grid of cells. Making the 256 line edits is most
// of the start-up, so the window is first shown with the cells drawn by the
// area, as the empty boxes they are in a new table, and the line edits are
// made right after that first paint. They are made at once, before their
// time, when anything asks for a cell, when the user presses a key or uses
// the mouse on the window, or when a screen reader starts: no input and
// nothing read ever meets a cell that is not there.
class GridArea : public QWidget, private QAccessible::ActivationObserver {
  Q_OBJECT

public:
  // `build` makes the cells at `places`; it is run once.
  using CellBuilder = std::function<void(const std::vector<QRect>& places)>;

  explicit GridArea(QWidget* parent);
  ~GridArea() override;

  void setPendingCells(std::vector<QRect> places, CellBuilder build);
  bool cellsPending() const { return static_cast<bool>(build_); }
  // Makes the cells now if they are not made yet.
  void buildCells();
  // The cells will not be made: their maker is going away.
  void cancelPendingCells();

signals:
  void cellsMade();

protected:
  void paintEvent(QPaintEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  void accessibilityActiveChanged(bool active) override;

  std::vector<QRect> places_;
  CellBuilder build_;
  bool buildQueued_ = false;
  // An empty line edit, never shown, that draws each cell until the cells
  // are made: it looks as they will, whatever the style or style sheet.
  QPointer<LineEditModel> model_;
};

}  // namespace mojihyo::ui
