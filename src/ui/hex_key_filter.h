#pragma once

#include <QObject>

class QLineEdit;

namespace mojihyo::ui {

// Restricts what can be typed into a value box to the characters of its
// allowed list (held as the box's "tag" property), Backspace and the full
// stop. Typed characters are filtered, from key presses and from what an
// input method commits; keys that type nothing, and the keys that move
// between controls or close a dialog, pass.
class HexKeyFilterObject : public QObject {
  Q_OBJECT

public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Gives `box` the allowed characters of the value boxes and the filter.
void InstallHexKeyFilter(QLineEdit* box);

}  // namespace mojihyo::ui
