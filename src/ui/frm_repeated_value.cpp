#include "ui/frm_repeated_value.h"

#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/hex_key_filter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace mojihyo::ui {

frmRepeatedValue::frmRepeatedValue(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmRepeatedValue"));
  setWindowTitle(QStringLiteral("Repeated Value"));
  auto label = [this](const char* name, const char* text) {
    auto* l = new QLabel(QString::fromLatin1(text), this);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    return l;
  };
  Label1 = label("Label1",
                 "This option allows you to insert multiple copies of a certain value into your "
                 "font table.");
  Label2 = label("Label2", "Enter the value that you want to insert into your table:");
  Value = new QLineEdit(this);
  Value->setObjectName(QStringLiteral("Value"));
  Value->setMaxLength(std::numeric_limits<int>::max());
  GuardTypedText(Value);
  Label3 = label("Label3", "Enter the number of times to repeat the value:");
  Repetitions = new QLineEdit(this);
  Repetitions->setObjectName(QStringLiteral("Repetitions"));
  Repetitions->setMaxLength(3);
  InstallHexKeyFilter(Repetitions);
  Label2->setBuddy(Value);
  Label3->setBuddy(Repetitions);

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
