// Find and Go to Entry, from the Edit menu: the find bar under the grid, the
// status bar's count of matches, and the dialog that asks for a number.

#include "ui/frm_main.h"

#include "ui/byte_text.h"
#include "ui/find_bar.h"
#include "ui/frm_go_to_entry.h"
#include "ui/prompts.h"
#include "ui/table_cell.h"

#include <QBoxLayout>
#include <QLabel>
#include <QStatusBar>

namespace mojihyo::ui {

namespace {

CharacterBounds BoundsOf(DisplayEncoding encoding) {
  switch (encoding) {
    case DisplayEncoding::Utf8: return CharacterBounds::Utf8;
    case DisplayEncoding::EucJp: return CharacterBounds::EucJp;
    case DisplayEncoding::ShiftJis: return CharacterBounds::ShiftJis;
    case DisplayEncoding::Latin1: return CharacterBounds::EveryByte;
  }
  return CharacterBounds::EveryByte;
}

QString NothingFound(const QString& typed) { return "Nothing found for \"" + typed + "\""; }

}  // namespace

void frmMain::ConnectFindMenu() {
  OnMenuItem("EditFind", [this] { EditFind_Click(); });
  OnMenuItem("EditFindNext", [this] { FindAgain(FindDirection::Forward); });
  OnMenuItem("EditFindPrevious", [this] { FindAgain(FindDirection::Backward); });
  OnMenuItem("EditGoTo", [this] { EditGoTo_Click(); });
}

void frmMain::EditFind_Click() {
  if (!findBar_) {
    findBar_ = new FindBar(centralWidget());
    static_cast<QBoxLayout*>(centralWidget()->layout())->addWidget(findBar_);
    lblFindResult = new QLabel(this);
    lblFindResult->setObjectName(QStringLiteral("lblFindResult"));
    lblFindResult->setTextFormat(Qt::PlainText);  // it quotes what was typed
    statusBar()->addWidget(lblFindResult);
    connect(findBar_, &FindBar::queryChanged, this, &frmMain::CountFindMatches);
    connect(findBar_, &FindBar::findNext, this, [this] { FindAgain(FindDirection::Forward); });
    connect(findBar_, &FindBar::findPrevious, this, [this] { FindAgain(FindDirection::Backward); });
    // Closing the bar hands the focus back to the grid, ending no range.
    connect(findBar_, &FindBar::closed, this, [this] { ShowCellFromCommand(state_.CurrentCell); });
  }
  findBar_->Open();
  CountFindMatches();
}

std::optional<FindQuery> frmMain::TypedFindQuery(QString& problem) const {
  const QString typed = findBar_->text();
  problem.clear();
  FindQuery query;
  query.wholeEntry = findBar_->wholeEntry();
  if (findBar_->hex()) {
    const auto bytes = ParseHexBytes(typed.toStdString());
    if (!bytes) {
      problem = QStringLiteral("Hex bytes are pairs of the digits 0-9 and A-F, such as A4 A2");
      return std::nullopt;
    }
    query.bytes = *bytes;
  } else {
    // The bytes the display encoding gives the typed text: the search never
    // finds the same character stored in another encoding.
    const auto bytes = byteText().FromTyped(typed);
    if (!bytes) {
      problem = "\"" + typed + "\" cannot be written in " + DisplayEncodingName(displayEncoding_);
      return std::nullopt;
    }
    query.bytes = *bytes;
    query.bounds = BoundsOf(displayEncoding_);
  }
  if (query.bytes.empty()) return std::nullopt;
  return query;
}

void frmMain::CountFindMatches() {
  QString problem;
  const auto query = TypedFindQuery(problem);
  if (!query) {
    lblFindResult->setText(problem);
    return;
  }
  const std::size_t count = CountMatches(TableSearchScope(doc_), *query);
  lblFindResult->setText(count == 0   ? NothingFound(findBar_->text())
                         : count == 1 ? QStringLiteral("1 match")
                                      : QStringLiteral("%1 matches").arg(count));
}

void frmMain::FindAgain(FindDirection direction) {
  // Nothing to look for yet: ask for it.
  if (!findBar_ || findBar_->text().isEmpty()) {
    EditFind_Click();
    return;
  }
  QString problem;
  const auto query = TypedFindQuery(problem);
  if (!query) {
    lblFindResult->setText(problem);
    return;
  }
  const FindStart start = StartOfNextFind(lastFind_, state_.CurrentCell);
  const auto hit = FindEntry(TableSearchScope(doc_), *query, start.from, direction, start.skipFrom);
  // Said in the status bar, without a message box: the user may well be
  // typing on.
  if (!hit) {
    lblFindResult->setText(NothingFound(findBar_->text()));
    return;
  }
  lblFindResult->setText(hit->count == 1 ? QStringLiteral("1 of 1 match")
                                         : QStringLiteral("%1 of %2 matches").arg(hit->number).arg(hit->count));
  ShowFoundEntry(hit->place);
}

void frmMain::EditGoTo_Click() {
  frmGoToEntry dialog(doc_, byteText(), this);
  if (Prompts().RunModal(dialog) != QDialog::Accepted || !dialog.target()) return;
  ShowFoundEntry(*dialog.target());
}

void frmMain::ShowFoundEntry(EntryPlace place) {
  if (place.kind == EntryKind::OneByte) ShowCellFromCommand(static_cast<int>(place.index));
  // Remembered before the list opens: Find Next goes on from here once it
  // has closed and the focus has come back to the grid.
  lastFind_ = LastFind{place, state_.CurrentCell};
  if (place.kind == EntryKind::SixteenBit) Open16bitEntries(place.index);
  if (place.kind == EntryKind::Code) OpenCodes(place.index);
}

void frmMain::ShowCellFromCommand(int index) {
  cell(index)->takeFocusReturning();
  // A window that is not active yet (a dialog just closed) gives the cell
  // its focus only once it is; the cell is the current one from now.
  TableData_GotFocus(index, true);
}

}  // namespace mojihyo::ui
