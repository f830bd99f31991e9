#pragma once

#include "ui/byte_text.h"

#include <QDialog>

#include <string>
#include <string_view>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mojihyo::ui {

// An entry too long for its cell, whole and editable. The text is folded
// into lines only so that it can be read and so that laying it out costs
// what a screenful costs; an entry holds no line breaks, so the folds are
// dropped again and any line break typed with them.
class frmLongEntry : public QDialog {
  Q_OBJECT

public:
  frmLongEntry(int index, const std::string& bytes, ByteText text, QWidget* parent = nullptr);

  // The entry's bytes as the box holds them when OK was pressed.
  std::string bytes() const;

  // Characters per folded line.
  static constexpr int kFoldWidth = 1000;

private:
  void Okay();
  QString Unfolded() const;

  std::string original_;
  ByteText text_;
  QLabel* Label1;
  QPlainTextEdit* EntryValue;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
};

}  // namespace mojihyo::ui
