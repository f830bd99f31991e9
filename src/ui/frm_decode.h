#pragma once

#include "core/file_io.h"
#include "tools/decoder.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

namespace mojihyo::ui {

class DecodeView;
class frmMain;

// Tools > Decode: a file (a ROM) read through the table being edited, in
// the main window's display encoding. Beside it, how much of the bytes in
// view the table decodes and which byte values it leaves undecoded, most
// frequent first; clicking one takes the grid to its cell. Every change of
// the table decodes again after a short pause.
class frmDecode : public QWidget {
  Q_OBJECT

public:
  // A window of `owner`'s, closed with it.
  frmDecode(frmMain& owner, MappedFile file, const QString& fileTitle);

  DecodeView* view() const { return view_; }

  // How long the table must rest before it is decoded again.
  static constexpr int kPauseMs = 300;

private:
  void Decode();
  void ShowCoverage();
  void ShowSelection(std::uint64_t from, std::uint64_t to);
  void GoToOffset();
  void FindNext();
  void UndecodedChosen(QListWidgetItem* item);
  void Tell(const QString& title, const QString& text);

  frmMain& owner_;
  MappedFile file_;
  std::shared_ptr<const Decoder> decoder_;
  QTimer* pause_;

  DecodeView* view_;
  QLineEdit* txtOffset;
  QPushButton* cmdGoTo;
  QLineEdit* txtFind;
  QPushButton* cmdFindNext;
  QLabel* lblCoverage;
  QListWidget* lstUndecoded;
  QLabel* lblSelection;
};

}  // namespace mojihyo::ui
