#pragma once

// Small pieces the dialogs are built from.

#include "core/font_table.h"

#include <QString>

#include <initializer_list>
#include <optional>
#include <vector>

class QBoxLayout;
class QDialog;
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

// One button of a format chooser: a format, or none for Cancel.
struct FormatButton {
  const char* name;
  const char* caption;
  std::optional<TableFormat> format;
};

// The buttons of a format chooser, one under the other in `layout`. A
// button stores its format in `choice` and closes `dialog`: accepted for a
// format, rejected for Cancel. Returned in the order given.
std::vector<QPushButton*> AddFormatButtons(QDialog* dialog, QBoxLayout* layout,
                                           std::optional<TableFormat>& choice,
                                           std::initializer_list<FormatButton> buttons);

}  // namespace mojihyo::ui
