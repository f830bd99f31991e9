// The Insert menu of the main window: the series commands and Repeated Value.

#include "ui/frm_main.h"

#include "series/insert_series.h"
#include "ui/byte_text.h"
#include "ui/frm_repeated_value.h"
#include "ui/prompts.h"

#include <QAction>

namespace mojihyo::ui {

void frmMain::ConnectInsertMenu() {
  for (const SeriesCommand& command : SeriesCommands()) {
    auto* action = findChild<QAction*>(QString::fromLatin1(command.name.data(),
                                                           static_cast<qsizetype>(command.name.size())));
    if (!action) continue;
    connect(action, &QAction::triggered, this, [this, &command] {
      InsertSeries(doc_, state_.CurrentCell, SeriesFor(command, seriesTables_), command.upperCase);
    });
  }
  if (auto* action = findChild<QAction*>(QStringLiteral("InsertRepeatedValue")))
    connect(action, &QAction::triggered, this, &frmMain::InsertRepeatedValue_Click);
}

void frmMain::InsertRepeatedValue_Click() {
  frmRepeatedValue dialog(this);
  if (Prompts().RunModal(dialog) != QDialog::Accepted) return;
  InsertRepeated(doc_, state_.CurrentCell, ParseRepetitions(BytesOfBox(dialog.repetitions())),
                 BytesOfBox(dialog.value()));
}

}  // namespace mojihyo::ui
