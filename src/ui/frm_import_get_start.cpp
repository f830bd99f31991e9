#include "ui/frm_import_get_start.h"

#include "entries16/entry_line.h"
#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/entry_list_model.h"
#include "ui/frm_16bit_entries.h"
#include "ui/hex_key_filter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

frmImportGetStart::frmImportGetStart(frm16bitEntries& list, std::vector<ImportItem> items,
                                     QWidget* parent)
    : QDialog(parent), list_(list), items_(std::move(items)) {
  setObjectName(QStringLiteral("frmImportGetStart"));
  setWindowTitle(QStringLiteral("And Finally...."));
  Label1 = MakeLabel(this, "Label1",
                     QStringLiteral("Type the starting entry number for the values that are being "
                                    "imported (e.g., 0400h):"));
  StartingNumber = MakeBox(this, "StartingNumber", 5, Label1);
  InstallHexKeyFilter(StartingNumber);
  Label2 = MakeLabel(this, "Label2",
                     QStringLiteral("If MoJiHyo comes across an entry number that is already "
                                    "taken, what should it do?"));
  auto radio = [this](const char* name, const char* caption) {
    auto* r = new QRadioButton(QString::fromLatin1(caption), this);
    r->setObjectName(QString::fromLatin1(name));
    return r;
  };
  radOverwrite = radio("radOverwrite", "Overwrite the old entry with the new one.");
  radSkip = radio("radSkip", "Skip the new entry, leaving the old one.");
  radKeepBoth = radio("radKeepBoth", "Keep both entries.");
  radOverwrite->setChecked(true);
  prgImporting = new QProgressBar(this);
  prgImporting->setObjectName(QStringLiteral("prgImporting"));
  prgImporting->setVisible(false);
  Command1 = MakeButton(this, "Command1", QStringLiteral("Import"));
  Command1->setDefault(true);
  Command2 = MakeButton(this, "Command2", QStringLiteral("Cancel"));
  connect(Command1, &QPushButton::clicked, this, &frmImportGetStart::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, StartingNumber, Label2, radOverwrite,
                                                   radSkip, radKeepBoth, prgImporting})
    layout->addWidget(w);
  AddButtonRow(layout, {Command1, Command2});
  setFixedWidth(380);
}

CollisionPolicy frmImportGetStart::Policy() const {
  if (radSkip->isChecked()) return CollisionPolicy::Skip;
  if (radKeepBoth->isChecked()) return CollisionPolicy::KeepBoth;
  return CollisionPolicy::Overwrite;
}

void frmImportGetStart::Command1_Click() {
  const std::uint32_t start =
      EntryNumberValue(list_.byteText().BytesOfBox(StartingNumber->text()));
  const CollisionPolicy policy = Policy();

  // Only the bar is left while the values go in.
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, StartingNumber, Command1,
                                                   Command2, radOverwrite, radSkip, radKeepBoth})
    w->hide();
  prgImporting->setMaximum(std::max(1, static_cast<int>(items_.size()) - 1));
  prgImporting->setValue(0);
  prgImporting->show();
  setWindowTitle(QStringLiteral("Importing...."));
  setFixedHeight(qRound(850 * logicalDpiY() / 1440.0));
  repaint();

  QElapsedTimer sinceRepaint;
  sinceRepaint.start();
  LineList lines = list_.entries().lines();
  const bool removedOldLines = PlaceImportedValues(lines, items_, start, policy, [&](std::size_t i) {
    // Show progress a few dozen times a second, not once per value.
    if (sinceRepaint.elapsed() < 30) return;
    prgImporting->setValue(static_cast<int>(i));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceRepaint.restart();
  });
  prgImporting->setValue(prgImporting->maximum());
  // The selection stays where the old lines stay; it goes when Overwrite
  // took lines out from under it.
  const std::optional<std::size_t> selected = list_.selectedRow();
  list_.entries().replaceAll(std::move(lines));
  if (!removedOldLines) list_.selectRow(selected);
  accept();
}

}  // namespace mojihyo::ui
