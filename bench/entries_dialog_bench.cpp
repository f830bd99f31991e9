// The 16-bit entry dialog with 65,536 entries: opening it (built, shown and
// painted), accepting it, and moving one line.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>

#include "ui/entry_list_model.h"
#include "ui/frm_16bit_entries.h"

namespace {

mojihyo::FontTable& BigTable() {
  static mojihyo::FontTable table = [] {
    mojihyo::FontTable t;
    char line[32];
    for (int n = 0; n < 65536; ++n) {
      std::snprintf(line, sizeof line, "%04X=Value %d", n, n);
      t.SixteenBitEntries.push_back(line);
    }
    return t;
  }();
  return table;
}

void BM_OpenEntriesDialog(benchmark::State& state) {
  for (auto _ : state) {
    mojihyo::ui::frm16bitEntries dialog(BigTable(), mojihyo::ui::ByteText());
    dialog.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(dialog.entries().rowCount());
  }
}
BENCHMARK(BM_OpenEntriesDialog)->Unit(benchmark::kMillisecond);

void BM_AcceptEntriesDialog(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto* dialog = new mojihyo::ui::frm16bitEntries(BigTable(), mojihyo::ui::ByteText());
    dialog->show();
    QApplication::processEvents();
    state.ResumeTiming();
    dialog->findChild<QPushButton*>("btnSave")->click();
    state.PauseTiming();
    delete dialog;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AcceptEntriesDialog)->Unit(benchmark::kMillisecond);

void BM_MoveLineInEntriesDialog(benchmark::State& state) {
  mojihyo::ui::frm16bitEntries dialog(BigTable(), mojihyo::ui::ByteText());
  dialog.show();
  QApplication::processEvents();
  dialog.selectRow(30000);
  auto* down = dialog.findChild<QPushButton*>("btnMoveEntryDown");
  auto* up = dialog.findChild<QPushButton*>("btnMoveEntryUp");
  for (auto _ : state) {
    down->click();
    up->click();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_MoveLineInEntriesDialog)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
