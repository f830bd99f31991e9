// Reading and writing a large MoJiHyo table, next to merely splitting the
// same bytes into lines and joining the same lines: the readers and writers
// should cost no more than a few times the bare line handling.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/hex_notation.h"
#include "core/lines.h"
#include "formats/mojihyo_table.h"
#include "formats/table_format.h"

namespace mojihyo {
namespace {

// All 256 entries, 65,536 16-bit entries and 2,000 bookmark lines: about
// 1.5 MB as a file.
const FontTable& LargeTable() {
  static const FontTable table = [] {
    FontTable t;
    for (int i = 0; i < kEntryCount; ++i) SetEntryText(t, i, "\xA4\xA2" + HexByte(i) + "x");
    t.LineBreakValue1 = "0Dh";
    t.LineBreakValue2 = "0Ah";
    t.StringBreakValue1 = "FFh";
    t.SectionBreakValue = "FEh";
    t.DakutenValue = "DEh";
    t.HandakutenValue = "DFh";
    t.SixteenBitEntries.reserve(65536, 65536 * 24);
    char number[8];
    for (int n = 0; n < 65536; ++n) {
      std::snprintf(number, sizeof number, "%04X", n);
      t.SixteenBitEntries.push_back(std::string(number) + "=Value number " + number);
    }
    t.BookmarkLines.clear();
    for (int b = 0; b < 2000; ++b) t.BookmarkLines.push_back("(" + std::to_string(b) + "000-FFFF) Bookmark");
    for (int i = 0; i < kEntryCount; i += 3) SetEntryLocked(t, i, true);
    return t;
  }();
  return table;
}

const std::string& LargeFile() {
  static const std::string bytes = SaveTableBytes(TableFormat::MoJiHyo, LargeTable());
  return bytes;
}

void BM_SplitLines(benchmark::State& state) {
  const std::string& bytes = LargeFile();
  for (auto _ : state) benchmark::DoNotOptimize(SplitLines(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_SplitLines)->Unit(benchmark::kMicrosecond);

void BM_ReadMoJiHyoTable(benchmark::State& state) {
  const std::string& bytes = LargeFile();
  for (auto _ : state) {
    FontTable t;
    LoadTableBytes(TableFormat::MoJiHyo, bytes, t);
    benchmark::DoNotOptimize(t);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadMoJiHyoTable)->Unit(benchmark::kMicrosecond);

void BM_JoinLines(benchmark::State& state) {
  const auto lines = WriteMoJiHyoTable(LargeTable());
  for (auto _ : state) benchmark::DoNotOptimize(JoinLines(lines));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(LargeFile().size()));
}
BENCHMARK(BM_JoinLines)->Unit(benchmark::kMicrosecond);

void BM_WriteMoJiHyoTable(benchmark::State& state) {
  const FontTable& t = LargeTable();
  for (auto _ : state) benchmark::DoNotOptimize(SaveTableBytes(TableFormat::MoJiHyo, t));
  state.counters["file_bytes"] = static_cast<double>(LargeFile().size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(LargeFile().size()));
}
BENCHMARK(BM_WriteMoJiHyoTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mojihyo

#include "steady_memory_main.h"
