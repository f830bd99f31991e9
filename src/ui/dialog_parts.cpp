#include "ui/dialog_parts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace mojihyo::ui {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& toolTip) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  if (!toolTip.isEmpty()) button->setToolTip(toolTip);
  return button;
}

QLineEdit* MakeBox(QWidget* parent, const char* name, int maxLength, QLabel* label) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  // Entries and values read from files can be long; a box must not cut them.
  box->setMaxLength(maxLength > 0 ? maxLength : std::numeric_limits<int>::max());
  if (label) label->setBuddy(box);
  return box;
}

std::vector<QPushButton*> AddFormatButtons(QDialog* dialog, QBoxLayout* layout,
                                           std::optional<TableFormat>& choice,
                                           std::initializer_list<FormatButton> buttons) {
  std::vector<QPushButton*> made;
  for (const FormatButton& b : buttons) {
    QPushButton* button = MakeButton(dialog, b.name, QString::fromLatin1(b.caption));
    button->setAutoDefault(false);
    layout->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, dialog, [dialog, &choice, format = b.format] {
      choice = format;
      if (format) {
        dialog->accept();
      } else {
        dialog->reject();
      }
    });
    made.push_back(button);
  }
  return made;
}

void AddButtonRow(QBoxLayout* layout, std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QWidget* b : buttons) row->addWidget(b);
  layout->addLayout(row);
}

}  // namespace mojihyo::ui
