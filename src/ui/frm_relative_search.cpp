#include "ui/frm_relative_search.h"

#include "tools/relative_search.h"
#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/frm_main.h"
#include "ui/relative_match_model.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace mojihyo::ui {

namespace {

QString Hex(std::uint64_t value) { return QStringLiteral("0x") + QString::number(value, 16).toUpper(); }

// Words are read as EUC-JP, the encoding the kana series are written in.
const ByteText kWordText(DisplayEncoding::EucJp);

}  // namespace

frmRelativeSearch::frmRelativeSearch(frmMain& owner, MappedFile file, const QString& fileTitle)
    : QWidget(&owner, Qt::Window), owner_(owner), file_(std::move(file)) {
  setObjectName(QStringLiteral("frmRelativeSearch"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Relative Search - ") + fileTitle);

  auto* lblWord = MakeLabel(this, "lblWord", QStringLiteral("&Word:"));
  lblWord->setWordWrap(false);
  txtWord = MakeBox(this, "txtWord", 0, lblWord);
  txtWord->setToolTip(QStringLiteral("A word in one alphabet: a-z, A-Z, 0-9, or basic hiragana or katakana"));
  auto* lblWidth = MakeLabel(this, "lblWidth", QStringLiteral("W&idth:"));
  lblWidth->setWordWrap(false);
  cboWidth = new QComboBox(this);
  cboWidth->setObjectName(QStringLiteral("cboWidth"));
  cboWidth->setAccessibleName(QStringLiteral("Bytes per character"));
  cboWidth->addItems({QStringLiteral("1 byte"), QStringLiteral("2 bytes")});
  lblWidth->setBuddy(cboWidth);
  auto* lblByteOrder = MakeLabel(this, "lblByteOrder", QStringLiteral("&Byte order:"));
  lblByteOrder->setWordWrap(false);
  cboByteOrder = new QComboBox(this);
  cboByteOrder->setObjectName(QStringLiteral("cboByteOrder"));
  cboByteOrder->setAccessibleName(QStringLiteral("Byte order of two-byte values"));
  cboByteOrder->addItems({QStringLiteral("Big-endian"), QStringLiteral("Little-endian")});
  cboByteOrder->setEnabled(false);
  lblByteOrder->setBuddy(cboByteOrder);
  cmdSearch = MakeButton(this, "cmdSearch", QStringLiteral("&Search"));
  cmdSearch->setDefault(true);
  cmdSearch->setAccessibleName(QStringLiteral("Search"));

  model_ = new RelativeMatchModel(this);
  lstMatches = new QTableView(this);
  lstMatches->setObjectName(QStringLiteral("lstMatches"));
  lstMatches->setAccessibleName(QStringLiteral("Matches"));
  lstMatches->setModel(model_);
  lstMatches->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstMatches->setSelectionMode(QAbstractItemView::SingleSelection);
  lstMatches->verticalHeader()->hide();
  lstMatches->horizontalHeader()->setStretchLastSection(true);
  lblStatus = MakeLabel(this, "lblStatus", {});
  lblStatus->setAccessibleName(QStringLiteral("Search result"));
  cmdFillTable = MakeButton(this, "cmdFillTable", QStringLiteral("Fill Table"),
                            QStringLiteral("Writes the alphabet into the table from the chosen match"));
  cmdFillTable->setAccessibleName(QStringLiteral("Fill Table"));
  cmdFillTable->setEnabled(false);

  auto* top = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{lblWord, txtWord, lblWidth, cboWidth, lblByteOrder,
                                                    cboByteOrder, cmdSearch})
    top->addWidget(w);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(lstMatches, 1);
  layout->addWidget(lblStatus);
  AddButtonRow(layout, {cmdFillTable});
  resize(720, 480);

  connect(cboWidth, &QComboBox::currentIndexChanged, this,
          [this](int index) { cboByteOrder->setEnabled(index == 1); });
  connect(cmdSearch, &QPushButton::clicked, this, &frmRelativeSearch::Search);
  connect(txtWord, &QLineEdit::returnPressed, this, &frmRelativeSearch::Search);
  connect(cmdFillTable, &QPushButton::clicked, this, &frmRelativeSearch::FillTable);
  connect(lstMatches->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &frmRelativeSearch::ShowChoice);
  connect(model_, &QAbstractItemModel::modelReset, this, &frmRelativeSearch::ShowChoice);
}

void frmRelativeSearch::Search() {
  const std::optional<std::string> typed = kWordText.FromTyped(txtWord->text());
  if (!typed) {
    // A character EUC-JP cannot hold is in no alphabet either: name it.
    for (const char32_t c : txtWord->text().toUcs4()) {
      const QString character = QString::fromUcs4(&c, 1);
      if (kWordText.FromTyped(character)) continue;
      model_->setMatches({}, {});
      lblStatus->setText(QLatin1Char('\'') + character + QLatin1Char('\'') +
                         QString::fromLatin1(kInNoAlphabet.data(), static_cast<qsizetype>(kInNoAlphabet.size())));
      return;
    }
  }
  const WordReading reading = ReadRelativeWord(typed.value_or(std::string(1, '?')));
  if (!reading.word) {
    model_->setMatches({}, {});
    lblStatus->setText(kWordText.ToDisplay(reading.error));
    return;
  }
  RelativeMatchModel::Search search{file_.bytes(), *reading.word, cboWidth->currentIndex() == 1 ? 2 : 1,
                                    cboByteOrder->currentIndex() == 1 ? ByteOrder::LittleEndian
                                                                      : ByteOrder::BigEndian};
  std::vector<RelativeMatch> matches = RelativeSearch(search.data, search.word, search.width, search.order);
  const std::size_t n = matches.size();
  model_->setMatches(search, std::move(matches));
  lblStatus->setText(n == 1 ? QStringLiteral("1 match") : QStringLiteral("%1 matches").arg(n));
  if (n > 0) lstMatches->selectRow(0);
}

void frmRelativeSearch::ShowChoice() {
  cmdFillTable->setEnabled(lstMatches->selectionModel()->hasSelection());
}

void frmRelativeSearch::FillTable() {
  const QModelIndexList rows = lstMatches->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  const RelativeMatch& m = model_->matches()[static_cast<std::size_t>(rows.front().row())];
  const RelativeMatchModel::Search& s = model_->search();
  owner_.FillTableFromMatch(s.word.alphabet, s.width, s.order, m.base);
  const QString alphabet = QString::fromLatin1(AlphabetName(s.word.alphabet).data(),
                                               static_cast<qsizetype>(AlphabetName(s.word.alphabet).size()));
  lblStatus->setText((s.width == 1 ? QStringLiteral("Filled the cells with %1 from %2.")
                                   : QStringLiteral("Filled 16-bit entries with %1 from %2."))
                         .arg(alphabet, Hex(m.base)));
}

}  // namespace mojihyo::ui
