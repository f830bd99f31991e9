#pragma once

#include "core/font_table.h"
#include "formats/tfs_losses.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;

namespace mojihyo::ui {

// Asked before a file is opened as a Thingy or Hexposure table when that
// reading would leave out lines a TFS reading keeps: how many, of which
// kinds, and whether to open it as a TFS table (the default), as chosen
// anyway, or not at all.
class frmOpenWarning : public QDialog {
  Q_OBJECT

public:
  frmOpenWarning(const QString& fileName, TableFormat chosen, const OpenLosses& losses,
                 QWidget* parent = nullptr);

  // The format to open the file in; nothing for Cancel or the close box.
  std::optional<TableFormat> choice() const { return choice_; }

  // The question's text.
  static QString Text(const QString& fileName, TableFormat chosen, const OpenLosses& losses);

private:
  std::optional<TableFormat> choice_;
  QLabel* Label1;
  QPushButton* btnOpenAsTfs;
  QPushButton* btnOpenAsChosen;
  QPushButton* btnCancel;
};

}  // namespace mojihyo::ui
