#include "ui/hex_key_filter.h"

#include "core/hex_notation.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace mojihyo::ui {

bool HexKeyFilterObject::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
      return false;
    default:
      break;
  }
  const QString typed = key->text();
  if (typed.isEmpty()) return false;
  const std::string allowed = watched->property("tag").toString().toStdString();
  for (QChar c : typed) {
    if (!HexKeyFilter(allowed, c.unicode())) return true;  // discarded: the box does not change
  }
  return false;
}

void InstallHexKeyFilter(QLineEdit* box) {
  box->setProperty("tag", QString::fromLatin1(kHexAllowedChars.data(),
                                              static_cast<qsizetype>(kHexAllowedChars.size())));
  static auto* filter = new HexKeyFilterObject();
  box->installEventFilter(filter);
}

}  // namespace mojihyo::ui
