#include "ui/frm_edit_code.h"

#include "tfs/tfs_codes.h"
#include "tfs/tfs_line.h"
#include "ui/dialog_parts.h"
#include "ui/prompts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

namespace {

// The kinds of code, in the order the box lists them.
const struct {
  char marker;
  const char* name;
  const char* asAWhole;  // as a sentence names one
} kKinds[] = {{'/', "End token (/)", "an end token"},
              {'*', "Newline (*)", "a newline"},
              {'$', "Control code ($)", "a control code"},
              {'!', "Table switch (!)", "a table switch"}};

}  // namespace

frmEditCode::frmEditCode(const std::optional<std::string>& line, ByteText text, QWidget* parent)
    : QDialog(parent), text_(text) {
  setObjectName(QStringLiteral("frmEditCode"));
  setWindowTitle(line ? QStringLiteral("Edit Code") : QStringLiteral("Add Code"));
  lblKind = MakeLabel(this, "lblKind", QStringLiteral("Kind of code:"));
  cboKind = new QComboBox(this);
  cboKind->setObjectName(QStringLiteral("cboKind"));
  for (const auto& kind : kKinds) cboKind->addItem(QString::fromLatin1(kind.name));
  lblKind->setBuddy(cboKind);
  lblKey = MakeLabel(this, "lblKey", QStringLiteral("Hex key (e.g., FF); an end token may have none:"));
  txtKey = MakeBox(this, "txtKey", 0, lblKey);
  lblDefinition = MakeLabel(this, "lblDefinition",
                            QStringLiteral("After the \"=\": label and parameters (e.g., [END] or "
                                           "[Color],%D), or a switch's table and count "
                                           "(e.g., [Kanji],0):"));
  txtDefinition = MakeBox(this, "txtDefinition", 0, lblDefinition);
  text_.GuardTypedText(txtDefinition);
  if (line) {
    if (const auto parts = SplitCodeLine(*line)) {
      for (int k = 0; k < static_cast<int>(std::size(kKinds)); ++k)
        if (kKinds[k].marker == parts->marker) cboKind->setCurrentIndex(k);
      shownKey_ = parts->key;
      shownDefinition_ = parts->definition;
      txtKey->setText(text_.ToDisplay(shownKey_));
      txtDefinition->setText(text_.ToDisplay(shownDefinition_));
    }
  }
  Command1 = MakeButton(this, "Command1", QStringLiteral("Okay"));
  Command1->setDefault(true);
  Command2 = MakeButton(this, "Command2", QStringLiteral("Cancel"));
  connect(Command1, &QPushButton::clicked, this, &frmEditCode::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  for (QWidget* w : std::initializer_list<QWidget*>{lblKind, cboKind, lblKey, txtKey, lblDefinition,
                                                   txtDefinition})
    layout->addWidget(w);
  AddButtonRow(layout, {Command1, Command2});
  setFixedWidth(420);
}

void frmEditCode::Command1_Click() {
  const auto& kind = kKinds[std::max(0, cboKind->currentIndex())];
  const std::string line =
      JoinCodeLine({kind.marker, text_.BytesOfBox(txtKey->text(), shownKey_),
                    text_.BytesOfBox(txtDefinition->text(), shownDefinition_)});
  if (ParseTfsLine(line).kind != CodeKindOf(kind.marker)) {
    Prompts().Message(this, {QStringLiteral("Not a Code"),
                             text_.ToDisplay(line) + "\rwould not be read as " +
                                 QString::fromLatin1(kind.asAWhole) +
                                 ".\rCheck the key (hex digits) and what follows the \"=\".",
                             QMessageBox::Information, QMessageBox::Ok});
    return;
  }
  line_ = line;
  accept();
}

}  // namespace mojihyo::ui
