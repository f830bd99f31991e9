#pragma once

#include "core/font_table.h"
#include "search/find_entries.h"
#include "ui/byte_text.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mojihyo::ui {

// Asks for an entry number, typed as the value boxes take one, and stays
// open, saying why, until it names an entry or the user gives up.
class frmGoToEntry : public QDialog {
  Q_OBJECT

public:
  frmGoToEntry(const FontTable& doc, ByteText text, QWidget* parent = nullptr);

  // The entry "Go" found; nothing when the dialog was cancelled.
  std::optional<EntryPlace> target() const { return target_; }

private:
  void Command1_Click();

  const FontTable& doc_;
  ByteText text_;
  std::optional<EntryPlace> target_;
  QLabel* Label1;
  QLineEdit* EntryNumber;
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace mojihyo::ui
