#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace mojihyo::ui {

// The bar under the grid that Edit > Find opens: what to look for, typed as
// text or as hex bytes, whole entries or parts, and the buttons that go to
// the next and the previous match. It leaves the grid usable; the main
// window does the searching and says what it found in the status bar.
class FindBar : public QWidget {
  Q_OBJECT

public:
  explicit FindBar(QWidget* parent);

  QString text() const;
  bool hex() const;
  bool wholeEntry() const;

  // Shows the bar with the typed text selected, ready to be typed over.
  void Open();

signals:
  // The text or a tick changed: the main window counts the matches again.
  void queryChanged();
  void findNext();
  void findPrevious();
  // Escape or the close button hid the bar.
  void closed();

protected:
  void keyPressEvent(QKeyEvent* e) override;

private:
  void Close();

  QLabel* lblFind;
  QLineEdit* FindText;
  QCheckBox* chkHex;
  QCheckBox* chkWholeEntry;
  QPushButton* btnFindPrevious;
  QPushButton* btnFindNext;
  QToolButton* btnCloseFind;
};

}  // namespace mojihyo::ui
