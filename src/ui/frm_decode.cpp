#include "ui/frm_decode.h"

#include "core/hex_notation.h"
#include "tools/decode_window.h"
#include "ui/decode_view.h"
#include "ui/dialog_parts.h"
#include "ui/frm_main.h"
#include "ui/prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace mojihyo::ui {

namespace {

QString Hex(std::uint64_t value) { return QStringLiteral("0x") + QString::number(value, 16).toUpper(); }

}  // namespace

frmDecode::frmDecode(frmMain& owner, MappedFile file, const QString& fileTitle)
    : QWidget(&owner, Qt::Window), owner_(owner), file_(std::move(file)) {
  setObjectName(QStringLiteral("frmDecode"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Decode - ") + fileTitle);

  auto* lblOffset = MakeLabel(this, "lblOffset", QStringLiteral("Go to &offset:"));
  lblOffset->setWordWrap(false);
  txtOffset = MakeBox(this, "txtOffset", 0, lblOffset);
  txtOffset->setPlaceholderText(QStringLiteral("decimal or 0x hex"));
  cmdGoTo = MakeButton(this, "cmdGoTo", QStringLiteral("&Go"));
  cmdGoTo->setAccessibleName(QStringLiteral("Go to offset"));
  auto* lblFind = MakeLabel(this, "lblFind", QStringLiteral("&Find text:"));
  lblFind->setWordWrap(false);
  txtFind = MakeBox(this, "txtFind", 0, lblFind);
  cmdFindNext = MakeButton(this, "cmdFindNext", QStringLiteral("Find &Next"));
  cmdFindNext->setAccessibleName(QStringLiteral("Find next"));

  view_ = new DecodeView(this);
  view_->setData(file_.bytes());
  view_->setByteText(owner_.byteText());

  lblCoverage = MakeLabel(this, "lblCoverage", {});
  lblCoverage->setAccessibleName(QStringLiteral("Coverage of the bytes in view"));
  auto* lblUndecoded = MakeLabel(this, "lblUndecoded", QStringLiteral("&Undecoded bytes in view:"));
  lstUndecoded = new QListWidget(this);
  lstUndecoded->setObjectName(QStringLiteral("lstUndecoded"));
  lstUndecoded->setAccessibleName(QStringLiteral("Undecoded byte values, most frequent first"));
  lstUndecoded->setToolTip(QStringLiteral("Click a value to go to its cell in the table"));
  lblUndecoded->setBuddy(lstUndecoded);
  lblSelection = MakeLabel(this, "lblSelection", {});
  lblSelection->setAccessibleName(QStringLiteral("Selected bytes"));

  auto* top = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{lblOffset, txtOffset, cmdGoTo})
    top->addWidget(w);
  top->addSpacing(16);
  for (QWidget* w : std::initializer_list<QWidget*>{lblFind, txtFind, cmdFindNext}) top->addWidget(w);
  auto* side = new QVBoxLayout;
  side->addWidget(lblCoverage);
  side->addWidget(lblUndecoded);
  side->addWidget(lstUndecoded, 1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(view_, 1);
  middle->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addWidget(lblSelection);
  lstUndecoded->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("Undecoded bytes in view: ")));
  resize(960, 600);

  pause_ = new QTimer(this);
  pause_->setObjectName(QStringLiteral("DecodePause"));
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMs);
  connect(pause_, &QTimer::timeout, this, &frmDecode::Decode);
  connect(&owner_, &frmMain::documentChanged, pause_, qOverload<>(&QTimer::start));
  connect(&owner_, &frmMain::displayEncodingChanged, this, [this] { view_->setByteText(owner_.byteText()); });
  connect(view_, &DecodeView::viewChanged, this, &frmDecode::ShowCoverage);
  connect(view_, &DecodeView::selectionChanged, this, &frmDecode::ShowSelection);
  connect(cmdGoTo, &QPushButton::clicked, this, &frmDecode::GoToOffset);
  connect(txtOffset, &QLineEdit::returnPressed, this, &frmDecode::GoToOffset);
  connect(cmdFindNext, &QPushButton::clicked, this, &frmDecode::FindNext);
  connect(txtFind, &QLineEdit::returnPressed, this, &frmDecode::FindNext);
  connect(lstUndecoded, &QListWidget::itemClicked, this, &frmDecode::UndecodedChosen);
  connect(lstUndecoded, &QListWidget::itemActivated, this, &frmDecode::UndecodedChosen);
  Decode();
  ShowSelection(0, 0);
}

void frmDecode::Decode() {
  pause_->stop();
  decoder_ = std::make_shared<const Decoder>(Decoder::FromFontTable(owner_.doc()));
  view_->setDecoder(decoder_);
}

void frmDecode::ShowCoverage() {
  const std::uint64_t from = view_->visibleFrom(), to = view_->visibleTo();
  const Coverage c = CoverageOf(view_->span().pieces, file_.bytes(), from, to);
  lblCoverage->setText(c.bytes == 0 ? QStringLiteral("Coverage: no bytes in view")
                                    : QStringLiteral("Coverage: %1% of %2 bytes in view")
                                          .arg(100.0 * static_cast<double>(c.decoded) / static_cast<double>(c.bytes), 0, 'f', 1)
                                          .arg(c.bytes));
  view_->setAccessibleDescription(view_->visibleText());
  lstUndecoded->clear();
  for (const auto& [value, count] : UndecodedByFrequency(c)) {
    auto* item = new QListWidgetItem(QStringLiteral("%1h \u00D7%2").arg(QString::fromStdString(HexByte(value))).arg(count),
                                     lstUndecoded);
    item->setData(Qt::UserRole, value);
  }
}

void frmDecode::ShowSelection(std::uint64_t from, std::uint64_t to) {
  lblSelection->setText(from == to ? QStringLiteral("%1 bytes").arg(file_.size())
                                   : QStringLiteral("Selected %1 to %2: %3 bytes").arg(Hex(from), Hex(to - 1)).arg(to - from));
}

void frmDecode::Tell(const QString& title, const QString& text) {
  Prompts().Message(this, {title, text, QMessageBox::Information, QMessageBox::Ok});
}

void frmDecode::GoToOffset() {
  const std::optional<std::uint64_t> at = ReadOffsetNumber(txtOffset->text().trimmed().toStdString());
  if (file_.size() == 0) {
    Tell(QStringLiteral("Go to Offset"), QStringLiteral("This file is empty: it has no offset to go to."));
    return;
  }
  if (!at || *at >= file_.size()) {
    Tell(QStringLiteral("Go to Offset"),
         QStringLiteral("\"%1\" is not an offset in this file: give a number from 0 to %2, decimal or "
                        "with 0x before hex digits.")
             .arg(txtOffset->text(), Hex(file_.size() - 1)));
    return;
  }
  // Decoding starts at the offset gone to, where a text begins.
  view_->setAnchor(*at);
  view_->scrollToOffset(*at);
  const auto& pieces = view_->span().pieces;
  const auto first = std::find_if(pieces.begin(), pieces.end(), [&](const DecodedPiece& p) { return p.at == *at; });
  view_->setSelection(*at, first == pieces.end() ? *at + 1 : first->end());
}

void frmDecode::FindNext() {
  const std::optional<std::string> needle = owner_.byteText().FromTyped(txtFind->text());
  if (!needle) {
    Tell(QStringLiteral("Find"),
         QStringLiteral("\"%1\" cannot be written in the display encoding.").arg(txtFind->text()));
    return;
  }
  if (needle->empty()) return;
  // On from the selection, or from the first text in view.
  auto [from, to] = view_->selection();
  std::uint64_t start = to;
  if (from == to) {
    start = view_->visibleFrom();
    for (const DecodedPiece& p : view_->span().pieces) {
      if (p.at >= start) {
        start = p.at;
        break;
      }
    }
  }
  // A change still waiting for its pause is taken in first.
  if (pause_->isActive()) Decode();
  if (const auto hit = FindDecodedText(*decoder_, file_.bytes(), start, *needle)) {
    view_->setSelection(hit->from, hit->to);
    return;
  }
  Tell(QStringLiteral("Find"), QStringLiteral("\"%1\" was not found after %2.").arg(txtFind->text(), Hex(start)));
}

void frmDecode::UndecodedChosen(QListWidgetItem* item) {
  if (item) owner_.FocusCell(item->data(Qt::UserRole).toInt());
}

}  // namespace mojihyo::ui
