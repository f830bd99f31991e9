#include "ui/fonts.h"

#include "ui/frm_main.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("MoJiHyo"));
  QApplication::setApplicationVersion(QStringLiteral(MOJIHYO_VERSION));
  // Ties the window to the installed menu entry and icon, so that docks and
  // task bars show it under its own name and picture.
  QApplication::setDesktopFileName(QStringLiteral(MOJIHYO_APP_ID));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(MOJIHYO_APP_ID)));
  mojihyo::ui::InstallFontSubstitutes();
  // The whole argument text, as one line: Qt has taken its own options out.
  QStringList args = QApplication::arguments();
  args.removeFirst();
  mojihyo::ui::frmMain window(mojihyo::ui::frmMain::CommandLineText(args));
  window.show();
  return QApplication::exec();
}
