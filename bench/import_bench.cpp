// Numbering 100,000 imported values into a list of 65,536 entries under each
// collision policy, next to merely appending the same lines; and reading a
// 20 MB script dump.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "entries16/entry_line.h"
#include "entries16/import_values.h"

namespace mojihyo {
namespace {

const LineList& Existing() {
  static const LineList lines = [] {
    LineList l;
    char line[32];
    for (int n = 0; n < 65536; ++n) {
      std::snprintf(line, sizeof line, "%04X=Old value %d", n, n);
      l.push_back(line);
    }
    return l;
  }();
  return lines;
}

const std::vector<ImportItem>& Items() {
  static const std::vector<ImportItem> items = [] {
    std::vector<ImportItem> v;
    for (int i = 0; i < 100000; ++i) v.push_back({"Imported line number " + std::to_string(i), i % 7 != 3});
    return v;
  }();
  return items;
}

void BM_AppendSameLines(benchmark::State& state) {
  for (auto _ : state) {
    LineList lines = Existing();
    std::uint32_t n = 0x100;
    for (const ImportItem& item : Items()) {
      if (!item.selected) continue;
      lines.push_back_joined({EntryNumberText(std::min<std::uint32_t>(n++, 0xFFFF)), "=", item.value});
    }
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_AppendSameLines)->Unit(benchmark::kMillisecond);

void BM_PlaceImportedValues(benchmark::State& state) {
  const auto policy = static_cast<CollisionPolicy>(state.range(0));
  for (auto _ : state) {
    LineList lines = Existing();
    PlaceImportedValues(lines, Items(), 0x100, policy);
    benchmark::DoNotOptimize(lines);
  }
  state.SetLabel(policy == CollisionPolicy::Overwrite ? "Overwrite"
                 : policy == CollisionPolicy::Skip    ? "Skip"
                                                      : "KeepBoth");
}
BENCHMARK(BM_PlaceImportedValues)
    ->Arg(static_cast<int>(CollisionPolicy::Overwrite))
    ->Arg(static_cast<int>(CollisionPolicy::Skip))
    ->Arg(static_cast<int>(CollisionPolicy::KeepBoth))
    ->Unit(benchmark::kMillisecond);

void BM_ReadScriptDump20MB(benchmark::State& state) {
  static const std::string dump = [] {
    std::string d;
    for (int i = 0; d.size() < 20u << 20; ++i)
      d += "<$0A>Line " + std::to_string(i) + " of the dump, with some text in it.<END>\r\n";
    return d;
  }();
  for (auto _ : state) benchmark::DoNotOptimize(ReadImportValues(ImportSource::ScriptDump, dump));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(dump.size()));
}
BENCHMARK(BM_ReadScriptDump20MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mojihyo

#include "steady_memory_main.h"
