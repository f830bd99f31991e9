// Starts a window and quits as soon as it is first shown on screen, then
// prints its peak memory. Built twice: with the editor's main window, and
// with an empty QMainWindow as the bare Qt baseline.

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <sys/resource.h>

#ifdef PROBE_EDITOR
#include "ui/app_style.h"
#include "ui/fonts.h"
#include "ui/frm_main.h"
#endif

namespace {

// Notes the time of the first paint of the widget it watches.
class FirstPaint : public QObject {
public:
  FirstPaint(const QElapsedTimer& clock, qint64& at) : clock_(clock), at_(at) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && at_ < 0) at_ = clock_.nsecsElapsed();
    return false;
  }

private:
  const QElapsedTimer& clock_;
  qint64& at_;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef PROBE_EDITOR
  mojihyo::ui::FontConfigWarmUp fonts;
#endif
  QApplication app(argc, argv);
#ifdef PROBE_EDITOR
  fonts.Wait();
  mojihyo::ui::UseAppStyle();
  mojihyo::ui::InstallFontSubstitutes();
  fonts.ReadFontListAside();
  mojihyo::ui::frmMain window;
  fonts.Wait();
#else
  QMainWindow window;
  window.resize(560, 440);
#endif
  window.show();
  // With an argument, the editor's probe waits for its cells too (they are
  // made after the first paint of the grid) and prints, in ms after show(),
  // when the grid was first painted and when the cells were all made.
  const bool untilCells = argc > 1;
  QElapsedTimer clock;
  clock.start();
  qint64 paintedAt = -1, cellsAt = -1;
  FirstPaint painted(clock, paintedAt);
  if (QWidget* grid = window.findChild<QWidget*>(QStringLiteral("GridArea")))
    grid->installEventFilter(&painted);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!untilCells) {
      if (window.windowHandle() && window.windowHandle()->isExposed()) QApplication::quit();
      return;
    }
    if (cellsAt < 0 && window.findChildren<QLineEdit*>().size() >= 256) cellsAt = clock.nsecsElapsed();
    if (paintedAt >= 0 && cellsAt >= 0) QApplication::quit();
  });
  poll.start(0);
  QApplication::exec();
  if (untilCells) {
    std::printf("%.1f %.1f\n", paintedAt / 1e6, cellsAt / 1e6);
    return 0;
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%ld\n", usage.ru_maxrss);  // KiB
  return 0;
}
