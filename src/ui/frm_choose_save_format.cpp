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
  auto button = [&](const char* name, const char* caption, std::optional<TableFormat> format) {
    QPushButton* b = MakeButton(this, name, QString::fromLatin1(caption));
    b->setAutoDefault(false);
    layout->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, format] {
      choice_ = format;
      if (format) {
        accept();
      } else {
        reject();
      }
    });
    return b;
  };
  btnThingyTBL = button("btnThingyTBL", "Thingy TBL", TableFormat::Thingy);
  btnHexposureTBL = button("btnHexposureTBL", "Hexposure TBL", TableFormat::Hexposure);
  btnMoJiHyoTAB = button("btnMoJiHyoTAB", "MoJiHyo TAB", TableFormat::MoJiHyo);
  btnCancel = button("btnCancel", "Cancel", std::nullopt);
  btnThingyTBL->setFocus();
}

}  // namespace mojihyo::ui
