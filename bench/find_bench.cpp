// Find over a table of 256 one-byte entries and 65,536 16-bit entries, as
// each keystroke in the find bar runs it: counting every match, and going
// to the next one (which counts them too). The texts are EUC-JP kana, as a
// Japanese game's table holds them; a needle that matches nothing costs the
// most, since every entry is read whole.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "entries16/entry_line.h"
#include "search/find_entries.h"

namespace mojihyo {
namespace {

std::string Kana(std::mt19937& random, int characters) {
  std::string text;
  for (int i = 0; i < characters; ++i) {
    text.push_back('\xA4');
    text.push_back(static_cast<char>(0xA1 + random() % 83));
  }
  return text;
}

const FontTable& BigTable() {
  static const FontTable table = [] {
    FontTable t;
    std::mt19937 random(22);
    for (int i = 0; i < kEntryCount; ++i) SetEntryText(t, i, Kana(random, 1));
    for (std::uint32_t n = 0; n < 65536; ++n)
      t.SixteenBitEntries.push_back(MakeEntryLine(EntryNumberText(n), Kana(random, 2 + static_cast<int>(random() % 8))));
    return t;
  }();
  return table;
}

// 0: matches nothing ("ZZ"); 1: one kana, found in about a tenth of the
// entries; 2: two kana, found in a few hundred.
FindQuery Query(benchmark::State& state, CharacterBounds bounds, bool whole = false) {
  static const char* const needles[] = {"ZZ", "\xA4\xA2", "\xA4\xA2\xA4\xA4"};
  return {needles[state.range(0)], whole, bounds};
}

void BM_CountMatches(benchmark::State& state) {
  const SearchScope scope = TableSearchScope(BigTable());
  const FindQuery query = Query(state, CharacterBounds::EucJp);
  for (auto _ : state) benchmark::DoNotOptimize(CountMatches(scope, query));
  state.counters["matches"] = static_cast<double>(CountMatches(scope, query));
}
BENCHMARK(BM_CountMatches)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_CountMatchesEveryByte(benchmark::State& state) {
  const SearchScope scope = TableSearchScope(BigTable());
  const FindQuery query = Query(state, CharacterBounds::EveryByte);
  for (auto _ : state) benchmark::DoNotOptimize(CountMatches(scope, query));
}
BENCHMARK(BM_CountMatchesEveryByte)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_CountWholeEntries(benchmark::State& state) {
  const SearchScope scope = TableSearchScope(BigTable());
  const FindQuery query = Query(state, CharacterBounds::EucJp, true);
  for (auto _ : state) benchmark::DoNotOptimize(CountMatches(scope, query));
}
BENCHMARK(BM_CountWholeEntries)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_FindNextFromTheMiddle(benchmark::State& state) {
  const SearchScope scope = TableSearchScope(BigTable());
  const FindQuery query = Query(state, CharacterBounds::EucJp);
  const EntryPlace middle{EntryKind::SixteenBit, 32768};
  for (auto _ : state) benchmark::DoNotOptimize(FindEntry(scope, query, middle, FindDirection::Forward, true));
}
BENCHMARK(BM_FindNextFromTheMiddle)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mojihyo

BENCHMARK_MAIN();
