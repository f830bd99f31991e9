#include "ui/frm_about.h"

#include "ui/dialog_parts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About MoJiHyo v1.0"));

  lblName = MakeLabel(this, "lblName", QStringLiteral("MoJiHyo"));
  lblName->setFont(QFont(QStringLiteral("Times New Roman"), 28, QFont::Bold));

  lblVersion = MakeLabel(this, "lblVersion", QStringLiteral("Version 1.0"));
  lblVersion->setFont(QFont(QStringLiteral("Tahoma"), 9));

  lblPurpose = new QLabel(
      QStringLiteral("A font table editor for translating and hacking game ROMs: map each byte "
                     "of a game's text to the characters it stands for, and save the table for "
                     "Thingy, Hexposure or MoJiHyo."),
      this);
  lblPurpose->setObjectName(QStringLiteral("lblPurpose"));
  lblPurpose->setWordWrap(true);

  lblCopyright = new QLabel(
      QStringLiteral("Copyright \u00A9 2026 the MoJiHyo developers. Free to use, copy and share."),
      this);
  lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
  lblCopyright->setWordWrap(true);

  Command1 = MakeButton(this, "Command1", QStringLiteral("Okey-Dokey!"));
  Command1->setFont(QFont(QStringLiteral("Impact"), 10));
  Command1->setDefault(true);
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  for (QLabel* label : {lblName, lblVersion}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  layout->addSpacing(8);
  layout->addWidget(lblPurpose);
  layout->addWidget(lblCopyright);
  layout->addSpacing(8);
  layout->addWidget(Command1, 0, Qt::AlignCenter);
  setFixedWidth(340);
}

}  // namespace mojihyo::ui
