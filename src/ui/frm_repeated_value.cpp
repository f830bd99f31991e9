#include "ui/frm_repeated_value.h"

#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/hex_key_filter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmRepeatedValue::frmRepeatedValue(ByteText text, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmRepeatedValue"));
  setWindowTitle(QStringLiteral("Repeated Value"));
  Label1 = MakeLabel(this, "Label1",
                     QStringLiteral("This option allows you to insert multiple copies of a certain "
                                    "value into your font table."));
  Label2 = MakeLabel(this, "Label2",
                     QStringLiteral("Enter the value that you want to insert into your table:"));
  Value = MakeBox(this, "Value", 0, Label2);
  text.GuardTypedText(Value);
  Label3 = MakeLabel(this, "Label3", QStringLiteral("Enter the number of times to repeat the value:"));
  Repetitions = MakeBox(this, "Repetitions", 3, Label3);
  InstallHexKeyFilter(Repetitions);

  Command1 = MakeButton(this, "Command1", QStringLiteral("Let's Do It!"));
  Command1->setDefault(true);
  Command2 = MakeButton(this, "Command2", QStringLiteral("Nevermind"));
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Value, Label3, Repetitions})
    layout->addWidget(w);
  AddButtonRow(layout, {Command1, Command2});
  setFixedWidth(360);
}

QString frmRepeatedValue::value() const { return Value->text(); }
QString frmRepeatedValue::repetitions() const { return Repetitions->text(); }

}  // namespace mojihyo::ui
