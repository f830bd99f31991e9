#pragma once

#include "ui/byte_text.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mojihyo::ui {

// Asks for a text and a count, and writes the text into that many cells
// from the current one.
class frmRepeatedValue : public QDialog {
  Q_OBJECT

public:
  explicit frmRepeatedValue(ByteText text, QWidget* parent = nullptr);

  // The value and count given when "Let's Do It!" was pressed.
  QString value() const;
  QString repetitions() const;

private:
  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Value;
  QLabel* Label3;
  QLineEdit* Repetitions;
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace mojihyo::ui
