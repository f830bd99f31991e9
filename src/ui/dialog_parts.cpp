#include "ui/dialog_parts.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace mojihyo::ui {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

void AddButtonRow(QBoxLayout* layout, std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QWidget* b : buttons) row->addWidget(b);
  layout->addLayout(row);
}

}  // namespace mojihyo::ui
