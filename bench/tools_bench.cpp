// Decoding and relative search inside the process: 32 MiB through a table
// with an entry for every byte value and through one with 10,000 two-byte
// entries more, next to the plain byte-for-byte mapping tr does; relative
// search of 4 MiB for an 8-letter word at each width; what the Decode
// window does for each view of a 64 MiB file; and building the decoder of a
// 65,536-entry table after a change. bench/tools.sh times the programs
// themselves against tr and holds them to their targets.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "tfs/tfs_document.h"
#include "tools/decode_window.h"
#include "tools/decoder.h"
#include "tools/relative_search.h"
#include "tools_samples.h"

namespace mojihyo {
namespace {

const std::string& Rom32() {
  static const std::string bytes = bench::RandomBytes(32 << 20, 32);
  return bytes;
}

// tr's work: one table lookup and one byte out per byte in.
void BM_MapBytesLikeTr(benchmark::State& state) {
  std::array<char, 256> map{};
  for (int b = 0; b < 256; ++b) map[static_cast<std::size_t>(b)] = bench::MappedCharacter(b);
  const std::string& in = Rom32();
  std::string out(in.size(), '\0');
  for (auto _ : state) {
    for (std::size_t i = 0; i < in.size(); ++i) out[i] = map[static_cast<unsigned char>(in[i])];
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_MapBytesLikeTr)->Unit(benchmark::kMillisecond);

void Decode(benchmark::State& state, const Decoder& d) {
  const std::string& in = Rom32();
  std::size_t written = 0;
  for (auto _ : state) {
    d.Stream(in, [&](std::string_view text) {
      written += text.size();
      benchmark::DoNotOptimize(text.data());
      return true;
    });
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
  state.counters["text_per_byte"] = static_cast<double>(written) / static_cast<double>(state.iterations() * in.size());
}

void BM_DecodeOneByteTable(benchmark::State& state) {
  Decode(state, Decoder::FromTfs(TfsDocument(bench::OneByteTable("\n"))));
}
BENCHMARK(BM_DecodeOneByteTable)->Unit(benchmark::kMillisecond);

void BM_DecodeTenThousandTwoByteEntries(benchmark::State& state) {
  Decode(state, Decoder::FromTfs(TfsDocument(bench::MultiByteTable())));
}
BENCHMARK(BM_DecodeTenThousandTwoByteEntries)->Unit(benchmark::kMillisecond);

// The same number of keys spread over every first byte: every byte of the
// random input goes on to its second. No table looks like this; it shows
// what the trie costs when the first byte never answers alone.
void BM_DecodeTenThousandTwoByteEntriesAfterEveryByte(benchmark::State& state) {
  Decode(state, Decoder::FromTfs(TfsDocument(bench::MultiByteTable(10000, true))));
}
BENCHMARK(BM_DecodeTenThousandTwoByteEntriesAfterEveryByte)->Unit(benchmark::kMillisecond);

// Width 1, width 2 high byte first, width 2 low byte first.
void BM_RelativeSearch4MiB(benchmark::State& state) {
  static const std::string rom = bench::RelativeSearchRom();
  const RelativeWord word{Alphabet::Lowercase, {std::begin(bench::kPrincess), std::end(bench::kPrincess)}};
  const int width = state.range(0) == 0 ? 1 : 2;
  const ByteOrder order = state.range(0) == 2 ? ByteOrder::LittleEndian : ByteOrder::BigEndian;
  std::size_t found = 0;
  for (auto _ : state) found = RelativeSearch(rom, word, width, order).size();
  state.counters["matches"] = static_cast<double>(found);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(rom.size()));
}
BENCHMARK(BM_RelativeSearch4MiB)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One view of the Decode window (64 rows of 16 bytes) anywhere in 64 MiB,
// and its coverage: what a scroll or a keystroke's new decode costs.
void BM_DecodeWindowViewIn64MiB(benchmark::State& state) {
  static const std::string rom = bench::RandomBytes(64 << 20, 64);
  const Decoder d = Decoder::FromTfs(TfsDocument(bench::MultiByteTable()));
  std::uint64_t at = 12345;
  for (auto _ : state) {
    at = (at * 6364136223846793005ULL + 1442695040888963407ULL) % (rom.size() - 1024);
    const DecodedSpan span = DecodeAround(d, rom, 0, at, at + 1024);
    benchmark::DoNotOptimize(CoverageOf(span.pieces, rom, at, at + 1024));
  }
}
BENCHMARK(BM_DecodeWindowViewIn64MiB)->Unit(benchmark::kMicrosecond);

// A table of 65,536 two-byte entries and 256 one-byte ones, built again as
// the Decode window does after a change.
void BM_BuildDecoder65536Entries(benchmark::State& state) {
  const TfsDocument doc(bench::MultiByteTable(65536 - 1024, true));
  for (auto _ : state) benchmark::DoNotOptimize(Decoder::FromTfs(doc));
}
BENCHMARK(BM_BuildDecoder65536Entries)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mojihyo

BENCHMARK_MAIN();
