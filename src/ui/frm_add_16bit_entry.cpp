#include "ui/frm_add_16bit_entry.h"

#include "core/hex_notation.h"
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

namespace {

// The layout both entry dialogs share: number, value, two buttons.
template <typename Dialog>
void BuildEntryDialog(Dialog* d, const ByteText& text, QLabel*& label1, QLineEdit*& number,
                      QLabel*& label2, QLineEdit*& value, QPushButton*& ok, QPushButton*& cancel,
                      const char* okText, const char* cancelText) {
  label1 = MakeLabel(d, "Label1", QStringLiteral("Type the 16-bit entry number below (e.g., 0400h):"));
  number = MakeBox(d, "EntryNumber", 5, label1);
  label2 = MakeLabel(d, "Label2", QStringLiteral("Type the entry's value (e.g., Cecil):"));
  value = MakeBox(d, "EntryValue", 0, label2);
  text.GuardTypedText(value);
  ok = MakeButton(d, "Command1", QString::fromLatin1(okText));
  ok->setDefault(true);
  cancel = MakeButton(d, "Command2", QString::fromLatin1(cancelText));
  QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);

  auto* layout = new QVBoxLayout(d);
  for (QWidget* w : std::initializer_list<QWidget*>{label1, number, label2, value})
    layout->addWidget(w);
  AddButtonRow(layout, {ok, cancel});
  d->setFixedWidth(320);
}

}  // namespace

frmAdd16bitEntry::frmAdd16bitEntry(frm16bitEntries& list) : QDialog(&list), list_(list) {
  setObjectName(QStringLiteral("frmAdd16bitEntry"));
  setWindowTitle(QStringLiteral("Add Entry"));
  BuildEntryDialog(this, list_.byteText(), Label1, EntryNumber, Label2, EntryValue, Command1,
                   Command2, "Add Entry", "Forget It");
  InstallHexKeyFilter(EntryNumber);
  // A TFS table's keys take up to 16 digits and the "h".
  if (list_.longKeys()) EntryNumber->setMaxLength(kLongestKeyDigits + 1);
  connect(Command1, &QPushButton::clicked, this, &frmAdd16bitEntry::Command1_Click);
}

namespace {

// The number a box names as the list takes it: four hex digits, or for a
// TFS table's list a key of two to eight bytes. Nothing, after saying so,
// for a key longer than that.
std::optional<std::string> NumberOfBox(frm16bitEntries& list, QWidget* dialog,
                                       const std::string& typed) {
  if (!list.longKeys()) return EntryNumberText(typed);
  if (auto key = LongEntryNumberText(typed)) return key;
  Prompts().Message(dialog, {QStringLiteral("Key Too Long"),
                             "You specified " + list.byteText().ToDisplay(typed) +
                                 " as the entry number you want to use.\r"
                                 "A key has at most 16 hex digits (eight bytes).",
                             QMessageBox::Information, QMessageBox::Ok});
  return std::nullopt;
}

}  // namespace

void frmAdd16bitEntry::Command1_Click() {
  const ByteText& text = list_.byteText();
  const std::string typed = text.BytesOfBox(EntryNumber->text());
  const std::optional<std::string> chosen = NumberOfBox(list_, this, typed);
  if (!chosen) return;
  const std::string& number = *chosen;
  if (list_.longKeys() ? KeyInUse(list_.entries().lines(), number)
                       : NumberInUse(list_.entries().lines(), number)) {
    Prompts().Message(this, {QStringLiteral("Entry Number In Use"),
                             "You specified " + text.ToDisplay(typed) +
                                 " as the entry number you want to use.\r"
                                 "That entry number is already taken.\r"
                                 "Please choose a different one.",
                             QMessageBox::Information, QMessageBox::Ok});
    return;
  }
  list_.entries().append(MakeEntryLine(number, text.BytesOfBox(EntryValue->text())));
  // The selection moves one row down: with none, the first row is selected.
  const auto selected = list_.selectedRow();
  list_.selectRow(selected ? *selected + 1 : 0);
  accept();
}

frmEdit16bitEntry::frmEdit16bitEntry(frm16bitEntries& list, std::size_t row)
    : QDialog(&list), list_(list), row_(row) {
  setObjectName(QStringLiteral("frmEdit16bitEntry"));
  setWindowTitle(QStringLiteral("Edit Entry"));
  const ByteText& text = list_.byteText();
  BuildEntryDialog(this, text, Label1, EntryNumber, Label2, EntryValue, Command1, Command2, "Okay",
                   "Cancel");
  // The number box keeps the value boxes' character list but is not filtered.
  EntryNumber->setProperty("tag", QString::fromLatin1(kHexAllowedChars.data(),
                                                      static_cast<qsizetype>(kHexAllowedChars.size())));
  if (list_.longKeys()) EntryNumber->setMaxLength(kLongestKeyDigits + 1);
  const std::string_view line = list_.entries().lines()[row_];
  EntryNumber->setText(text.ToDisplay(EntryLineNumber(line)) + "h");
  EntryValue->setText(text.ToDisplay(EntryLineValue(line)));
  connect(Command1, &QPushButton::clicked, this, &frmEdit16bitEntry::Command1_Click);
}

void frmEdit16bitEntry::Command1_Click() {
  const ByteText& text = list_.byteText();
  const std::string line(list_.entries().lines()[row_]);
  const std::optional<std::string> number = NumberOfBox(
      list_, this, text.BytesOfBox(EntryNumber->text(), std::string(EntryLineNumber(line)) + "h"));
  if (!number) return;
  list_.entries().replace(
      row_, MakeEntryLine(*number, text.BytesOfBox(EntryValue->text(), EntryLineValue(line))));
  accept();
}

}  // namespace mojihyo::ui
