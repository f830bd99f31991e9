// One keystroke in the find bar of the editor holding 65,536 16-bit
// entries: the typed text turned into bytes, every entry searched, the
// status bar's count shown. And F3 in a cell, which opens the 16-bit entry
// list when the next match is there; that case is measured with the list
// closed by the prompter as soon as it is shown.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "ui/frm_main.h"
#include "ui/prompts.h"
#include "ui/table_cell.h"

namespace {

using mojihyo::ui::frmMain;

// Answers nothing and shows no dialog, so that no benchmark waits on one.
class SilentPrompter : public mojihyo::ui::Prompter {
public:
  QMessageBox::StandardButton Message(QWidget*, const mojihyo::ui::MessageRequest&) override {
    return QMessageBox::No;
  }
  mojihyo::ui::ChosenFile OpenFile(QWidget*, const mojihyo::ui::FileRequest&) override { return {}; }
  mojihyo::ui::ChosenFile SaveFile(QWidget*, const mojihyo::ui::FileRequest&) override { return {}; }
  int RunModal(QDialog&) override { return 0; }
};

// The window lives until main() lets it go, before the application object
// it needs is destroyed.
std::unique_ptr<frmMain>& WindowHolder() {
  static std::unique_ptr<frmMain> window;
  return window;
}

frmMain& Window() {
  std::unique_ptr<frmMain>& window = WindowHolder();
  if (!window) window = [] {
    auto w = std::make_unique<frmMain>();
    char line[48];
    for (int i = 0; i < mojihyo::kEntryCount; ++i) {
      std::snprintf(line, sizeof line, "\xA4%c", 0xA1 + i % 83);
      mojihyo::SetEntryText(w->doc(), i, line);
    }
    for (int n = 0; n < 65536; ++n) {
      std::snprintf(line, sizeof line, "%04X=\xA4%c\xA4%cValue %d", n, 0xA1 + n % 83, 0xA1 + n / 83 % 83, n);
      w->doc().SixteenBitEntries.push_back(line);
    }
    w->show();
    w->findChild<QAction*>("EditFind")->trigger();
    QApplication::processEvents();
    return w;
  }();
  return *window;
}

// One character typed and taken back: two keystrokes, each searching the
// whole table. `text` is what the box holds before them.
void TypeAndTakeBack(benchmark::State& state, const QString& text, QChar typed) {
  auto* box = Window().findChild<QLineEdit*>("FindText");
  box->setText(text);
  for (auto _ : state) {
    QTest::keyClick(box, typed.toLatin1() ? typed.toLatin1() : 'x');
    QTest::keyClick(box, Qt::Key_Backspace);
  }
  state.SetItemsProcessed(2 * state.iterations());
  state.SetLabel(Window().findChild<QLabel*>("lblFindResult")->text().toStdString());
}

// Typing "Value 1" one key further: thousands of matches.
void BM_KeystrokeManyMatches(benchmark::State& state) { TypeAndTakeBack(state, "Value ", '1'); }
BENCHMARK(BM_KeystrokeManyMatches)->Unit(benchmark::kMillisecond);

// A text no entry holds: every entry is read to its end.
void BM_KeystrokeNoMatch(benchmark::State& state) { TypeAndTakeBack(state, "Valuz", 'q'); }
BENCHMARK(BM_KeystrokeNoMatch)->Unit(benchmark::kMillisecond);

// After a kana, whose first byte A4 starts nearly every character of the
// table: the slowest needle for a byte search.
void BM_KeystrokeAfterKana(benchmark::State& state) { TypeAndTakeBack(state, QString::fromUtf8("あ"), 'x'); }
BENCHMARK(BM_KeystrokeAfterKana)->Unit(benchmark::kMillisecond);

// F3 from a cell to the next match, which is far down the 16-bit list.
void BM_FindNextKey(benchmark::State& state) {
  auto* box = Window().findChild<QLineEdit*>("FindText");
  box->setText("Value 6553");
  for (auto _ : state) {
    Window().cell(0)->setFocus();
    QTest::keyClick(Window().cell(0), Qt::Key_F3);
  }
}
BENCHMARK(BM_FindNextKey)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  mojihyo::ui::InstallPrompter(std::make_unique<SilentPrompter>());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  WindowHolder().reset();
  return 0;
}
