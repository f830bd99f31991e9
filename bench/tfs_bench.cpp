// Reading and writing a large TFS table (65,536 two-byte and 256 one-byte
// entries, comments, two logical tables: about 1.5 MB), next to merely
// splitting its bytes into lines and joining them again. A TFS table keeps
// every line, so the reading and the writing should cost no more than a few
// times the bare line handling.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/lines.h"
#include "formats/table_format.h"
#include "tfs/tfs_document.h"
#include "tfs_table_sample.h"

namespace mojihyo {
namespace {

const std::string& LargeFile() {
  static const std::string bytes = SampleTfsTable(1);
  return bytes;
}

void BM_SplitTfsLines(benchmark::State& state) {
  const std::string& bytes = LargeFile();
  for (auto _ : state) benchmark::DoNotOptimize(SplitLines(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_SplitTfsLines)->Unit(benchmark::kMicrosecond);

// The document takes the file's own buffer, as an open hands it over; the
// copy made for each round is not timed.
void BM_ReadTfsDocument(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::string bytes = LargeFile();
    state.ResumeTiming();
    TfsDocument doc(std::move(bytes));
    benchmark::DoNotOptimize(doc);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(LargeFile().size()));
}
BENCHMARK(BM_ReadTfsDocument)->Unit(benchmark::kMicrosecond);

// A whole open: the document, and the first logical table in the fields.
void BM_ReadTfsTable(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::string bytes = LargeFile();
    FontTable t;
    state.ResumeTiming();
    LoadOwnedTableBytes(TableFormat::Tfs, std::move(bytes), t);
    benchmark::DoNotOptimize(t);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(LargeFile().size()));
}
BENCHMARK(BM_ReadTfsTable)->Unit(benchmark::kMicrosecond);

void BM_JoinTfsLines(benchmark::State& state) {
  const std::vector<std::string_view> views = SplitLines(LargeFile());
  LineList lines;
  for (std::string_view line : views) lines.push_back(line);
  for (auto _ : state) benchmark::DoNotOptimize(JoinLines(lines));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(LargeFile().size()));
}
BENCHMARK(BM_JoinTfsLines)->Unit(benchmark::kMicrosecond);

// A save of the opened table: the fields compared with the document, then
// the file written.
void BM_WriteTfsTable(benchmark::State& state) {
  FontTable t;
  LoadTableBytes(TableFormat::Tfs, LargeFile(), t);
  for (auto _ : state) benchmark::DoNotOptimize(SaveTableBytes(TableFormat::Tfs, t));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(LargeFile().size()));
}
BENCHMARK(BM_WriteTfsTable)->Unit(benchmark::kMicrosecond);

// The same with one entry and one 16-bit entry changed.
void BM_WriteEditedTfsTable(benchmark::State& state) {
  FontTable t;
  LoadTableBytes(TableFormat::Tfs, LargeFile(), t);
  SetEntryText(t, 0x41, "edited");
  t.SixteenBitEntries.set(30000, "7530=edited");
  for (auto _ : state) benchmark::DoNotOptimize(SaveTableBytes(TableFormat::Tfs, t));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(LargeFile().size()));
}
BENCHMARK(BM_WriteEditedTfsTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mojihyo

#include "steady_memory_main.h"
