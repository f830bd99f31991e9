#pragma once

#include <QMainWindow>

#include <array>

#include "core/font_table.h"
#include "core/grid_rules.h"

class QLabel;
class QPushButton;

namespace mojihyo::ui {

class TableCell;

// The main window: the 16 x 16 grid of entries with its headers, the
// font-size buttons and the menu bar. It owns the document for the whole
// run and shows every change of it.
class frmMain : public QMainWindow, private DocumentObserver {
  Q_OBJECT

public:
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  FontTable& doc() { return doc_; }
  RunTimeState& state() { return state_; }

  TableCell* cell(int index) const { return TableData[static_cast<std::size_t>(index)]; }

  // Every cell back to its resting colour.
  void ResetCellColours();
  // "MoJiHyo - ( unsaved table )", or the file title in upper case.
  void UpdateCaption();

private:
  void Form_Load();
  void BuildGrid();
  void ConnectMenus();

  void TableData_GotFocus(int index);
  void TableData_LostFocus(int index);
  void TableData_DblClick(int index);
  void TableData_Change(int index, const QString& text);
  void TableData_MouseMove(int index);
  void cmdDecreaseFontSize_Click();
  void cmdIncreaseFontSize_Click();
  void AboutProgram_Click();

  // The focus step: focus colour, a pending block operation completed with
  // this cell as its second end, and the cell becomes the current one.
  void FocusStep(int index);
  void ChangeFontSize(int delta);
  void ApplyColours(const GridColours& colours);

  // DocumentObserver
  void EntryTextChanged(int index, std::string_view writtenNumber) override;
  void EntryLockChanged(int index) override;

  FontTable doc_;
  RunTimeState state_;

  std::array<TableCell*, kEntryCount> TableData{};
  std::array<QLabel*, 32> Label1{};
  QPushButton* cmdDecreaseFontSize = nullptr;
  QPushButton* cmdIncreaseFontSize = nullptr;
};

}  // namespace mojihyo::ui
