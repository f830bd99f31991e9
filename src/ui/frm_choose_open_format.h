#pragma once

#include "core/font_table.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;

namespace mojihyo::ui {

// Asks which format a table is in when its name does not tell: a .tbl file
// dropped on the window may be a Thingy, a Hexposure or a TFS table. The
// format chosen last time is the default button.
class frmChooseOpenFormat : public QDialog {
  Q_OBJECT

public:
  frmChooseOpenFormat(const QString& fileName, std::optional<TableFormat> lastChoice,
                      QWidget* parent = nullptr);

  std::optional<TableFormat> choice() const { return choice_; }

private:
  std::optional<TableFormat> choice_;
  QLabel* Label1;
  QPushButton* btnThingyTBL;
  QPushButton* btnHexposureTBL;
  QPushButton* btnTfsTBL;
  QPushButton* btnCancel;
};

}  // namespace mojihyo::ui
