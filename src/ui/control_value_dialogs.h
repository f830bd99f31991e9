#pragma once

// The four dialogs that show and set the control values. Each box edits one
// document field as text, exactly as typed; "Okay" stores every box and
// marks the table changed, "Cancel" and the close box store nothing.

#include "core/font_table.h"

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;

namespace mojihyo::ui {

class ControlValueDialog : public QDialog {
  Q_OBJECT

public:
  // One box and the field it edits.
  struct Box {
    const char* name;
    std::string FontTable::*field;
    int maxLength;  // typed characters; 0 for no limit
  };
  // Labels and boxes from the top, then the notes: a label is text, a box
  // is given by its index into `boxes`.
  struct Layout {
    const char* objectName;
    const char* title;
    std::vector<std::pair<const char*, const char*>> labelsBefore;  // name, text
    std::vector<Box> boxes;
    // Placed after box k: the labels named here.
    std::vector<std::vector<std::pair<const char*, const char*>>> labelsAfterBox;
    std::vector<std::pair<const char*, const char*>> notes;
  };

  ControlValueDialog(FontTable& doc, const Layout& layout, QWidget* parent);

private:
  void Okay();

  FontTable& doc_;
  std::vector<std::pair<QLineEdit*, std::string FontTable::*>> boxes_;
};

class frmNewLineValues : public ControlValueDialog {
  Q_OBJECT
public:
  explicit frmNewLineValues(FontTable& doc, QWidget* parent = nullptr);
};

class frmEndStringValues : public ControlValueDialog {
  Q_OBJECT
public:
  explicit frmEndStringValues(FontTable& doc, QWidget* parent = nullptr);
};

class frmSectionBreakValue : public ControlValueDialog {
  Q_OBJECT
public:
  explicit frmSectionBreakValue(FontTable& doc, QWidget* parent = nullptr);
};

class frmModifierValues : public ControlValueDialog {
  Q_OBJECT
public:
  explicit frmModifierValues(FontTable& doc, QWidget* parent = nullptr);
};

}  // namespace mojihyo::ui
