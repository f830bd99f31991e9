#pragma once

#include "core/font_table.h"
#include "tools/font_table_check.h"
#include "ui/byte_text.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QTimer>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace mojihyo::ui {

// The Check Table window: what the table check finds in the table the main
// window holds, one row a finding. It leaves the main window usable and
// checks again a moment after the table last changed; the check runs on a
// copy of the table away from the window's thread, so typing never waits
// for it.
class frmCheckTable : public QDialog {
  Q_OBJECT

public:
  // How long the table must stay unchanged before it is checked again.
  static constexpr int kPauseMs = 400;

  // `table` is read at each check; `text` tells how the main window shows
  // bytes at that moment.
  frmCheckTable(const FontTable& table, std::function<ByteText()> text, QWidget* parent);
  ~frmCheckTable() override;

  // The table changed: check it again once it has rested for the pause.
  void TableChanged();
  // Whether a check is waiting for the pause or running: the findings on
  // show may be out of date.
  bool CheckPending() const { return pause_.isActive() || checking_; }
  const FontTableCheck& shown() const { return shown_; }

signals:
  // A finding was double-clicked (or chosen with Enter): show its entry.
  void EntryChosen(mojihyo::EntryPlace place, std::size_t logicalTable);
  // The findings of a check are on show.
  void Checked();

private:
  void RunCheck();
  void ShowCheck(FontTableCheck check);
  void lstFindings_Activated(int row);

  const FontTable& table_;
  std::function<ByteText()> text_;
  QTimer pause_;
  QFutureWatcher<FontTableCheck> watcher_;
  bool checking_ = false;  // a check runs, or its result is on its way
  bool again_ = false;     // the table changed while a check ran
  FontTableCheck shown_;

  QLabel* lblSummary;
  QTableWidget* lstFindings;
  QCheckBox* chkCompatibility;
  QPushButton* btnClose;
};

}  // namespace mojihyo::ui
