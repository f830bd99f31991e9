#include "ui/frm_import_preview.h"

#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/frm_16bit_entries.h"
#include "ui/frm_import_get_start.h"
#include "ui/prompts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmImportPreview::frmImportPreview(frm16bitEntries& list, const std::vector<std::string>& values)
    : QDialog(&list), list_(list), values_(values) {
  setObjectName(QStringLiteral("frmImportPreview"));
  setWindowTitle(QStringLiteral("Import Preview"));
  Label1 = MakeLabel(this, "Label1",
                     QStringLiteral("This is a list of the entry values that were found in the file "
                                    "you specified.  If there are any values that you want to leave "
                                    "out, deselect them."));
  lstImportItems = new QListWidget(this);
  lstImportItems->setObjectName(QStringLiteral("lstImportItems"));
  lstImportItems->setUniformItemSizes(true);
  lstImportItems->setAccessibleName(QStringLiteral("Values found"));
  for (const std::string& value : values) {
    auto* item = new QListWidgetItem(list_.byteText().ToDisplay(value), lstImportItems);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  Command1 = MakeButton(this, "Command1", QStringLiteral("Import Selected Values"));
  Command1->setDefault(true);
  Command2 = MakeButton(this, "Command2", QStringLiteral("Don't Import Anything"));
  connect(Command1, &QPushButton::clicked, this, &frmImportPreview::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(lstImportItems);
  AddButtonRow(layout, {Command1, Command2});
  resize(420, 380);
}

std::vector<ImportItem> frmImportPreview::items() const {
  std::vector<ImportItem> items;
  items.reserve(static_cast<std::size_t>(lstImportItems->count()));
  for (int i = 0; i < lstImportItems->count(); ++i) {
    const QListWidgetItem* item = lstImportItems->item(i);
    items.push_back({values_[static_cast<std::size_t>(i)], item->checkState() == Qt::Checked});
  }
  return items;
}

void frmImportPreview::Command1_Click() {
  hide();
  frmImportGetStart start(list_, items(), this);
  // Import or Cancel there ends the preview too.
  Prompts().RunModal(start);
  done(start.result());
}

}  // namespace mojihyo::ui
