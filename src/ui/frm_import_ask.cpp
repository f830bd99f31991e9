#include "ui/frm_import_ask.h"

#include "ui/dialog_parts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmImportAsk::frmImportAsk(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmImportAsk"));
  setWindowTitle(QStringLiteral("Import Entries From File"));
  Label1 = MakeLabel(this, "Label1", QStringLiteral("What type of file will you be importing from?"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  auto button = [&](const char* name, const char* caption, std::optional<ImportSource> source) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    layout->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, source] {
      source_ = source;
      source ? accept() : reject();
    });
    return b;
  };
  btnImportFromDump = button("btnImportFromDump", "Script Dump", ImportSource::ScriptDump);
  btnImportFromTBL = button("btnImportFromTBL", "Thingy TBL File", ImportSource::ThingyTable);
  btnImportFromText = button("btnImportFromText", "Plain Text File", ImportSource::PlainText);
  btnCancel = button("btnCancel", "None.  I changed my mind.", std::nullopt);
}

}  // namespace mojihyo::ui
