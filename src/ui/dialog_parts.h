#pragma once

// Small pieces the dialogs are built from.

#include <QString>

#include <initializer_list>

class QBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace mojihyo::ui {

// A label with its object name, wrapping long texts.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text);

// A push button with its object name.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption);

// The buttons side by side at the right of `layout`'s next row.
void AddButtonRow(QBoxLayout* layout, std::initializer_list<QWidget*> buttons);

}  // namespace mojihyo::ui
