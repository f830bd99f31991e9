// Starts a window and quits as soon as it is first shown on screen, then
// prints its peak memory. Built twice: with the editor's main window, and
// with an empty QMainWindow as the bare Qt baseline.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <sys/resource.h>

#ifdef PROBE_EDITOR
#include "ui/fonts.h"
#include "ui/frm_main.h"
#endif

int main(int argc, char** argv) {
#ifdef PROBE_EDITOR
  mojihyo::ui::FontConfigWarmUp fonts;
#endif
  QApplication app(argc, argv);
#ifdef PROBE_EDITOR
  fonts.Wait();
  mojihyo::ui::InstallFontSubstitutes();
  mojihyo::ui::frmMain window;
#else
  QMainWindow window;
  window.resize(560, 440);
#endif
  window.show();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (window.windowHandle() && window.windowHandle()->isExposed()) QApplication::quit();
  });
  poll.start(0);
  QApplication::exec();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%ld\n", usage.ru_maxrss);  // KiB
  return 0;
}
