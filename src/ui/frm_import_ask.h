#pragma once

#include "entries16/import_values.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;

namespace mojihyo::ui {

// Asks what kind of file the values are imported from.
class frmImportAsk : public QDialog {
  Q_OBJECT

public:
  explicit frmImportAsk(QWidget* parent = nullptr);

  // The source chosen, or nothing when the user changed their mind.
  std::optional<ImportSource> source() const { return source_; }

private:
  std::optional<ImportSource> source_;
  QLabel* Label1;
  QPushButton* btnImportFromDump;
  QPushButton* btnImportFromTBL;
  QPushButton* btnImportFromText;
  QPushButton* btnCancel;
};

}  // namespace mojihyo::ui
