#include "ui/frm_add_16bit_series.h"

#include "entries16/entry_line.h"
#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/entry_list_model.h"
#include "ui/frm_16bit_entries.h"
#include "ui/hex_key_filter.h"
#include "ui/prompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmAdd16bitSeries::frmAdd16bitSeries(frm16bitEntries& list) : QDialog(&list), list_(list) {
  setObjectName(QStringLiteral("frmAdd16bitSeries"));
  setWindowTitle(QStringLiteral("Add Series"));
  Label1 = MakeLabel(
      this, "Label1",
      QStringLiteral("Type in the desired range of entry numbers below (e.g., 1500h through 15B2h):"));
  StartNumber = MakeBox(this, "StartNumber", 0, Label1);
  Label2 = MakeLabel(this, "Label2", QStringLiteral("through"));
  EndNumber = MakeBox(this, "EndNumber", 0, Label2);
  for (QLineEdit* box : {StartNumber, EndNumber}) InstallHexKeyFilter(box);
  btnBegin = MakeButton(this, "btnBegin", QStringLiteral("Begin Value Entry"));
  btnBegin->setDefault(true);
  Command1 = MakeButton(this, "Command1", QStringLiteral("Cancel"));
  connect(btnBegin, &QPushButton::clicked, this, &frmAdd16bitSeries::btnBegin_Click);
  connect(Command1, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  auto* range = new QHBoxLayout;
  range->addWidget(StartNumber);
  range->addWidget(Label2);
  range->addWidget(EndNumber);
  layout->addLayout(range);
  AddButtonRow(layout, {btnBegin, Command1});
  setFixedWidth(360);
}

void frmAdd16bitSeries::btnBegin_Click() {
  hide();
  const ByteText& text = list_.byteText();
  const EntryRange range =
      EntryRangeOf(text.BytesOfBox(StartNumber->text()), text.BytesOfBox(EndNumber->text()));
  // Stop Now ends this loop only: the request lives and dies here.
  for (std::uint32_t i = range.first; i <= range.last; ++i) {
    const std::string number = EntryNumberText(i);
    frmEnter16bitValue ask(text, text.ToDisplay(number), i - range.first + 1, range.count(), &list_);
    Prompts().RunModal(ask);
    if (ask.choice() == frmEnter16bitValue::Choice::Next)
      list_.entries().append(MakeEntryLine(number, text.BytesOfBox(ask.value())));
    if (ask.choice() == frmEnter16bitValue::Choice::Stop) break;
  }
  accept();
}

frmEnter16bitValue::frmEnter16bitValue(const ByteText& text, const QString& number,
                                       std::uint32_t position, std::uint32_t count, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmEnter16bitValue"));
  setWindowTitle("Entry " + number + "h");
  lblEntryNumber = MakeLabel(
      this, "lblEntryNumber",
      QStringLiteral("This is entry number %1 in a series of %2.").arg(position).arg(count));
  lblTypeValue = MakeLabel(this, "lblTypeValue", "Type the desired value for entry " + number + "h below:");
  EntryValue = MakeBox(this, "EntryValue", 0, lblTypeValue);
  text.GuardTypedText(EntryValue);
  Command1 = MakeButton(this, "Command1", QStringLiteral("Next Entry"));
  Command1->setDefault(true);
  Command2 = MakeButton(this, "Command2", QStringLiteral("Skip This Entry"));
  Command3 = MakeButton(this, "Command3", QStringLiteral("Stop Now"));
  auto choose = [this](Choice c) {
    choice_ = c;
    accept();
  };
  connect(Command1, &QPushButton::clicked, this, [choose] { choose(Choice::Next); });
  connect(Command2, &QPushButton::clicked, this, [choose] { choose(Choice::Skip); });
  connect(Command3, &QPushButton::clicked, this, [choose] { choose(Choice::Stop); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblEntryNumber);
  layout->addWidget(lblTypeValue);
  layout->addWidget(EntryValue);
  AddButtonRow(layout, {Command1, Command2, Command3});
  EntryValue->setFocus();
}

QString frmEnter16bitValue::value() const { return EntryValue->text(); }

}  // namespace mojihyo::ui
