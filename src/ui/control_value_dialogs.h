#pragma once

// The four dialogs that show and set the control values. Each box edits one
// document field as text, exactly as typed; "Okay" stores every box and
// marks the table changed, "Cancel" and the close box store nothing.

#include "core/font_table.h"
#include "ui/byte_text.h"
#include "ui/table_history.h"

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;

namespace mojihyo::ui {

class ControlValueDialog : public QDialog {
  Q_OBJECT

public:
  // A label: its object name and its text.
  struct Text {
    const char* name;
    const char* text;
  };
  // One box, the field it edits, and the labels placed right after it.
  struct Box {
    const char* name;
    std::string FontTable::*field;
    int maxLength;  // typed characters; 0 for no limit
    std::vector<Text> labelsAfter = {};
  };
  // From the top: labels, boxes (each named by the label just above it),
  // then the notes.
  struct Layout {
    const char* objectName;
    const char* title;
    std::vector<Text> labelsBefore;
    std::vector<Box> boxes;
    std::vector<Text> notes;
  };

  ControlValueDialog(FontTable& doc, ByteText text, const Layout& layout, QWidget* parent);

  // "Okay" stores the boxes through this, as one step named after the
  // dialog; without it they are stored directly.
  void setStepRecorder(StepRecorder recorder) { recorder_ = std::move(recorder); }
  // Stores every box and marks the table changed, as "Okay" does.
  void Okay();
  // Whether the user typed in a box since it was filled from the table.
  bool HasPendingEdits() const;
  // Fills the boxes the user has not typed in from the table again, once
  // the table was replaced.
  void RefreshFromTable();

private:
  struct Field {
    QLineEdit* box;
    std::string FontTable::*field;
    std::string shownFrom;  // the bytes the box was filled from
  };

  FontTable& doc_;
  ByteText text_;
  std::vector<Field> fields_;
  StepRecorder recorder_;
};

class frmNewLineValues : public ControlValueDialog {
  Q_OBJECT
public:
  frmNewLineValues(FontTable& doc, ByteText text, QWidget* parent = nullptr);
};

class frmEndStringValues : public ControlValueDialog {
  Q_OBJECT
public:
  frmEndStringValues(FontTable& doc, ByteText text, QWidget* parent = nullptr);
};

class frmSectionBreakValue : public ControlValueDialog {
  Q_OBJECT
public:
  frmSectionBreakValue(FontTable& doc, ByteText text, QWidget* parent = nullptr);
};

class frmModifierValues : public ControlValueDialog {
  Q_OBJECT
public:
  frmModifierValues(FontTable& doc, ByteText text, QWidget* parent = nullptr);
};

}  // namespace mojihyo::ui
