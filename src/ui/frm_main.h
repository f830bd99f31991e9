#pragma once

#include "core/file_io.h"
#include "core/font_table.h"
#include "core/recent_tables.h"
#include "core/grid_rules.h"
#include "formats/table_file.h"
#include "formats/table_format.h"
#include "search/find_entries.h"
#include "series/series_catalogue.h"
#include "tools/font_table_check.h"
#include "tools/relative_search.h"
#include "ui/byte_text.h"
#include "ui/table_history.h"

#include <QAction>
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QActionGroup;
class QLabel;
class QPushButton;

namespace mojihyo::ui {

class FindBar;
class GridArea;
class TableCell;
class frmCheckTable;
class frmSectionBreakValue;

// The main window: the 16 x 16 grid of entries with its headers, the
// font-size buttons and the menu bar. It owns the document for the whole
// run and shows every change of it.
class frmMain : public QMainWindow, private DocumentObserver {
  Q_OBJECT

public:
  // `commandLine` is the program's whole argument text; a table it names
  // is opened before the window is first shown.
  explicit frmMain(const QString& commandLine = QString(), QWidget* parent = nullptr);
  ~frmMain() override;

  // The program's arguments (without the program itself) as one text, the
  // way the command line is read: joined by single spaces.
  static QString CommandLineText(const QStringList& arguments);

  FontTable& doc() { return doc_; }
  RunTimeState& state() { return state_; }
  TableHistory& history() { return *history_; }

  // Runs a change of the document as one undoable step: the one way every
  // command makes a step. `name` follows "Undo " and "Redo " in the menu.
  void RecordStep(const QString& name, StepCovers covers, const std::function<void()>& change);

  // Whether the 256 cells are made yet (see GridArea).
  bool cellsMade() const;
  // Makes the cells first if they are not made yet.
  TableCell* cell(int index) const {
    EnsureCells();
    return TableData[static_cast<std::size_t>(index)];
  }

  // Document bytes as the chosen display encoding shows them.
  ByteText byteText() const { return ByteText(displayEncoding_); }

  // Every cell back to its resting colour.
  void ResetCellColours();

  // How table files are written; tests put a failing writer here.
  using FileWriter = std::function<FileResult(const std::string& path, std::string_view bytes)>;
  void setFileWriter(FileWriter writer) { writeFile_ = std::move(writer); }
  // How table files are read; tests put a reader here that runs out of
  // memory.
  void setFileReader(FileReader reader) { readFile_ = std::move(reader); }

  // The save command; true when it wrote the file.
  bool SaveTable_Click();

  // Shows cell `index` as a finding of the check is shown: it becomes the
  // current cell as focus coming back from another window does, and a
  // pending block range stays pending.
  void FocusCell(int index);

  // Fills the table with `alphabet` from a relative search match, as one
  // step of the history.
  void FillTableFromMatch(Alphabet alphabet, int width, ByteOrder order, std::uint32_t base);

signals:
  // Something a decode reads may have changed (TableEdited): an entry, the
  // 16-bit entries, a break value, or the whole table. Windows that show a
  // decode wait for a pause in these before they decode again.
  void documentChanged();
  // The display encoding changed; byteText() tells the new one.
  void displayEncodingChanged();
  // The cells were made, after the window was first painted.
  void cellsReady();

protected:
  void closeEvent(QCloseEvent* e) override;

private:
  void Form_Load(const QString& commandLine);

  // Runs `handler` when the menu item called `name` is chosen.
  template <typename Handler>
  void OnMenuItem(std::string_view name, Handler handler) {
    if (QAction* action = MenuItem(name)) connect(action, &QAction::triggered, this, handler);
  }
  // The menu item called `name`, or null. Looked up in a table of the menu
  // bar's items: searching the whole window for each costs the start-up and
  // every undo step.
  QAction* MenuItem(std::string_view name) const;
  void BuildGrid();
  void BuildCells(const std::vector<QRect>& places);
  void EnsureCells() const;
  // The point size of the table font, which the cells take from the grid
  // area until they are made.
  int CellFontSize() const;
  void ConnectMenus();

  void TableData_GotFocus(int index, bool returning);
  void TableData_LostFocus(int index);
  void TableData_DblClick(int index);
  void TableData_Change(int index, const QString& text);
  void TableData_MouseMove(int index);
  void cmdDecreaseFontSize_Click();
  void cmdIncreaseFontSize_Click();
  void AboutProgram_Click();

  // File menu
  void NewTable_Click();
  void OpenThingyTable_Click() { OpenTable(TableFormat::Thingy); }
  void OpenHexposureTable_Click() { OpenTable(TableFormat::Hexposure); }
  void OpenMoJiHyoTable_Click() { OpenTable(TableFormat::MoJiHyo); }
  void OpenTfsTable_Click() { OpenTable(TableFormat::Tfs); }
  void SaveThingyTable_Click() { SaveTableAs(TableFormat::Thingy); }
  void SaveHexposureTable_Click() { SaveTableAs(TableFormat::Hexposure); }
  void SaveMoJiHyoTable_Click() { SaveTableAs(TableFormat::MoJiHyo); }
  void SaveTfsTable_Click() { SaveTableAs(TableFormat::Tfs); }
  void OpenFromCommandLine(const QString& commandLine);
  void OpenTable(TableFormat format);
  // Reads `path` in `format` into the table, which it replaces; a file that
  // cannot be read is reported and changes nothing. `title` is the name the
  // caption shows. No unsaved-changes question: the caller asked it.
  bool OpenTableFile(TableFormat format, const std::string& path, const std::string& title,
                     bool askBeforeDropping = true);
  // The format to open a file in: `format`, unless it would leave out lines
  // a TFS table keeps and the user chooses TFS, or nothing (Cancel).
  std::optional<TableFormat> KeepEverythingCheck(TableFormat format, std::string_view text,
                                                 const std::string& title);
  void SaveTableAs(TableFormat format);
  enum class SaveOutcome { Written, Cancelled, Failed };
  // Saves to the table's file, or asks for one; `saveAs` always asks, and
  // binds the table to that format.
  SaveOutcome SaveTable(std::optional<TableFormat> saveAs = std::nullopt);
  // Where a save writes: the file, its title and format, and whether the
  // save dialog chose it (the table is then bound to it once written).
  struct SaveTarget {
    std::string path, title;
    TableFormat format;
    bool fromDialog;
  };
  std::optional<SaveTarget> ChooseSaveTarget(std::optional<TableFormat> format, bool askForFile);
  // Asks whether to save unsaved changes; true when the command may go on.
  bool SaveIfWanted();
  // Edit menu
  void ConnectEditMenu();
  void ConnectUndoMenu();
  void ShowUndoItems();
  void UndoOrRedo(bool redo);
  // The same, for the dialogs that change the document.
  StepRecorder Recorder();
  // A menu item's caption as a step's name: without its "&", after `prefix`.
  QString StepName(std::string_view item, const QString& prefix = QString()) const;
  void EditSectionBreak_Click();
  // The modeless Section Break window: a value typed there but not stored
  // is stored or dropped as the user says (false: Cancel); closing and
  // refreshing it when the table goes or is replaced.
  bool SettleSectionBreak();
  void CloseSectionBreak();
  void RefreshSectionBreak();

  // Opens the 16-bit entry list, with `row` selected when given.
  void Open16bitEntries(std::optional<std::size_t> row);

  // Find and Go to Entry (Edit menu)
  void ConnectFindMenu();
  void EditFind_Click();
  void FindAgain(FindDirection direction);
  void EditGoTo_Click();
  // The search the find bar describes; nothing, and why, when it describes
  // none (an empty `problem`: nothing typed).
  std::optional<FindQuery> TypedFindQuery(QString& problem) const;
  // Counts the matches again as the user types.
  void CountFindMatches();
  // Shows what a search or Go to Entry found: its cell, or the 16-bit entry
  // list with its row selected.
  void ShowFoundEntry(EntryPlace place);
  // Moves to a cell as focus coming back does: a pending block range then
  // runs from this cell, and is not ended by the move.
  void ShowCellFromCommand(int index);
  // A long entry, which its cell shows only in part, in a window of its own.
  void EditLongEntry(int index);

  // Block Ops menu
  void ConnectBlockMenu();
  void MoJiHyoBlockPaste_Click();

  // Tools menu
  void ConnectToolsMenu();
  void ToolsDecode_Click();
  void ToolsRelativeSearch_Click();

  // Recent tables, dropped files and what is remembered between runs
  void ConnectRecentMenu();
  void ShowRecentTables();
  void OpenRecentTable(std::size_t index);
  void RememberTable(const RecentTable& table);
  void RestoreWindowState();
  void SaveWindowState();
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void OpenDroppedFile(const std::string& path);

  // A TFS table: its logical tables (View menu), the one shown (status bar)
  // and its codes (Edit menu)
  void ConnectTfs();
  void ShowLogicalTables();
  void ShowLogicalTable_Click(std::size_t table);
  void EditCodes_Click();
  // Opens the Codes dialog, with `row` selected when given.
  void OpenCodes(std::optional<std::size_t> row);

  // View menu and status bar
  void ConnectViewMenu();
  void ChooseDisplayEncoding(DisplayEncoding encoding);
  void ShowAllEntries();
  void ShowCellBytes();
  void ShowOpenReport(const std::string& title, LoadReport report, TableFormat format);
  void ShowFileTextForm();

  // Tools menu: the table check
  void ConnectCheckTable();
  void CheckTable_Click();
  // Tells the Check Table window, when it is open, that the table changed.
  void TableEdited();
  // Focuses the cell of a finding's entry, or opens the 16-bit entries with
  // it selected.
  void GoToEntry(EntryPlace place, std::size_t logicalTable);

  // Insert menu
  void ConnectInsertMenu();
  void InsertRepeatedValue_Click();

  void SetCaptionUnsaved();
  void SetCaptionFromTitle();
  void ShowOptionMarks();

  // The focus step: focus colour, a pending block operation completed with
  // this cell as its second end, and the cell becomes the current one.
  void FocusStep(int index);
  // Shows entry `index`'s text and tooltip as the document holds them.
  void ShowEntry(int index);
  // The tooltip shows the entry number as the grid writes it again.
  void UseGridNumber(int index);
  void ChangeFontSize(int delta);
  void ApplyColours(const GridColours& colours);

  // DocumentObserver
  void EntryTextChanged(int index, std::string_view writtenNumber) override;
  void EntryLockChanged(int index) override;

  static constexpr int kCellFontSize = 8;  // the size cells start with
  static constexpr int kSmallestFont = 4;
  static constexpr int kLargestFont = 72;

  FontTable doc_;
  RunTimeState state_;
  // After the document, so that it goes first: its steps refer to it.
  std::unique_ptr<TableHistory> history_;
  // Counts cell visits: the typing of one visit is one step.
  int visit_ = 0;
  DisplayEncoding displayEncoding_ = DisplayEncoding::EucJp;
  // New tables are shown in EUC-JP, what the Insert menu writes, until the
  // user chooses another encoding from the View menu.
  DisplayEncoding newTableEncoding_ = DisplayEncoding::EucJp;
  std::vector<RecentTable> recentTables_;
  FileWriter writeFile_ = WriteFileReplacing;
  FileReader readFile_ = [](const std::string& path, std::string& bytes) {
    return ReadFileBytes(path, bytes);
  };
  SeriesTables seriesTables_;
  // The one dialog that leaves the main window usable while it is open.
  QPointer<frmSectionBreakValue> sectionBreakDialog_;
  QPointer<frmCheckTable> checkWindow_;
  // Made when first opened, so that it costs the start-up nothing.
  FindBar* findBar_ = nullptr;
  std::optional<LastFind> lastFind_;

  GridArea* gridArea_ = nullptr;
  mutable QHash<QString, QPointer<QAction>> menuItems_;
  std::array<TableCell*, kEntryCount> TableData{};
  std::array<QLabel*, 32> Label1{};
  QPushButton* cmdDecreaseFontSize = nullptr;
  QPushButton* cmdIncreaseFontSize = nullptr;
  // The entry numbers the tooltips show: as a table file wrote them after an
  // open, in upper case after any other write.
  std::array<std::string, kEntryCount> tooltipNumbers_;
  QLabel* lblEncoding = nullptr;
  QLabel* lblCellBytes = nullptr;
  QLabel* lblOpenReport = nullptr;
  QLabel* lblFindResult = nullptr;
  QLabel* lblFileEncoding = nullptr;
  QLabel* lblLogicalTable = nullptr;
};

}  // namespace mojihyo::ui
