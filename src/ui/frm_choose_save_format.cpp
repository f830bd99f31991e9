#include "ui/frm_choose_save_format.h"

#include "ui/dialog_parts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmChooseSaveFormat::frmChooseSaveFormat(std::string& saveFormat, QWidget* parent)
    : QDialog(parent), saveFormat_(saveFormat) {
  setObjectName(QStringLiteral("frmChooseSaveFormat"));
  setWindowTitle(QStringLiteral("Choose File Format"));
  Label1 = MakeLabel(this, "Label1", QStringLiteral("Select the desired file format:"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  auto button = [&](const char* name, const char* caption, const char* format) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    layout->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, format] {
      saveFormat_ = format;
      accept();
    });
    return b;
  };
  btnThingyTBL = button("btnThingyTBL", "Thingy TBL", "Thingy");
  btnHexposureTBL = button("btnHexposureTBL", "Hexposure TBL", "Hexposure");
  btnMoJiHyoTAB = button("btnMoJiHyoTAB", "MoJiHyo TAB", "MoJiHyo");
  btnCancel = button("btnCancel", "Cancel", "");
  btnThingyTBL->setFocus();
}

}  // namespace mojihyo::ui
