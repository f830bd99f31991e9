#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace mojihyo::ui {

// The About box.
class frmAbout : public QDialog {
  Q_OBJECT

public:
  explicit frmAbout(QWidget* parent = nullptr);

private:
  QLabel* lblName;
  QLabel* lblVersion;
  QLabel* lblPurpose;
  QLabel* lblCopyright;
  QPushButton* Command1;
};

}  // namespace mojihyo::ui
