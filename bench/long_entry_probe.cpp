// Opens the window for a 50 MB entry, offscreen, takes its bytes back as OK
// would, and prints the times and the process's peak memory. Called by
// bench/stress.sh.
//
//   long_entry_probe   ->   "<open ms> <bytes ms> <peak KiB>"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <string>
#include <sys/resource.h>

#include "ui/frm_long_entry.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::string entry(50000000, ' ');
  for (std::size_t i = 0; i < entry.size(); ++i) entry[i] = static_cast<char>('A' + i % 26);
  QElapsedTimer timer;
  timer.start();
  mojihyo::ui::frmLongEntry window(0x41, entry, mojihyo::ui::ByteText());
  window.show();
  QApplication::processEvents();
  const qint64 opened = timer.restart();
  const bool same = window.bytes() == entry;
  const qint64 taken = timer.elapsed();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%lld %lld %ld\n", static_cast<long long>(opened), static_cast<long long>(taken),
              usage.ru_maxrss);
  return same ? 0 : 1;
}
