#include "ui/hex_key_filter.h"

#include "core/hex_notation.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace mojihyo::ui {

namespace {

std::string AllowedOf(const QObject* box) { return box->property("tag").toString().toStdString(); }

// An input method commits whole strings rather than key presses; the box
// takes only the allowed characters of what it commits.
bool FilterCommit(QObject* box, const QInputMethodEvent& e) {
  const std::string allowed = AllowedOf(box);
  QString kept;
  for (QChar c : e.commitString())
    if (HexKeyFilter(allowed, c.unicode())) kept += c;
  if (kept == e.commitString()) return false;
  QInputMethodEvent filtered(e.preeditString(), e.attributes());
  filtered.setCommitString(kept, e.replacementStart(), e.replacementLength());
  QCoreApplication::sendEvent(box, &filtered);
  return true;
}

}  // namespace

bool HexKeyFilterObject::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::InputMethod)
    return FilterCommit(watched, *static_cast<QInputMethodEvent*>(event));
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
  const std::string allowed = AllowedOf(watched);
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
