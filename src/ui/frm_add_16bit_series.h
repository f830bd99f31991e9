#pragma once

#include "ui/byte_text.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mojihyo::ui {

class frm16bitEntries;

// Asks for a range of entry numbers, then for the value of each number in
// turn; every value given is appended to the list dialog's working list.
class frmAdd16bitSeries : public QDialog {
  Q_OBJECT

public:
  explicit frmAdd16bitSeries(frm16bitEntries& list);

private:
  void btnBegin_Click();

  frm16bitEntries& list_;
  QLabel* Label1;
  QLineEdit* StartNumber;
  QLabel* Label2;
  QLineEdit* EndNumber;
  QPushButton* btnBegin;
  QPushButton* Command1;
};

// Asks for the value of one number of a series.
class frmEnter16bitValue : public QDialog {
  Q_OBJECT

public:
  enum class Choice { Next, Skip, Stop };

  frmEnter16bitValue(const ByteText& text, const QString& number, std::uint32_t position,
                     std::uint32_t count, QWidget* parent);

  // Skip unless a button said otherwise: closing by the frame skips.
  Choice choice() const { return choice_; }
  QString value() const;

private:
  Choice choice_ = Choice::Skip;
  QLabel* lblEntryNumber;
  QLabel* lblTypeValue;
  QLineEdit* EntryValue;
  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command3;
};

}  // namespace mojihyo::ui
