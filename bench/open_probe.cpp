// Opens one table in the editor, offscreen, and prints how long the open
// took (from the window's construction to its first showing, after an empty
// window was built and shown once so that fonts and styles are warm) and the
// process's peak memory. Called by bench/stress.sh.
//
//   open_probe T|H|M FILE   ->   "<milliseconds> <CPU milliseconds> <peak KiB>"
//
// The CPU time (user and system, of the whole process, warm-up included)
// tells the work apart from waiting on a machine that is busy elsewhere.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <memory>
#include <sys/resource.h>

#include "ui/fonts.h"
#include "ui/frm_main.h"

namespace {

void ShowUntilExposed(QWidget& window) {
  window.show();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (window.windowHandle() && window.windowHandle()->isExposed()) QApplication::quit();
  });
  poll.start(0);
  QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: open_probe T|H|M FILE\n");
    return 2;
  }
  QApplication app(argc, argv);
  mojihyo::ui::InstallFontSubstitutes();
  {
    mojihyo::ui::frmMain warm;
    ShowUntilExposed(warm);
  }
  const QString kind = QString::fromLocal8Bit(argv[1]);
  const QString path = QString::fromLocal8Bit(argv[2]);
  const QString commandLine = kind == QLatin1String("M") ? path : kind + QLatin1Char(' ') + path;
  QElapsedTimer timer;
  timer.start();
  auto window = std::make_unique<mojihyo::ui::frmMain>(commandLine);
  ShowUntilExposed(*window);
  const qint64 ms = timer.elapsed();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const long cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
  std::printf("%lld %ld %ld\n", static_cast<long long>(ms), cpuMs, usage.ru_maxrss);
  return 0;
}
