#pragma once

#include "core/font_table.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;

namespace mojihyo::ui {

// Asks which format a table without one is saved in. A format button
// chooses its format; Cancel and the window's close box choose none.
class frmChooseSaveFormat : public QDialog {
  Q_OBJECT

public:
  explicit frmChooseSaveFormat(QWidget* parent = nullptr);

  std::optional<TableFormat> choice() const { return choice_; }

private:
  std::optional<TableFormat> choice_;
  QLabel* Label1;
  QPushButton* btnThingyTBL;
  QPushButton* btnHexposureTBL;
  QPushButton* btnMoJiHyoTAB;
  QPushButton* btnTfsTBL;
  QPushButton* btnCancel;
};

}  // namespace mojihyo::ui
