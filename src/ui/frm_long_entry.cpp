#include "ui/frm_long_entry.h"

#include "core/hex_notation.h"
#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/prompts.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mojihyo::ui {

namespace {

// The text with a line break after every kFoldWidth characters, never
// between the halves of a surrogate pair.
QString Folded(const QString& text) {
  QString folded;
  folded.reserve(text.size() + text.size() / frmLongEntry::kFoldWidth + 1);
  qsizetype from = 0;
  while (from < text.size()) {
    qsizetype to = std::min(from + frmLongEntry::kFoldWidth, text.size());
    if (to < text.size() && text[to].isLowSurrogate()) ++to;
    if (from > 0) folded += QLatin1Char('\n');
    folded += QStringView(text).mid(from, to - from);
    from = to;
  }
  return folded;
}

}  // namespace

frmLongEntry::frmLongEntry(int index, const std::string& bytes, ByteText text, QWidget* parent)
    : QDialog(parent), original_(bytes), text_(text) {
  setObjectName(QStringLiteral("frmLongEntry"));
  const QString number = QString::fromLatin1(HexByte(index).c_str());
  setWindowTitle("Entry " + number + "h");
  Label1 = MakeLabel(this, "Label1",
                     QStringLiteral("Entry %1h holds %2 bytes, more than its cell can show. The "
                                    "lines are folded only for reading; the entry has no line "
                                    "breaks.")
                         .arg(number)
                         .arg(bytes.size()));
  EntryValue = new QPlainTextEdit(this);
  EntryValue->setObjectName(QStringLiteral("EntryValue"));
  EntryValue->setAccessibleName(QStringLiteral("Entry text"));
  EntryValue->setPlainText(Folded(text_.ToDisplay(bytes)));
  Label1->setBuddy(EntryValue);

  cmdOK = MakeButton(this, "cmdOK", QStringLiteral("OK"));
  cmdOK->setDefault(true);
  cmdCancel = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"));
  connect(cmdOK, &QPushButton::clicked, this, &frmLongEntry::Okay);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(EntryValue, 1);
  AddButtonRow(layout, {cmdOK, cmdCancel});
  resize(640, 480);
}

QString frmLongEntry::Unfolded() const {
  QString text = EntryValue->toPlainText();
  text.remove(QLatin1Char('\n'));
  return text;
}

void frmLongEntry::Okay() {
  // A cell refuses a character that fits neither the display encoding nor
  // one byte; taking it here would turn the whole entry into other bytes.
  const QString text = Unfolded();
  if (text != text_.ToDisplay(original_) && !text_.FromTyped(text, original_)) {
    Prompts().Message(this, {QStringLiteral("Entry Not Stored"),
                             QStringLiteral("The entry holds a character that the display "
                                            "encoding cannot store. Remove it and press OK "
                                            "again, or press Cancel."),
                             QMessageBox::Warning, QMessageBox::Ok});
    return;
  }
  accept();
}

std::string frmLongEntry::bytes() const { return text_.BytesOfBox(Unfolded(), original_); }

}  // namespace mojihyo::ui
