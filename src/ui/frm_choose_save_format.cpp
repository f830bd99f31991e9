#include "ui/frm_choose_save_format.h"

#include "ui/dialog_parts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmChooseSaveFormat::frmChooseSaveFormat(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmChooseSaveFormat"));
  setWindowTitle(QStringLiteral("Choose File Format"));
  Label1 = MakeLabel(this, "Label1", QStringLiteral("Select the desired file format:"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  const auto buttons = AddFormatButtons(this, layout, choice_,
                                        {{"btnThingyTBL", "Thingy TBL", TableFormat::Thingy},
                                         {"btnHexposureTBL", "Hexposure TBL", TableFormat::Hexposure},
                                         {"btnMoJiHyoTAB", "MoJiHyo TAB", TableFormat::MoJiHyo},
                                         {"btnTfsTBL", "TFS TBL", TableFormat::Tfs},
                                         {"btnCancel", "Cancel", std::nullopt}});
  btnThingyTBL = buttons[0];
  btnHexposureTBL = buttons[1];
  btnMoJiHyoTAB = buttons[2];
  btnTfsTBL = buttons[3];
  btnCancel = buttons[4];
  btnThingyTBL->setFocus();
}

}  // namespace mojihyo::ui
