#include <QApplication>

#include "ui/fonts.h"
#include "ui/frm_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("MoJiHyo"));
  QApplication::setApplicationVersion(QStringLiteral(MOJIHYO_VERSION));
  mojihyo::ui::InstallFontSubstitutes();
  mojihyo::ui::frmMain window;
  window.show();
  return QApplication::exec();
}
