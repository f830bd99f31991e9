// The Undo and Redo items of the Edit menu, and how commands become steps.

#include "ui/frm_main.h"

#include "ui/table_cell.h"

#include <QAction>

namespace mojihyo::ui {

namespace {
// A name shown in a menu item, where "&" marks the access key.
QString AsCaption(QString name) { return name.replace(QLatin1Char('&'), QStringLiteral("&&")); }
}  // namespace

void frmMain::ConnectUndoMenu() {
  history_ = std::make_unique<TableHistory>(doc_);
  connect(history_.get(), &TableHistory::changed, this, &frmMain::ShowUndoItems);
  OnMenuItem("EditUndo", [this] { UndoOrRedo(false); });
  OnMenuItem("EditRedo", [this] { UndoOrRedo(true); });
  ShowUndoItems();
}

void frmMain::RecordStep(const QString& name, StepCovers covers, const std::function<void()>& change) {
  history_->Record(name, covers, change);
}

StepRecorder frmMain::Recorder() {
  return [this](const QString& name, StepCovers covers, const std::function<void()>& change) {
    RecordStep(name, covers, change);
  };
}

QString frmMain::StepName(std::string_view item, const QString& prefix) const {
  const QAction* action = MenuItem(item);
  QString caption = action ? action->text() : QString();
  // "&&" stands for one "&"; a single "&" only marks the access key.
  caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
  return prefix + caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

void frmMain::ShowUndoItems() {
  const auto show = [this](const char* name, const QString& verb, bool can, const QString& step) {
    auto* action = MenuItem(name);
    action->setEnabled(can);
    action->setText(can ? verb + QLatin1Char(' ') + AsCaption(step) : verb);
  };
  show("EditUndo", QStringLiteral("&Undo"), history_->CanUndo(), history_->UndoName());
  show("EditRedo", QStringLiteral("&Redo"), history_->CanRedo(), history_->RedoName());
}

void frmMain::UndoOrRedo(bool redo) {
  const std::optional<int> first = redo ? history_->Redo() : history_->Undo();
  // Typing after an undo or a redo is a step of its own.
  ++visit_;
  // What no cell shows: the Thingy options' marks, the Section Break window.
  ShowOptionMarks();
  RefreshSectionBreak();
  ShowLogicalTables();
  TableEdited();
  if (!first) return;
  // The focus comes back to the first cell the step changed, as it comes
  // back from a menu: a pending block range does not end there.
  TableCell* c = cell(*first);
  if (c->hasFocus())
    TableData_GotFocus(*first, true);
  else
    c->takeFocusReturning();
}

}  // namespace mojihyo::ui
