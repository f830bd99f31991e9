#include "ui/frm_codes.h"

#include "ui/dialog_parts.h"
#include "ui/frm_edit_code.h"
#include "ui/prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace mojihyo::ui {

frmCodes::frmCodes(std::vector<std::string> codes, ByteText text, QWidget* parent)
    : QDialog(parent), codes_(std::move(codes)), text_(text) {
  setObjectName(QStringLiteral("frmCodes"));
  setWindowTitle(QStringLiteral("Codes"));
  Label1 = MakeLabel(this, "Label1",
                     QStringLiteral("The end tokens, newlines, control codes and table switches of "
                                    "this logical table, as the table file writes them:"));
  lstCodes = new QListWidget(this);
  lstCodes->setObjectName(QStringLiteral("lstCodes"));
  lstCodes->setAccessibleName(QStringLiteral("Codes"));
  lstCodes->setSelectionMode(QAbstractItemView::SingleSelection);
  Label1->setBuddy(lstCodes);

  auto button = [this](const char* name, const QString& caption, const char* tip) {
    QPushButton* b = MakeButton(this, name, caption, QString::fromLatin1(tip));
    b->setAutoDefault(false);
    return b;
  };
  btnAddCode = button("btnAddCode", QStringLiteral("Add"), "Add a code");
  btnEditCode = button("btnEditCode", QStringLiteral("Edit"), "Edit the selected code");
  btnDeleteCode = button("btnDeleteCode", QStringLiteral("Delete"), "Delete the selected code");
  btnMoveCodeUp = button("btnMoveCodeUp", QString(QChar(0x25B2)), "Move the selected code up one space");
  btnMoveCodeUp->setAccessibleName(QStringLiteral("Move Up"));
  btnMoveCodeDown =
      button("btnMoveCodeDown", QString(QChar(0x25BC)), "Move the selected code down one space");
  btnMoveCodeDown->setAccessibleName(QStringLiteral("Move Down"));
  btnSave = button("btnSave", QStringLiteral("Okay"), "Keep the codes and return to the main window");
  btnCancel = button("btnCancel", QStringLiteral("Cancel"), "Undo changes and return to the main window");

  connect(btnAddCode, &QPushButton::clicked, this, &frmCodes::btnAddCode_Click);
  connect(btnEditCode, &QPushButton::clicked, this, &frmCodes::btnEditCode_Click);
  connect(lstCodes, &QListWidget::itemDoubleClicked, this, &frmCodes::btnEditCode_Click);
  connect(btnDeleteCode, &QPushButton::clicked, this, &frmCodes::btnDeleteCode_Click);
  connect(btnMoveCodeUp, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(btnMoveCodeDown, &QPushButton::clicked, this, [this] { Move(+1); });
  connect(btnSave, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* side = new QVBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{btnAddCode, btnEditCode, btnDeleteCode})
    side->addWidget(w);
  auto* moves = new QHBoxLayout;
  moves->addWidget(btnMoveCodeUp);
  moves->addWidget(btnMoveCodeDown);
  side->addLayout(moves);
  side->addStretch();
  side->addWidget(btnSave);
  side->addWidget(btnCancel);
  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0, 1, 2);
  layout->addWidget(lstCodes, 1, 0);
  layout->addLayout(side, 1, 1);
  ShowCodes();
  resize(480, 360);
}

void frmCodes::ShowCodes() {
  const auto selected = selectedRow();
  lstCodes->clear();
  for (const std::string& code : codes_) lstCodes->addItem(text_.ToDisplay(code));
  selectRow(selected);
}

std::optional<std::size_t> frmCodes::selectedRow() const {
  const int row = lstCodes->currentRow();
  if (row < 0 || !lstCodes->currentItem() || !lstCodes->currentItem()->isSelected()) return std::nullopt;
  return static_cast<std::size_t>(row);
}

void frmCodes::selectRow(std::optional<std::size_t> row) {
  if (!row || *row >= codes_.size()) {
    lstCodes->setCurrentRow(-1);
    lstCodes->clearSelection();
    return;
  }
  lstCodes->setCurrentRow(static_cast<int>(*row));
  lstCodes->scrollToItem(lstCodes->currentItem());
}

void frmCodes::btnAddCode_Click() {
  frmEditCode add(std::nullopt, text_, this);
  if (Prompts().RunModal(add) != QDialog::Accepted) return;
  // A new code goes after the selected one, or at the end.
  const auto selected = selectedRow();
  const std::size_t at = selected ? *selected + 1 : codes_.size();
  codes_.insert(codes_.begin() + static_cast<std::ptrdiff_t>(at), add.line());
  ShowCodes();
  selectRow(at);
}

void frmCodes::btnEditCode_Click() {
  const auto row = selectedRow();
  if (!row) return;
  frmEditCode edit(codes_[*row], text_, this);
  if (Prompts().RunModal(edit) != QDialog::Accepted) return;
  codes_[*row] = edit.line();
  ShowCodes();
}

void frmCodes::btnDeleteCode_Click() {
  const auto row = selectedRow();
  if (!row) return;
  codes_.erase(codes_.begin() + static_cast<std::ptrdiff_t>(*row));
  ShowCodes();
  selectRow(std::nullopt);
}

void frmCodes::Move(int by) {
  const auto row = selectedRow();
  if (!row) return;
  const auto to = static_cast<std::ptrdiff_t>(*row) + by;
  if (to < 0 || to >= static_cast<std::ptrdiff_t>(codes_.size())) return;
  std::swap(codes_[*row], codes_[static_cast<std::size_t>(to)]);
  ShowCodes();
  selectRow(static_cast<std::size_t>(to));
}

}  // namespace mojihyo::ui
