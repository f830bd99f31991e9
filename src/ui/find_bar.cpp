#include "ui/find_bar.h"

#include "ui/dialog_parts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace mojihyo::ui {

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FindBar"));
  lblFind = new QLabel(QStringLiteral("Fin&d:"), this);
  lblFind->setObjectName(QStringLiteral("lblFind"));
  FindText = MakeBox(this, "FindText", 0, lblFind);
  FindText->setToolTip(
      QStringLiteral("Text in the display encoding, or bytes such as A4 A2 when Hex is ticked"));
  chkHex = new QCheckBox(QStringLiteral("He&x"), this);
  chkHex->setObjectName(QStringLiteral("chkHex"));
  chkHex->setToolTip(QStringLiteral("Look for the bytes typed as pairs of hex digits"));
  chkWholeEntry = new QCheckBox(QStringLiteral("&Whole entry"), this);
  chkWholeEntry->setObjectName(QStringLiteral("chkWholeEntry"));
  chkWholeEntry->setToolTip(QStringLiteral("Find only entries that hold exactly this, nothing more"));
  btnFindPrevious = MakeButton(this, "btnFindPrevious", QStringLiteral("&Previous"),
                               QStringLiteral("Go to the previous match (Shift+F3)"));
  btnFindNext = MakeButton(this, "btnFindNext", QStringLiteral("&Next"),
                           QStringLiteral("Go to the next match (F3, or Enter in the box)"));
  btnCloseFind = new QToolButton(this);
  btnCloseFind->setObjectName(QStringLiteral("btnCloseFind"));
  btnCloseFind->setText(QString(QChar(0x2715)));
  btnCloseFind->setAccessibleName(QStringLiteral("Close the find bar"));
  btnCloseFind->setToolTip(QStringLiteral("Close the find bar (Escape)"));
  // The tool button takes the keyboard focus like the other controls.
  btnCloseFind->setFocusPolicy(Qt::StrongFocus);

  connect(FindText, &QLineEdit::textChanged, this, &FindBar::queryChanged);
  connect(chkHex, &QCheckBox::toggled, this, &FindBar::queryChanged);
  connect(chkWholeEntry, &QCheckBox::toggled, this, &FindBar::queryChanged);
  connect(btnFindNext, &QPushButton::clicked, this, &FindBar::findNext);
  connect(btnFindPrevious, &QPushButton::clicked, this, &FindBar::findPrevious);
  connect(btnCloseFind, &QToolButton::clicked, this, &FindBar::Close);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->addWidget(lblFind);
  layout->addWidget(FindText, 1);
  for (QWidget* w : std::initializer_list<QWidget*>{chkHex, chkWholeEntry, btnFindPrevious,
                                                   btnFindNext, btnCloseFind})
    layout->addWidget(w);
}

QString FindBar::text() const { return FindText->text(); }
bool FindBar::hex() const { return chkHex->isChecked(); }
bool FindBar::wholeEntry() const { return chkWholeEntry->isChecked(); }

void FindBar::Open() {
  show();
  FindText->setFocus(Qt::ShortcutFocusReason);
  FindText->selectAll();
}

void FindBar::Close() {
  hide();
  emit closed();
}

void FindBar::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    Close();
    return;
  }
  // Enter in the box (which passes it on) goes to the next match, and
  // Shift+Enter to the previous one, as F3 and Shift+F3 do.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (e->modifiers() & Qt::ShiftModifier) {
      emit findPrevious();
    } else {
      emit findNext();
    }
    return;
  }
  QWidget::keyPressEvent(e);
}

}  // namespace mojihyo::ui
