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
    OnMenuItem(command.name, [this, &command] {
      RecordStep(StepName(command.name, QStringLiteral("Insert ")), StepCovers::Table, [&] {
        InsertSeries(doc_, state_.CurrentCell, SeriesFor(command, seriesTables_), command.upperCase);
      });
    });
  }
  OnMenuItem("InsertRepeatedValue", [this] { InsertRepeatedValue_Click(); });
}

void frmMain::InsertRepeatedValue_Click() {
  frmRepeatedValue dialog(byteText(), this);
  if (Prompts().RunModal(dialog) != QDialog::Accepted) return;
  RecordStep(StepName("InsertRepeatedValue", QStringLiteral("Insert ")), StepCovers::Table, [&] {
    InsertRepeated(doc_, state_.CurrentCell,
                   ParseRepetitions(byteText().BytesOfBox(dialog.repetitions())),
                   byteText().BytesOfBox(dialog.value()));
  });
}

}  // namespace mojihyo::ui
