#include "ui/control_value_dialogs.h"

#include "ui/byte_text.h"
#include "ui/dialog_parts.h"
#include "ui/hex_key_filter.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace mojihyo::ui {

namespace {
QLabel* MakeLabel(QWidget* parent, const std::pair<const char*, const char*>& design) {
  auto* label = new QLabel(QString::fromLatin1(design.second), parent);
  label->setObjectName(QString::fromLatin1(design.first));
  label->setWordWrap(true);
  return label;
}
}  // namespace

ControlValueDialog::ControlValueDialog(FontTable& doc, const Layout& design, QWidget* parent)
    : QDialog(parent), doc_(doc) {
  setObjectName(QString::fromLatin1(design.objectName));
  setWindowTitle(QString::fromLatin1(design.title));
  auto* layout = new QVBoxLayout(this);
  for (const auto& l : design.labelsBefore) layout->addWidget(MakeLabel(this, l));
  for (std::size_t k = 0; k < design.boxes.size(); ++k) {
    const Box& b = design.boxes[k];
    auto* box = new QLineEdit(ToDisplay(doc_.*(b.field)), this);
    box->setObjectName(QString::fromLatin1(b.name));
    box->setMaxLength(b.maxLength > 0 ? b.maxLength : std::numeric_limits<int>::max());
    InstallHexKeyFilter(box);
    layout->addWidget(box);
    boxes_.emplace_back(box, b.field);
    if (k < design.labelsAfterBox.size())
      for (const auto& l : design.labelsAfterBox[k]) layout->addWidget(MakeLabel(this, l));
  }

  auto* okay = new QPushButton(QStringLiteral("Okay"), this);
  okay->setObjectName(QStringLiteral("Command1"));
  okay->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("Command2"));
  connect(okay, &QPushButton::clicked, this, &ControlValueDialog::Okay);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  AddButtonRow(layout, {okay, cancel});

  auto* notes = new QGroupBox(QStringLiteral("Notes"), this);
  notes->setObjectName(QStringLiteral("Frame1"));
  auto* notesLayout = new QVBoxLayout(notes);
  for (const auto& l : design.notes) notesLayout->addWidget(MakeLabel(notes, l));
  layout->addWidget(notes);
  setFixedWidth(380);
}

void ControlValueDialog::Okay() {
  for (const auto& [box, field] : boxes_) doc_.*field = BytesOfBox(box->text(), doc_.*field);
  // Okay marks the table changed even when nothing was altered.
  doc_.TableChanged = true;
  accept();
}

frmNewLineValues::frmNewLineValues(FontTable& doc, QWidget* parent)
    : ControlValueDialog(
          doc,
          {"frmNewLineValues",
           "Line Break Values",
           {{"Label1", "A Line Break value indicates the end of one line of text, and the "
                       "beginning of a new line."},
            {"Label2", "Enter the Line Break value below (e.g., 01h):"}},
           {{"NewLineValue1", &FontTable::LineBreakValue1, 3},
            {"NewLineValue2", &FontTable::LineBreakValue2, 3}},
           {{{"Label3", "If the ROM you are editing uses more than one Line Break value, you may "
                        "enter a second value below:"}}},
           {{"Label4", "The Thingy documentation refers to Line Breaks as New Line values."},
            {"Label5", "The Hexposure documentation doesn't specify whether two Line Break values "
                       "are supported, so only the first one will be saved in Hexposure table "
                       "files."}}},
          parent) {}

frmEndStringValues::frmEndStringValues(FontTable& doc, QWidget* parent)
    : ControlValueDialog(
          doc,
          {"frmEndStringValues",
           "String Break Values",
           {{"Label1", "A String Break value indicates the end of a text string."},
            {"Label2", "Enter the String Break value below (e.g., 0):"}},
           {{"EndStringValue1", &FontTable::StringBreakValue1, 3},
            {"EndStringValue2", &FontTable::StringBreakValue2, 3}},
           {{{"Label3", "If the ROM you are editing uses more than one String Break value, you "
                        "may enter a second value below:"}}},
           {{"Label4", "The Thingy documentation refers to String Breaks as End String Values."},
            {"Label6", "The Hexposure documentation does not specify whether two String Break "
                       "values are supported, so only the first will be saved in Hexposure table "
                       "files."}}},
          parent) {}

frmSectionBreakValue::frmSectionBreakValue(FontTable& doc, QWidget* parent)
    : ControlValueDialog(
          doc,
          {"frmSectionBreakValue",
           "Section Break Value",
           {{"Label1", "The Section Break value is used to represent the end of a section of text "
                       "(like a paragraph) in a string, but not the end of the string itself."},
            {"Label2", "Enter the Section Break value below (e.g., 02h):"}},
           {{"SectionBreakValue", &FontTable::SectionBreakValue, 0}},
           {},
           {{"Label3", "The Section Break value is only supported by Hexposure.  It will not be "
                       "saved in Thingy table files."}}},
          parent) {}

frmModifierValues::frmModifierValues(FontTable& doc, QWidget* parent)
    : ControlValueDialog(
          doc,
          {"frmModifierValues",
           "Dakuten/Handakuten Values",
           {{"Label1", "These are the values that represent the dakuten/handakuten symbols."},
            {"Label2", "Enter the dakuten value below (e.g., 01h):"}},
           {{"DakutenValue", &FontTable::DakutenValue, 3},
            {"HandakutenValue", &FontTable::HandakutenValue, 3}},
           {{{"Label3", "Enter the handakuten value below:"}}},
           {{"Label4", "Only Thingy supports these values.  They will not be saved Hexposure table "
                       "files."}}},
          parent) {}

}  // namespace mojihyo::ui
