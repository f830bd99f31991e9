#include "ui/frm_open_warning.h"

#include "formats/table_format.h"
#include "ui/dialog_parts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

namespace {
QString Latin(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

QString frmOpenWarning::Text(const QString& fileName, TableFormat chosen, const OpenLosses& losses) {
  QString text = QStringLiteral("Opening %1 as a %2 table would leave out %3 of its %4 non-blank "
                                "lines:\n")
                     .arg(fileName, Latin(FormatName(chosen)))
                     .arg(losses.lines)
                     .arg(losses.nonBlank);
  for (const LineCount& kind : losses.kinds) text += "\n    " + QString::fromStdString(CountText(kind));
  text += QStringLiteral("\n\nOpened as a TFS table, every line of it is kept.");
  return text;
}

frmOpenWarning::frmOpenWarning(const QString& fileName, TableFormat chosen,
                               const OpenLosses& losses, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmOpenWarning"));
  setWindowTitle(QStringLiteral("Lines Would Be Left Out"));
  Label1 = MakeLabel(this, "Label1", Text(fileName, chosen, losses));
  Label1->setTextFormat(Qt::PlainText);  // a file name may hold "<"
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  const std::string as = "Open as " + std::string(FormatName(chosen)) + " Table";
  const auto buttons = AddFormatButtons(this, layout, choice_,
                                        {{"btnOpenAsTfs", "Open as TFS Table", TableFormat::Tfs},
                                         {"btnOpenAsChosen", as.c_str(), chosen},
                                         {"btnCancel", "Cancel", std::nullopt}});
  btnOpenAsTfs = buttons[0];
  btnOpenAsChosen = buttons[1];
  btnCancel = buttons[2];
  btnOpenAsTfs->setDefault(true);
  btnOpenAsTfs->setFocus();
  setFixedWidth(460);
}

}  // namespace mojihyo::ui
