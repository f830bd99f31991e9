// Runs the window tests on Qt's offscreen platform, so they need no display.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>

#include "ui/fonts.h"

namespace {
// The offscreen platform warns about every window it cannot size for a
// window manager; that says nothing about the program.
QtMessageHandler standardHandler = nullptr;

void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QLatin1String("propagateSizeHints")) ||
      text.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
      text.contains(QLatin1String("does not support raise")))
    return;
  standardHandler(type, context, text);
}
}  // namespace

int main(int argc, char** argv) {
  // Test discovery runs this program outside CTest's environment; an empty
  // setting counts as none, as it does for Qt.
  if (const char* platform = std::getenv("QT_QPA_PLATFORM"); !platform || !*platform)
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Settings the editor remembers go to a folder of this run's own, never
  // to the user's.
  QTemporaryDir settings;
  ::setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
  standardHandler = qInstallMessageHandler(QuietMessages);
  QApplication app(argc, argv);
  mojihyo::ui::InstallFontSubstitutes();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
