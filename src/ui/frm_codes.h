#pragma once

#include "ui/byte_text.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace mojihyo::ui {

// Lists, adds, edits, deletes and reorders the codes of a TFS table's shown
// logical table: its end tokens, newlines, control codes and table
// switches, each as the line the file holds. It works on a copy; "Okay"
// hands the list back whole, "Cancel" and the close box drop it.
class frmCodes : public QDialog {
  Q_OBJECT

public:
  frmCodes(std::vector<std::string> codes, ByteText text, QWidget* parent = nullptr);

  // The code lines as the list holds them.
  const std::vector<std::string>& codes() const { return codes_; }
  std::optional<std::size_t> selectedRow() const;
  void selectRow(std::optional<std::size_t> row);

private:
  void btnAddCode_Click();
  void btnEditCode_Click();
  void btnDeleteCode_Click();
  void Move(int by);
  void ShowCodes();

  std::vector<std::string> codes_;
  ByteText text_;
  QLabel* Label1;
  QListWidget* lstCodes;
  QPushButton* btnAddCode;
  QPushButton* btnEditCode;
  QPushButton* btnDeleteCode;
  QPushButton* btnMoveCodeUp;
  QPushButton* btnMoveCodeDown;
  QPushButton* btnSave;
  QPushButton* btnCancel;
};

}  // namespace mojihyo::ui
