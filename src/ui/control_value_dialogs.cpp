#include "ui/control_value_dialogs.h"

#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/hex_key_filter.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mojihyo::ui {

ControlValueDialog::ControlValueDialog(FontTable& doc, ByteText text, const Layout& design,
                                       QWidget* parent)
    : QDialog(parent), doc_(doc), text_(text) {
  setObjectName(QString::fromLatin1(design.objectName));
  setWindowTitle(QString::fromLatin1(design.title));
  auto* layout = new QVBoxLayout(this);
  QLabel* above = nullptr;
  auto addLabel = [&](QWidget* parent, QBoxLayout* to, const Text& l) {
    above = MakeLabel(parent, l.name, QString::fromLatin1(l.text));
    to->addWidget(above);
  };
  for (const Text& l : design.labelsBefore) addLabel(this, layout, l);
  for (const Box& b : design.boxes) {
    QLineEdit* box = MakeBox(this, b.name, b.maxLength, above);
    InstallHexKeyFilter(box);
    layout->addWidget(box);
    fields_.push_back({box, b.field, {}});
    for (const Text& l : b.labelsAfter) addLabel(this, layout, l);
  }
  RefreshFromTable();

  auto* okay = MakeButton(this, "Command1", QStringLiteral("Okay"));
  okay->setDefault(true);
  auto* cancel = MakeButton(this, "Command2", QStringLiteral("Cancel"));
  connect(okay, &QPushButton::clicked, this, &ControlValueDialog::Okay);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  AddButtonRow(layout, {okay, cancel});

  auto* notes = new QGroupBox(QStringLiteral("Notes"), this);
  notes->setObjectName(QStringLiteral("Frame1"));
  auto* notesLayout = new QVBoxLayout(notes);
  for (const Text& l : design.notes) addLabel(notes, notesLayout, l);
  layout->addWidget(notes);
  setFixedWidth(380);
}

void ControlValueDialog::Okay() {
  const auto store = [this] {
    for (Field& f : fields_) doc_.*f.field = text_.BytesOfBox(f.box->text(), f.shownFrom);
    // Okay marks the table changed even when nothing was altered.
    doc_.TableChanged = true;
  };
  if (recorder_)
    recorder_(windowTitle(), StepCovers::Table, store);
  else
    store();
  for (Field& f : fields_) f.shownFrom = doc_.*f.field;
  accept();
}

bool ControlValueDialog::HasPendingEdits() const {
  for (const Field& f : fields_)
    if (f.box->text() != text_.ToDisplay(f.shownFrom)) return true;
  return false;
}

void ControlValueDialog::RefreshFromTable() {
  for (Field& f : fields_) {
    if (f.box->text() != text_.ToDisplay(f.shownFrom)) continue;  // typed in: the user's text stays
    f.shownFrom = doc_.*f.field;
    f.box->setText(text_.ToDisplay(f.shownFrom));
  }
}

frmNewLineValues::frmNewLineValues(FontTable& doc, ByteText text, QWidget* parent)
    : ControlValueDialog(
          doc, text,
          {.objectName = "frmNewLineValues",
           .title = "Line Break Values",
           .labelsBefore = {{"Label1", "A Line Break value indicates the end of one line of text, and "
                                       "the beginning of a new line."},
                            {"Label2", "Enter the Line Break value below (e.g., 01h):"}},
           .boxes = {{.name = "NewLineValue1",
                      .field = &FontTable::LineBreakValue1,
                      .maxLength = 3,
                      .labelsAfter = {{"Label3", "If the ROM you are editing uses more than one Line "
                                                 "Break value, you may enter a second value below:"}}},
                     {.name = "NewLineValue2", .field = &FontTable::LineBreakValue2, .maxLength = 3}},
           .notes = {{"Label4", "The Thingy documentation refers to Line Breaks as New Line values."},
                     {"Label5", "The Hexposure documentation doesn't specify whether two Line Break "
                                "values are supported, so only the first one will be saved in "
                                "Hexposure table files."}}},
          parent) {}

frmEndStringValues::frmEndStringValues(FontTable& doc, ByteText text, QWidget* parent)
    : ControlValueDialog(
          doc, text,
          {.objectName = "frmEndStringValues",
           .title = "String Break Values",
           .labelsBefore = {{"Label1", "A String Break value indicates the end of a text string."},
                            {"Label2", "Enter the String Break value below (e.g., 0):"}},
           .boxes = {{.name = "EndStringValue1",
                      .field = &FontTable::StringBreakValue1,
                      .maxLength = 3,
                      .labelsAfter = {{"Label3", "If the ROM you are editing uses more than one String "
                                                 "Break value, you may enter a second value below:"}}},
                     {.name = "EndStringValue2", .field = &FontTable::StringBreakValue2, .maxLength = 3}},
           .notes = {{"Label4", "The Thingy documentation refers to String Breaks as End String Values."},
                     {"Label6", "The Hexposure documentation does not specify whether two String "
                                "Break values are supported, so only the first will be saved in "
                                "Hexposure table files."}}},
          parent) {}

frmSectionBreakValue::frmSectionBreakValue(FontTable& doc, ByteText text, QWidget* parent)
    : ControlValueDialog(
          doc, text,
          {.objectName = "frmSectionBreakValue",
           .title = "Section Break Value",
           .labelsBefore = {{"Label1", "The Section Break value is used to represent the end of a "
                                       "section of text (like a paragraph) in a string, but not the "
                                       "end of the string itself."},
                            {"Label2", "Enter the Section Break value below (e.g., 02h):"}},
           .boxes = {{.name = "SectionBreakValue", .field = &FontTable::SectionBreakValue, .maxLength = 0}},
           .notes = {{"Label3", "The Section Break value is only supported by Hexposure.  It will not "
                                "be saved in Thingy table files."}}},
          parent) {}

frmModifierValues::frmModifierValues(FontTable& doc, ByteText text, QWidget* parent)
    : ControlValueDialog(
          doc, text,
          {.objectName = "frmModifierValues",
           .title = "Dakuten/Handakuten Values",
           .labelsBefore = {{"Label1", "These are the values that represent the dakuten/handakuten "
                                       "symbols."},
                            {"Label2", "Enter the dakuten value below (e.g., 01h):"}},
           .boxes = {{.name = "DakutenValue",
                      .field = &FontTable::DakutenValue,
                      .maxLength = 3,
                      .labelsAfter = {{"Label3", "Enter the handakuten value below:"}}},
                     {.name = "HandakutenValue", .field = &FontTable::HandakutenValue, .maxLength = 3}},
           .notes = {{"Label4", "Only Thingy supports these values.  They will not be saved Hexposure "
                                "table files."}}},
          parent) {}

}  // namespace mojihyo::ui
