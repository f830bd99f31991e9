#include <QAccessible>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextDocument>
#include <QToolTip>

#include "core/grid_rules.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;
using GridTest = MainWindowTest;

constexpr QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);
constexpr QRgb kGrey = qRgb(0xAA, 0xAA, 0xAA);
constexpr QRgb kYellow = qRgb(0xFF, 0xFF, 0x01);
constexpr QRgb kOlive = qRgb(0xAA, 0xAA, 0x01);
constexpr QRgb kRange = qRgb(0xFF, 0xFF, 0x02);
constexpr QRgb kRangeLocked = qRgb(0xAA, 0xAA, 0x02);

QRgb Shown(TableCell* c) { return c->palette().color(QPalette::Base).rgb(); }

void MoveMouseOver(TableCell* c) {
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), c->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(c, &move);
}

TEST_F(GridTest, StartsWithEveryCellEmptyWhiteAndUnlocked) {
  for (int i = 0; i < 256; ++i) {
    TableCell* c = Cell(i);
    ASSERT_EQ(c->text(), "") << i;
    EXPECT_EQ(c->toolTip(), QString::asprintf("%02Xh (%d) --- Value: ", i, i)) << i;
    EXPECT_EQ(c->font().family(), "Tahoma");
    EXPECT_EQ(c->font().pointSize(), 8);
    EXPECT_TRUE(c->font().bold());
    EXPECT_EQ(Shown(c), kWhite);
    EXPECT_FALSE(c->isReadOnly());
  }
  EXPECT_EQ(Cell(0x0F)->toolTip(), "0Fh (15) --- Value: ");
  EXPECT_EQ(Cell(0xFF)->toolTip(), "FFh (255) --- Value: ");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( unsaved table )");
  EXPECT_FALSE(Doc().TableChanged);
  EXPECT_EQ(window->state().CurrentCell, 0);
}

TEST_F(GridTest, TypingMarksTheTableChangedAndRebuildsTheTooltip) {
  Click(0x12);
  QTest::keyClicks(Cell(0x12), "A b");
  EXPECT_EQ(Doc().EntryText[0x12], "A b");
  EXPECT_TRUE(Doc().TableChanged);
  EXPECT_EQ(Cell(0x12)->toolTip(), "12h (18) --- Value: A b");
}

// What the tooltip window shows: Qt renders a tip that looks like markup.
QString ShownToolTip() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || label->objectName() != "qtooltip_label" || !label->isVisible()) continue;
    if (!Qt::mightBeRichText(label->text())) return label->text();
    QTextDocument doc;
    doc.setHtml(label->text());
    return doc.toPlainText();
  }
  return {};
}

TEST_F(GridTest, TooltipsShowEntriesThatLookLikeMarkupAsTheyStand) {
  for (const char* text : {"<b>x", "a<br>b", "&lt;", "<i>", "A b"}) {
    SCOPED_TRACE(text);
    Click(0x12);
    Cell(0x12)->selectAll();
    QTest::keyClicks(Cell(0x12), text);
    ASSERT_EQ(Doc().EntryText[0x12], text);
    const QPoint at = Cell(0x12)->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, Cell(0x12)->mapToGlobal(at));
    QApplication::sendEvent(Cell(0x12), &help);
    EXPECT_EQ(ShownToolTip(), QString("12h (18) --- Value: ") + text);
    QToolTip::hideText();
  }
}

TEST_F(GridTest, FocusColoursFollowTheClickedCell) {
  Click(0x20);
  EXPECT_EQ(Shown(Cell(0x20)), kYellow);
  Click(0x30);
  EXPECT_EQ(Shown(Cell(0x20)), kWhite);
  EXPECT_EQ(Shown(Cell(0x30)), kYellow);
  EXPECT_EQ(window->state().CurrentCell, 0x30);

  SetEntryLocked(Doc(), 0x40, true);
  SetEntryLocked(Doc(), 0x41, true);
  Click(0x40);
  EXPECT_EQ(Shown(Cell(0x40)), kOlive);
  Click(0x41);
  EXPECT_EQ(Shown(Cell(0x40)), kGrey);
  EXPECT_EQ(Shown(Cell(0x41)), kOlive);
  EXPECT_EQ(window->state().CurrentCell, 0x41);
}

TEST_F(GridTest, DoubleClickLocksAndUnlocksWithoutMarkingTheTable) {
  QTest::mouseDClick(Cell(0x05), Qt::LeftButton);
  EXPECT_TRUE(Doc().EntryLocked[0x05]);
  EXPECT_TRUE(Cell(0x05)->isReadOnly());
  EXPECT_EQ(Shown(Cell(0x05)), kOlive);
  EXPECT_EQ(window->state().CurrentCell, 0x05);
  QTest::keyClicks(Cell(0x05), "x");
  EXPECT_EQ(Doc().EntryText[0x05], "") << "a locked cell takes no typing";
  Click(0x06);
  EXPECT_EQ(Shown(Cell(0x05)), kGrey);
  EXPECT_FALSE(Doc().TableChanged);

  QTest::mouseDClick(Cell(0x05), Qt::LeftButton);
  EXPECT_FALSE(Doc().EntryLocked[0x05]);
  EXPECT_FALSE(Cell(0x05)->isReadOnly());
  EXPECT_EQ(Shown(Cell(0x05)), kYellow);
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(GridTest, RangePreviewFollowsTheMouseWhileABlockOperationWaits) {
  Click(0x10);
  MoveMouseOver(Cell(0x14));
  EXPECT_EQ(Shown(Cell(0x11)), kWhite) << "no preview without a pending operation";

  window->state().BlockMode = PendingBlock::Copy;
  SetEntryLocked(Doc(), 0x12, true);
  MoveMouseOver(Cell(0x14));
  EXPECT_EQ(Shown(Cell(0x10)), kYellow);
  EXPECT_EQ(Shown(Cell(0x11)), kRange);
  EXPECT_EQ(Shown(Cell(0x12)), kRangeLocked);
  EXPECT_EQ(Shown(Cell(0x14)), kRange);
  EXPECT_EQ(Shown(Cell(0x15)), kWhite);

  MoveMouseOver(Cell(0x0C));
  for (int i = 0x11; i <= 0x14; ++i) EXPECT_EQ(Cell(i)->colour(), i == 0x12 ? 0xAAAAAAu : 0xFFFFFFu) << i;
  for (int i = 0x0C; i <= 0x0F; ++i) EXPECT_EQ(Shown(Cell(i)), kRange) << i;
  EXPECT_EQ(Shown(Cell(0x0B)), kWhite);
  EXPECT_EQ(Shown(Cell(0x10)), kYellow);
}

TEST_F(GridTest, FontSizeButtonsStopAtTheLimitsJudgedOnCellZero) {
  auto* plus = window->findChild<QPushButton*>("cmdIncreaseFontSize");
  auto* minus = window->findChild<QPushButton*>("cmdDecreaseFontSize");
  ASSERT_TRUE(plus && minus);
  EXPECT_EQ(plus->text(), "+");
  EXPECT_EQ(minus->text(), "-");
  EXPECT_EQ(plus->toolTip(), "Increases the size of the table font by 1pt");
  EXPECT_EQ(minus->toolTip(), "Decreases the size of the table font by 1pt");

  for (int i = 8; i < 71; ++i) QTest::mouseClick(plus, Qt::LeftButton);
  EXPECT_EQ(Cell(0)->font().pointSize(), 71);
  QTest::mouseClick(plus, Qt::LeftButton);
  EXPECT_EQ(Cell(0)->font().pointSize(), 72);
  EXPECT_EQ(Cell(0xFF)->font().pointSize(), 72);
  QTest::mouseClick(plus, Qt::LeftButton);
  EXPECT_EQ(Cell(0x80)->font().pointSize(), 72);

  // Only cell 0 is judged: a larger cell elsewhere grows all the same.
  for (int i = 72; i > 8; --i) QTest::mouseClick(minus, Qt::LeftButton);
  QFont big = Cell(0x33)->font();
  big.setPointSize(72);
  Cell(0x33)->setFont(big);
  QTest::mouseClick(plus, Qt::LeftButton);
  EXPECT_EQ(Cell(0x33)->font().pointSize(), 73);
  EXPECT_EQ(Cell(0)->font().pointSize(), 9);

  for (int i = 0; i < 10; ++i) QTest::mouseClick(minus, Qt::LeftButton);
  EXPECT_EQ(Cell(0)->font().pointSize(), 4);
  EXPECT_TRUE(Cell(0)->font().bold());
}

TEST_F(GridTest, TabMovesToTheNextCell) {
  Click(0x05);
  QTest::keyClick(Cell(0x05), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Cell(0x06));
  EXPECT_EQ(window->state().CurrentCell, 0x06);
  Click(0x0F);
  QTest::keyClick(Cell(0x0F), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Cell(0x10));
}

TEST_F(GridTest, UpAndDownMoveByARow) {
  Click(0x25);
  QTest::keyClick(Cell(0x25), Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), Cell(0x35));
  EXPECT_EQ(window->state().CurrentCell, 0x35);
  QTest::keyClick(Cell(0x35), Qt::Key_Up);
  QTest::keyClick(Cell(0x25), Qt::Key_Up);
  QTest::keyClick(Cell(0x15), Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), Cell(0x05));
  QTest::keyClick(Cell(0x05), Qt::Key_Up);  // no row above: stays
  EXPECT_EQ(QApplication::focusWidget(), Cell(0x05));
}

TEST_F(GridTest, GeometryFollowsTheTwipLayout) {
  if (window->logicalDpiX() != 96 || window->logicalDpiY() != 96) GTEST_SKIP() << "not 96 dpi";
  // Cells are placed in the grid area, as the headers are.
  QWidget* area = window->findChild<QWidget*>("GridArea");
  auto inArea = [&](QWidget* w) { return QRect(w->mapTo(area, QPoint(0, 0)), w->size()); };
  EXPECT_EQ(inArea(Cell(0x00)), QRect(32, 24, 25, 19));
  EXPECT_EQ(inArea(Cell(0x11)), QRect(64, 48, 25, 19));
  EXPECT_EQ(inArea(Cell(0xFF)), QRect(512, 384, 25, 19));
  auto label = [&](int k) { return window->findChild<QLabel*>(QString("Label1(%1)").arg(k)); };
  EXPECT_EQ(label(0)->geometry(), QRect(40, 0, 13, 17));
  EXPECT_EQ(label(0)->text(), "0");
  EXPECT_EQ(label(15)->geometry(), QRect(520, 0, 13, 17));
  EXPECT_EQ(label(15)->text(), "F");
  EXPECT_EQ(label(16)->geometry(), QRect(8, 24, 13, 17));
  EXPECT_EQ(label(31)->geometry(), QRect(8, 384, 13, 17));
  EXPECT_EQ(label(26)->text(), "A");
  EXPECT_EQ(label(20)->font().family(), "Arial");
  EXPECT_EQ(window->findChild<QPushButton*>("cmdDecreaseFontSize")->geometry(), QRect(0, 0, 17, 19));
  EXPECT_EQ(window->findChild<QPushButton*>("cmdIncreaseFontSize")->geometry(), QRect(16, 0, 17, 19));
  // Measured from the client area below the menu bar.
  EXPECT_GE(window->centralWidget()->y(), 1);
}

TEST_F(GridTest, CommandWritesShowAtOnceWithTheirTooltips) {
  SetEntryText(Doc(), 0x4A, "x", "4a");
  EXPECT_EQ(Cell(0x4A)->text(), "x");
  EXPECT_EQ(Cell(0x4A)->toolTip(), "4ah (74) --- Value: x");
  SetEntryText(Doc(), 0x4A, "\xA4\xA2");
  EXPECT_EQ(Cell(0x4A)->text(), QString::fromUtf8("\xE3\x81\x82"));  // あ, shown in EUC-JP
  EXPECT_EQ(Cell(0x4A)->toolTip(), QString::fromUtf8("4Ah (74) --- Value: \xE3\x81\x82"));
  SetEntryLocked(Doc(), 0x4A, true);
  EXPECT_TRUE(Cell(0x4A)->isReadOnly());
  EXPECT_EQ(Shown(Cell(0x4A)), kGrey);
}

TEST_F(GridTest, ThingyOptionsFlipTheirMarksAndTheDocument) {
  auto* reverse = window->findChild<QAction*>("ReverseOrder");
  ASSERT_TRUE(reverse);
  reverse->trigger();
  EXPECT_TRUE(reverse->isChecked());
  EXPECT_TRUE(Doc().ReverseOrder);
  reverse->trigger();
  EXPECT_FALSE(Doc().ReverseOrder);
  window->findChild<QAction*>("OmitSymbols")->trigger();
  EXPECT_TRUE(Doc().OmitSymbols);
}

// The window is first shown with its cells drawn by the grid area; the line
// edits are made after that first paint, or at once when anything needs one.
class CellsMadeLaterTest : public ::testing::Test {
protected:
  void SetUp() override {
    settings::Clear();
    window = std::make_unique<frmMain>();
  }
  qsizetype CellsMade() const { return window->findChildren<TableCell*>().size(); }

  std::unique_ptr<frmMain> window;
};

TEST_F(CellsMadeLaterTest, TheDrawnCellsLookLikeTheEmptyCellsThatReplaceThem) {
  for (const char* sheet : {"", "QLineEdit { border: 3px solid #c03; border-radius: 5px; background: #eef; }"}) {
    qApp->setStyleSheet(sheet);
    window = std::make_unique<frmMain>();
    window->resize(640, 480);
    // The whole window: the grid area is drawn below the menu bar, not at
    // the origin of what is painted.
    const QImage drawn = window->grab().toImage();
    ASSERT_EQ(CellsMade(), 0);
    window->cell(0);  // anything that asks for a cell has them all made
    ASSERT_EQ(CellsMade(), 256);
    const QImage made = window->grab().toImage();
    for (int i : {0x00, 0x5A, 0xFF}) {
      const QRect place(window->cell(i)->mapTo(window.get(), QPoint(0, 0)), window->cell(i)->size());
      EXPECT_EQ(drawn.copy(place), made.copy(place)) << sheet << " " << i;
    }
    EXPECT_EQ(drawn, made) << sheet;
  }
  qApp->setStyleSheet(QString());
}

TEST_F(CellsMadeLaterTest, TheyAreMadeAfterTheFirstPaintWithTheirTooltipsAndTabOrder) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return CellsMade() == 256; }));
  for (TableCell* c : window->findChildren<TableCell*>()) {
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->toolTip(), QString::asprintf("%02Xh (%d) --- Value: ", c->index(), c->index()));
  }
  // The order Tab takes, from the top of the window.
  QStringList order;
  QWidget* w = window.get();
  do {
    if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
    w = w->nextInFocusChain();
  } while (w != window.get());
  QStringList expected{"cmdDecreaseFontSize", "cmdIncreaseFontSize"};
  for (int i = 0; i < 256; ++i) expected << QString("TableData(%1)").arg(i);
  EXPECT_EQ(order, expected);
}

TEST_F(CellsMadeLaterTest, InputOrAScreenReaderHasThemMadeFirst) {
  auto* minus = window->findChild<QPushButton*>("cmdDecreaseFontSize");
  QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), minus->mapToGlobal(QPointF(1, 1)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(minus, &move);
  EXPECT_EQ(CellsMade(), 256);

  window = std::make_unique<frmMain>();
  ASSERT_EQ(CellsMade(), 0);
  QAccessible::setActive(true);
  EXPECT_EQ(CellsMade(), 256);
  QAccessible::setActive(false);
}

TEST_F(CellsMadeLaterTest, TheRememberedFontSizeIsTheirsAndIsKeptIfTheyWereNeverMade) {
  settings::SaveWindowState({QByteArray(), 11, std::nullopt});
  window = std::make_unique<frmMain>();
  window->close();
  ASSERT_EQ(CellsMade(), 0);
  EXPECT_EQ(settings::LoadWindowState().cellFontSize, 11);
  EXPECT_EQ(window->cell(0x00)->font().pointSize(), 11);
  EXPECT_TRUE(window->cell(0xFF)->font().bold());
  EXPECT_EQ(window->cell(0xFF)->font().pointSize(), 11);
}

}  // namespace
}  // namespace mojihyo::ui
