#include "ui/frm_choose_open_format.h"

#include "ui/dialog_parts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmChooseOpenFormat::frmChooseOpenFormat(const QString& fileName,
                                         std::optional<TableFormat> lastChoice, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmChooseOpenFormat"));
  setWindowTitle(QStringLiteral("Open Table"));
  Label1 = MakeLabel(this, "Label1", "Which format is " + fileName + " in?");
  Label1->setTextFormat(Qt::PlainText);  // a file name may hold "<"
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  const auto buttons = AddFormatButtons(this, layout, choice_,
                                        {{"btnThingyTBL", "Thingy TBL", TableFormat::Thingy},
                                         {"btnHexposureTBL", "Hexposure TBL", TableFormat::Hexposure},
                                         {"btnTfsTBL", "TFS TBL", TableFormat::Tfs},
                                         {"btnCancel", "Cancel", std::nullopt}});
  btnThingyTBL = buttons[0];
  btnHexposureTBL = buttons[1];
  btnTfsTBL = buttons[2];
  btnCancel = buttons[3];
  // Enter picks the format chosen last time; the first time, TFS, which
  // keeps every line of the file.
  QPushButton* byDefault = btnTfsTBL;
  if (lastChoice == TableFormat::Thingy) byDefault = btnThingyTBL;
  if (lastChoice == TableFormat::Hexposure) byDefault = btnHexposureTBL;
  byDefault->setDefault(true);
}

}  // namespace mojihyo::ui
