#include "ui/frm_main.h"

#include "core/block_ops.h"
#include "core/hex_notation.h"
#include "ui/byte_text.h"
#include "ui/control_value_dialogs.h"
#include "ui/frm_about.h"
#include "ui/grid_area.h"
#include "ui/main_menu.h"
#include "ui/prompts.h"
#include "ui/table_cell.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace mojihyo::ui {

namespace {

// Layout is given in twips (1/1440 inch); 15 twips make a pixel at 96 dpi.
struct Twips {
  int left, top, width, height;
};

QRect Pixels(Twips t, double dpiX, double dpiY) {
  return QRect(qRound(t.left * dpiX / 1440.0), qRound(t.top * dpiY / 1440.0),
               qRound(t.width * dpiX / 1440.0), qRound(t.height * dpiY / 1440.0));
}

QRect CellPlace(int index, double dpiX, double dpiY) {
  return Pixels({480 + 480 * (index % 16), 360 + 360 * (index / 16), 375, 285}, dpiX, dpiY);
}

}  // namespace

frmMain::frmMain(const QString& commandLine, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmMain"));
  doc_.Observer = this;
  BuildMainMenu(menuBar());
  BuildGrid();
  ConnectMenus();
  setAcceptDrops(true);
  RestoreWindowState();
  Form_Load(commandLine);
  // A screen reader already running reads the cells from the first moment.
  if (QAccessible::isActive()) EnsureCells();
}

frmMain::~frmMain() {
  // Cells not made by now never will be: nothing may make them for a window
  // that is going.
  gridArea_->cancelPendingCells();
  doc_.Observer = nullptr;
  // The cells outlive this object's members by a moment; a focus change
  // while they go must not call back into it.
  for (TableCell* c : TableData)
    if (c) c->disconnect(this);
  // The Section Break dialog has no parent (see EditSectionBreak_Click) and
  // edits this window's table: it goes with the window.
  delete sectionBreakDialog_.data();
}

void frmMain::BuildGrid() {
  // The grid, and under it the find bar once it is opened.
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("CentralArea"));
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(central);
  auto* area = new GridArea(central);
  gridArea_ = area;
  area->setObjectName(QStringLiteral("GridArea"));
  column->addWidget(area, 1);

  const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
  auto place = [&](QWidget* w, Twips t) { w->setGeometry(Pixels(t, dpiX, dpiY)); };

  // The cells take their font and white background from the grid area as
  // they are made: setting each of 256 cells afterwards costs a good part of
  // the start-up. The headers and buttons name their own font in full.
  area->setFont(QFont(QStringLiteral("Tahoma"), kCellFontSize, QFont::Bold));
  QPalette white = area->palette();
  white.setColor(QPalette::Base, FromBgr(cell_colour::kResting));
  area->setPalette(white);
  const QFont arial(QStringLiteral("Arial"), 8, QFont::Normal);
  cmdDecreaseFontSize = new QPushButton(QStringLiteral("-"), area);
  cmdDecreaseFontSize->setObjectName(QStringLiteral("cmdDecreaseFontSize"));
  cmdDecreaseFontSize->setToolTip(QStringLiteral("Decreases the size of the table font by 1pt"));
  // A screen reader would say "minus" and "plus"; the glyphs stay on screen.
  cmdDecreaseFontSize->setAccessibleName(QStringLiteral("Smaller text"));
  cmdIncreaseFontSize = new QPushButton(QStringLiteral("+"), area);
  cmdIncreaseFontSize->setObjectName(QStringLiteral("cmdIncreaseFontSize"));
  cmdIncreaseFontSize->setToolTip(QStringLiteral("Increases the size of the table font by 1pt"));
  cmdIncreaseFontSize->setAccessibleName(QStringLiteral("Larger text"));
  for (QPushButton* b : {cmdDecreaseFontSize, cmdIncreaseFontSize}) b->setFont(arial);
  place(cmdDecreaseFontSize, {0, 0, 255, 285});
  place(cmdIncreaseFontSize, {240, 0, 255, 285});
  connect(cmdDecreaseFontSize, &QPushButton::clicked, this, &frmMain::cmdDecreaseFontSize_Click);
  connect(cmdIncreaseFontSize, &QPushButton::clicked, this, &frmMain::cmdIncreaseFontSize_Click);

  // Labels 0-15 head the columns (the low digit), 16-31 the rows (the high one).
  for (int k = 0; k < 32; ++k) {
    auto* label = new QLabel(QString(QLatin1Char(HexByte(k % 16).back())), area);
    label->setObjectName(QStringLiteral("Label1(%1)").arg(k));
    label->setFont(arial);
    label->setAlignment(Qt::AlignCenter);
    const int n = k % 16;
    place(label, k < 16 ? Twips{600 + 480 * n, 0, 195, 255} : Twips{120, 360 + 360 * n, 195, 255});
    Label1[static_cast<std::size_t>(k)] = label;
  }

  setTabOrder(cmdDecreaseFontSize, cmdIncreaseFontSize);
  // The cells follow the buttons in the tab order when they are made.
  std::vector<QRect> places;
  for (int i = 0; i < kEntryCount; ++i) places.push_back(CellPlace(i, dpiX, dpiY));
  const QRect last = places.back();
  area->setMinimumSize(last.right() + 8, last.bottom() + 8);
  connect(area, &GridArea::cellsMade, this, &frmMain::cellsReady);
  area->setPendingCells(std::move(places), [this](const std::vector<QRect>& at) { BuildCells(at); });
}

bool frmMain::cellsMade() const { return !gridArea_->cellsPending(); }

void frmMain::EnsureCells() const {
  if (gridArea_->cellsPending()) gridArea_->buildCells();
}

void frmMain::BuildCells(const std::vector<QRect>& places) {
  // The cells go in a block of their own within the grid area, shown once
  // with all of them: a widget shown by itself while the pointer is over
  // the window asks the display where the pointer is, a round trip for each
  // of 256 cells.
  QRect extent;
  for (const QRect& place : places) extent |= place;
  auto* block = new QWidget(gridArea_);
  block->setObjectName(QStringLiteral("GridCells"));
  block->setGeometry(extent);
  QWidget* previous = cmdIncreaseFontSize;
  for (int i = 0; i < kEntryCount; ++i) {
    auto* cell = new TableCell(i, block);
    // Where the headers were placed, whatever screen the window is on now.
    cell->setGeometry(places[static_cast<std::size_t>(i)].translated(-extent.topLeft()));
    connect(cell, &TableCell::focusEntered, this, &frmMain::TableData_GotFocus);
    connect(cell, &TableCell::focusLeft, this, &frmMain::TableData_LostFocus);
    connect(cell, &TableCell::doubleClicked, this, &frmMain::TableData_DblClick);
    connect(cell, &TableCell::mouseMovedOver, this, &frmMain::TableData_MouseMove);
    connect(cell, &TableCell::rowStep, this, [this](int from, int rows) {
      const int to = from + 16 * rows;
      if (to >= 0 && to < kEntryCount) this->cell(to)->setFocus(Qt::OtherFocusReason);
    });
    connect(cell, &QLineEdit::textEdited, this,
            [this, i](const QString& text) { TableData_Change(i, text); });
    connect(cell, &TableCell::longEntryOpened, this, &frmMain::EditLongEntry);
    setTabOrder(previous, cell);
    previous = cell;
    TableData[static_cast<std::size_t>(i)] = cell;
  }
  // Made after the window was shown, the block must be shown too.
  if (gridArea_->isVisible()) block->show();
  // Until now the document was shown to no cell.
  ShowAllEntries();
  for (int i = 0; i < kEntryCount; ++i) cell(i)->setLocked(doc_.EntryLocked[i]);
  ResetCellColours();
}

int frmMain::CellFontSize() const {
  return gridArea_->cellsPending() ? gridArea_->font().pointSize() : cell(0)->font().pointSize();
}

QAction* frmMain::MenuItem(std::string_view name) const {
  if (menuItems_.isEmpty()) {
    for (QAction* a : menuBar()->findChildren<QAction*>())
      if (!a->objectName().isEmpty() && !menuItems_.contains(a->objectName()))
        menuItems_.insert(a->objectName(), a);
  }
  const QString key = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  if (QAction* a = menuItems_.value(key)) return a;
  // Items made later, or gone since, are looked for as they are now.
  return findChild<QAction*>(key);
}

void frmMain::ConnectMenus() {
  OnMenuItem("NewTable", [this] { NewTable_Click(); });
  OnMenuItem("OpenThingyTable", [this] { OpenThingyTable_Click(); });
  OnMenuItem("OpenHexposureTable", [this] { OpenHexposureTable_Click(); });
  OnMenuItem("OpenMoJiHyoTable", [this] { OpenMoJiHyoTable_Click(); });
  OnMenuItem("OpenTfsTable", [this] { OpenTfsTable_Click(); });
  OnMenuItem("SaveTable", [this] { SaveTable_Click(); });
  OnMenuItem("SaveThingyTable", [this] { SaveThingyTable_Click(); });
  OnMenuItem("SaveHexposureTable", [this] { SaveHexposureTable_Click(); });
  OnMenuItem("SaveMoJiHyoTable", [this] { SaveMoJiHyoTable_Click(); });
  OnMenuItem("SaveTfsTable", [this] { SaveTfsTable_Click(); });
  OnMenuItem("ExitProgram", [this] { close(); });
  ConnectEditMenu();
  ConnectFindMenu();
  ConnectBlockMenu();
  ConnectViewMenu();
  ConnectInsertMenu();
  ConnectToolsMenu();
  ConnectRecentMenu();
  ConnectTfs();
  ConnectCheckTable();
  OnMenuItem("AboutProgram", [this] { AboutProgram_Click(); });
  OnMenuItem("ReverseOrder", [this](bool checked) { doc_.ReverseOrder = checked; });
  OnMenuItem("OmitSymbols", [this](bool checked) { doc_.OmitSymbols = checked; });
}

void frmMain::Form_Load(const QString& commandLine) {
  seriesTables_ = BuildSeriesTables();
  for (int i = 0; i < kEntryCount; ++i) tooltipNumbers_[static_cast<std::size_t>(i)] = HexByte(i);
  ChooseDisplayEncoding(newTableEncoding_);
  doc_.TableChanged = false;
  SetCaptionUnsaved();
  OpenFromCommandLine(commandLine);
}

void frmMain::ResetCellColours() {
  GridColours colours;
  mojihyo::ResetCellColours(colours, doc_.EntryLocked);
  ApplyColours(colours);
}

void frmMain::ApplyColours(const GridColours& colours) {
  for (int i = 0; i < kEntryCount; ++i) {
    if (cell(i)->colour() != colours[static_cast<std::size_t>(i)])
      cell(i)->setColour(colours[static_cast<std::size_t>(i)]);
  }
}

void frmMain::FocusStep(int index) {
  const auto focusColour = [&] {
    cell(index)->setColour(CellColour(CellState::Focus, doc_.EntryLocked[index]));
  };
  focusColour();
  // A pending Block Copy, Cut, Lock or Unlock ends at this cell.
  if (state_.BlockMode != PendingBlock::None) {
    const char* item = state_.BlockMode == PendingBlock::Lock     ? "MoJiHyoBlockLock"
                       : state_.BlockMode == PendingBlock::Unlock ? "MoJiHyoBlockUnlock"
                       : state_.BlockCut                          ? "MoJiHyoBlockCut"
                                                                  : "MoJiHyoBlockCopy";
    RecordStep(StepName(item), StepCovers::Table,
               [&] { CompletePendingBlock(doc_, state_, index); });
    ResetCellColours();
  }
  focusColour();
  state_.CurrentCell = index;
  ShowCellBytes();
}

void frmMain::TableData_GotFocus(int index, bool returning) {
  // The focus coming back from a menu or a dialog ends no pending range.
  if (returning) {
    // Go to Entry or Find may bring it to another cell: the cell left behind
    // was left, so typing there again later is a visit of its own.
    if (index != state_.CurrentCell) ++visit_;
    cell(index)->setColour(CellColour(CellState::Focus, doc_.EntryLocked[index]));
    state_.CurrentCell = index;
    ShowCellBytes();
    return;
  }
  ++visit_;
  FocusStep(index);
}

void frmMain::TableData_LostFocus(int index) {
  cell(index)->setColour(CellColour(CellState::Resting, doc_.EntryLocked[index]));
}

void frmMain::TableData_DblClick(int index) {
  const bool lock = !doc_.EntryLocked[index];
  RecordStep(QString::fromStdString((lock ? "Lock " : "Unlock ") + HexByte(index) + "h"),
             StepCovers::Table, [&] { SetEntryLocked(doc_, index, lock); });
  FocusStep(index);
}

void frmMain::TableData_Change(int index, const QString& text) {
  const std::string& before = doc_.EntryText[index];
  const std::optional<std::string> bytes = byteText().FromTyped(text, before);
  if (!bytes) {
    // A character that fits neither the display encoding nor one byte is
    // refused: the cell keeps what it had.
    TableCell* c = cell(index);
    const int cursor = c->cursorPosition() - static_cast<int>(text.size() - c->text().size());
    c->showEntry(before, byteText());
    c->setCursorPosition(std::clamp(cursor, 0, static_cast<int>(c->text().size())));
    return;
  }
  history_->Record(QString::fromStdString("Typing in " + HexByte(index) + "h"), StepCovers::Table,
                   [&] { SetEntryText(doc_, index, *bytes); }, TypingVisit{visit_, index});
}

void frmMain::TableData_MouseMove(int index) {
  if (state_.BlockMode == PendingBlock::None) return;
  GridColours colours;
  for (int i = 0; i < kEntryCount; ++i) colours[static_cast<std::size_t>(i)] = cell(i)->colour();
  PreviewRange(colours, doc_.EntryLocked, state_.CurrentCell, index);
  ApplyColours(colours);
}

void frmMain::ChangeFontSize(int delta) {
  const auto grow = [delta](QWidget* w) {
    QFont f = w->font();
    f.setPointSize(f.pointSize() + delta);
    w->setFont(f);
  };
  // Cells not made yet take the grid area's font when they are.
  if (gridArea_->cellsPending()) {
    grow(gridArea_);
    return;
  }
  for (TableCell* c : TableData) grow(c);
}

void frmMain::cmdDecreaseFontSize_Click() {
  if (CellFontSize() > kSmallestFont) ChangeFontSize(-1);
}

void frmMain::cmdIncreaseFontSize_Click() {
  if (CellFontSize() < kLargestFont) ChangeFontSize(+1);
}

void frmMain::AboutProgram_Click() {
  frmAbout about(this);
  Prompts().RunModal(about);
}

void frmMain::ShowEntry(int index) {
  // Cells not made yet are shown the document when they are made.
  if (gridArea_->cellsPending()) return;
  TableCell* c = cell(index);
  const std::string& text = doc_.EntryText[index];
  // Typing already shows the text; only a command's write needs showing.
  c->showEntry(text, byteText());
  c->setToolTip(byteText().ToDisplay(
      CellToolTip(tooltipNumbers_[static_cast<std::size_t>(index)], index, text)));
}

void frmMain::UseGridNumber(int index) {
  tooltipNumbers_[static_cast<std::size_t>(index)] = HexByte(index);
  ShowEntry(index);
}

void frmMain::EntryTextChanged(int index, std::string_view writtenNumber) {
  tooltipNumbers_[static_cast<std::size_t>(index)] =
      writtenNumber.empty() ? HexByte(index) : std::string(writtenNumber);
  ShowEntry(index);
  if (index == state_.CurrentCell) ShowCellBytes();
  TableEdited();
}

void frmMain::EntryLockChanged(int index) {
  const bool locked = doc_.EntryLocked[index];
  cell(index)->setLocked(locked);
  cell(index)->setColour(CellColour(CellState::Resting, locked));
}

}  // namespace mojihyo::ui
