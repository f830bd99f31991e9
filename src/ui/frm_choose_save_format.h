#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace mojihyo::ui {

// Asks which format a table without one is saved in. A format button sets
// `saveFormat` to its name, Cancel empties it; closing the window by its
// frame leaves it as it was.
class frmChooseSaveFormat : public QDialog {
  Q_OBJECT

public:
  frmChooseSaveFormat(std::string& saveFormat, QWidget* parent = nullptr);

private:
  std::string& saveFormat_;
  QLabel* Label1;
  QPushButton* btnThingyTBL;
  QPushButton* btnHexposureTBL;
  QPushButton* btnMoJiHyoTAB;
  QPushButton* btnCancel;
};

}  // namespace mojihyo::ui
