// What the undo history costs in memory, in the editor's own window:
//
// - TenThousandTypingSteps: ten thousand cell visits, each selecting the
//   cell's text and typing three characters over it (one step a visit).
// - HundredReimports: a script of 65,536 lines imported into the 16-bit
//   entries from 0000h with Overwrite, then imported again a hundred times
//   as it is revised, one line in a hundred changed each time at random
//   places; each import is accepted as the entry dialog accepts it.
// - HundredNewImports: the worst case, a hundred imports of 65,536 values
//   none of which was there before; the history's budget holds it.
//
// Each reports how much the heap in use and the peak resident size grew,
// and fails when either grew by more than 100 MB.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <malloc.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "entries16/import_values.h"
#include "ui/frm_main.h"
#include "ui/table_cell.h"

namespace {

using mojihyo::ImportItem;
using mojihyo::StepCovers;
using mojihyo::ui::frmMain;

constexpr double kLimitMb = 100;
constexpr double kMb = 1024.0 * 1024.0;

double HeapInUseMb() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd) / kMb;
}

// A figure of /proc/self/status ("VmRSS", "VmHWM") in MB.
double StatusMb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024.0;
  return 0;
}

// Measures from construction to Report(). The peak resident size is reset
// first, so an earlier benchmark's peak does not hide this one's.
class Growth {
public:
  Growth() {
    std::ofstream("/proc/self/clear_refs") << "5";
    heap_ = HeapInUseMb();
    rss_ = StatusMb("VmRSS");
  }
  void Report(benchmark::State& state, frmMain& window) const {
    const double heap = HeapInUseMb() - heap_, rss = StatusMb("VmHWM") - rss_;
    state.counters["heap_growth_MB"] = heap;
    state.counters["peak_rss_growth_MB"] = rss;
    state.counters["history_MB"] = static_cast<double>(window.history().HeldBytes()) / kMb;
    state.counters["steps"] = window.history().StepCount();
    state.counters["whole_steps"] = window.history().WholeSteps();
    if (heap > kLimitMb || rss > kLimitMb) {
      static std::string error;
      error = "grew by more than 100 MB: heap " + std::to_string(heap) + " MB, peak resident size " +
              std::to_string(rss) + " MB";
      state.SkipWithError(error.c_str());
    }
  }

private:
  double heap_, rss_;
};

std::unique_ptr<frmMain> ShownWindow() {
  auto window = std::make_unique<frmMain>();
  window->show();
  QApplication::setActiveWindow(window.get());
  if (!QTest::qWaitForWindowActive(window.get())) std::abort();
  return window;
}

void BM_TenThousandTypingSteps(benchmark::State& state) {
  for (auto _ : state) {
    auto window = ShownWindow();
    const Growth growth;
    for (int visit = 0; visit < 10000; ++visit) {
      mojihyo::ui::TableCell* cell = window->cell(visit % mojihyo::kEntryCount);
      QTest::mouseClick(cell, Qt::LeftButton);
      QTest::keyClick(cell, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(cell, QString::number(visit % 1000).rightJustified(3, QLatin1Char('0')));
    }
    growth.Report(state, *window);
  }
}
BENCHMARK(BM_TenThousandTypingSteps)->Iterations(1)->Unit(benchmark::kSecond);

// A line of a script dump, about as long as a line of game dialogue.
std::string ScriptLine(int line, int revision) {
  return "Line " + std::to_string(line) + " of the script, revision " + std::to_string(revision);
}

// One import as the entry dialog makes it: numbered into the dialog's copy
// of the list, which "Okaly-Dokaly" puts back as one step.
void Import(frmMain& window, const std::vector<ImportItem>& items) {
  mojihyo::FontTable& doc = window.doc();
  mojihyo::LineList lines = doc.SixteenBitEntries;
  mojihyo::PlaceImportedValues(lines, items, 0, mojihyo::CollisionPolicy::Overwrite);
  window.RecordStep(QStringLiteral("Import into 16-bit Entries"), StepCovers::TableAndSixteenBitEntries,
                    [&] {
                      doc.SixteenBitEntries = std::move(lines);
                      doc.TableChanged = true;
                    });
}

void BM_HundredImports(benchmark::State& state) {
  const bool revised = state.range(0) == 1;
  for (auto _ : state) {
    auto window = ShownWindow();
    std::mt19937 random(65536);
    std::vector<ImportItem> items;
    for (int n = 0; n < 65536; ++n) items.push_back({ScriptLine(n, 0), true});
    const Growth growth;
    Import(*window, items);
    for (int revision = 1; revision <= 100; ++revision) {
      for (int n = 0; n < 65536; ++n)
        if (!revised || random() % 100 == 0) items[static_cast<std::size_t>(n)].value = ScriptLine(n, revision);
      Import(*window, items);
    }
    growth.Report(state, *window);
  }
  state.SetLabel(revised ? "one line in a hundred revised" : "every line new");
}
BENCHMARK(BM_HundredImports)->Name("HundredReimports")->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_HundredImports)->Name("HundredNewImports")->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
