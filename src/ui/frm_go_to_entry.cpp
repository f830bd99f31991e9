#include "ui/frm_go_to_entry.h"

#include "search/go_to_entry.h"
#include "ui/dialog_parts.h"
#include "ui/hex_key_filter.h"
#include "ui/prompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cinttypes>
#include <cstdio>

namespace mojihyo::ui {

namespace {

// "41h", "0400h": the number as the grid and the entry list write it.
QString HexNumber(std::uint64_t number) {
  char digits[24];
  std::snprintf(digits, sizeof digits, number < 0x100 ? "%02" PRIX64 "h" : "%04" PRIX64 "h", number);
  return QString::fromLatin1(digits);
}

QString ProblemText(const GoToResult& result, const QString& typed) {
  switch (*result.problem) {
    case GoToProblem::NothingTyped:
      return QStringLiteral("Type the number of an entry, such as 41h or 0400h.");
    case GoToProblem::NotANumber:
      return "\"" + typed + "\" is not a number.\r"
             "Hexadecimal numbers end in h, such as 41h; others are read as decimal, such as 65.";
    case GoToProblem::NotPresent:
      return "No entry has the number " + (result.tooLarge ? typed : HexNumber(result.number)) + ".";
  }
  return {};
}

}  // namespace

frmGoToEntry::frmGoToEntry(const FontTable& doc, ByteText text, QWidget* parent)
    : QDialog(parent), doc_(doc), text_(text) {
  setObjectName(QStringLiteral("frmGoToEntry"));
  setWindowTitle(QStringLiteral("Go to Entry"));
  Label1 = MakeLabel(this, "Label1",
                     QStringLiteral("Type the number of the entry to go to (e.g., 41h, or 0400h for a "
                                    "16-bit entry):"));
  EntryNumber = MakeBox(this, "EntryNumber", 0, Label1);
  InstallHexKeyFilter(EntryNumber);
  Command1 = MakeButton(this, "Command1", QStringLiteral("Go"));
  Command1->setDefault(true);
  Command2 = MakeButton(this, "Command2", QStringLiteral("Cancel"));
  connect(Command1, &QPushButton::clicked, this, &frmGoToEntry::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(EntryNumber);
  AddButtonRow(layout, {Command1, Command2});
  setFixedWidth(320);
}

void frmGoToEntry::Command1_Click() {
  const GoToResult result = GoToEntry(doc_, text_.BytesOfBox(EntryNumber->text()));
  if (result.problem) {
    Prompts().Message(this, {QStringLiteral("Go to Entry"), ProblemText(result, EntryNumber->text().trimmed()),
                             QMessageBox::Information, QMessageBox::Ok});
    EntryNumber->setFocus();
    EntryNumber->selectAll();
    return;
  }
  target_ = result.place;
  accept();
}

}  // namespace mojihyo::ui
