#pragma once

// Small pieces the dialogs are built from.

#include <QString>

#include <initializer_list>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace mojihyo::ui {

// A label with its object name, wrapping long texts.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text);

// A push button with its object name and, when given, its tooltip.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& toolTip = {});

// A single-line box with its object name that takes `maxLength` typed
// characters (0: no limit). `label`, when given, names the box: it becomes
// the label's buddy, so a screen reader says what the box is for.
QLineEdit* MakeBox(QWidget* parent, const char* name, int maxLength, QLabel* label = nullptr);

// The buttons side by side at the right of `layout`'s next row.
void AddButtonRow(QBoxLayout* layout, std::initializer_list<QWidget*> buttons);

}  // namespace mojihyo::ui
