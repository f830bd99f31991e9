#pragma once

#include "ui/byte_text.h"

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mojihyo::ui {

// Adds or edits one code of the Codes dialog: its kind, its key and what
// follows the "=" (a label and parameters, or a table switch's target and
// count). "Okay" takes it only when the line it makes reads as that kind.
class frmEditCode : public QDialog {
  Q_OBJECT

public:
  // `line`: the code to edit; nothing to add one.
  frmEditCode(const std::optional<std::string>& line, ByteText text, QWidget* parent = nullptr);

  // The line the boxes make, once "Okay" accepted it.
  std::string line() const { return line_; }

private:
  void Command1_Click();

  ByteText text_;
  std::string line_;
  std::string shownKey_, shownDefinition_;  // the bytes the boxes were filled from
  QLabel* lblKind;
  QComboBox* cboKind;
  QLabel* lblKey;
  QLineEdit* txtKey;
  QLabel* lblDefinition;
  QLineEdit* txtDefinition;
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace mojihyo::ui
