// The table check, ambiguity searches included: a real multi-table TFS file
// (must stay under 50 ms), a made-up table of 10,000 entries and a real one
// of about as many (under 1 s).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/file_io.h"
#include "tools/table_check.h"

namespace mojihyo {
namespace {

std::string RealTable(const char* name) {
  std::string bytes;
  ReadFileBytes(std::string(MOJIHYO_REALWORLD "/") + name, bytes);
  return bytes;
}

std::string Utf8(unsigned code) {
  std::string out;
  out.push_back(static_cast<char>(0xE0 | (code >> 12)));
  out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
  out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  return out;
}

// A game's table as translators make them: an end token, a newline, the 95
// printable ASCII characters, 9,005 kanji, 400 names such as "<Name 7>" and
// 500 two-kanji words of a dictionary: 10,000 entries.
std::string TenThousandEntries() {
  std::string file = "/00=[END]\n*01\n";
  char key[16];
  int entries = 0;
  for (int c = 0x20; c < 0x7F; ++c, ++entries) {
    std::snprintf(key, sizeof key, "%02X=", c);
    file += key + std::string(1, static_cast<char>(c)) + "\n";
  }
  for (unsigned k = 0; k < 9005; ++k, ++entries) {
    std::snprintf(key, sizeof key, "%04X=", 0x8140 + k);
    file += std::string(key) + Utf8(0x4E00 + k) + "\n";
  }
  for (int n = 0; n < 400; ++n, ++entries) {
    std::snprintf(key, sizeof key, "F1F5%04X=", n);
    file += std::string(key) + "<Name " + std::to_string(n) + ">\n";
  }
  for (unsigned w = 0; w < 500; ++w, ++entries) {
    std::snprintf(key, sizeof key, "F0%04X=", w);
    file += std::string(key) + Utf8(0x4E00 + (w * 7) % 9005) + Utf8(0x4E00 + (w * 13 + 5) % 9005) + "\n";
  }
  return file;
}

void Check(benchmark::State& state, const std::string& bytes) {
  std::size_t findings = 0;
  for (auto _ : state) {
    const std::vector<Finding> f = CheckTableFile(TableFormat::Tfs, bytes, {});
    findings = f.size();
    benchmark::DoNotOptimize(f);
  }
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
  state.counters["findings"] = static_cast<double>(findings);
}

void BM_CheckSecretOfMana2Table(benchmark::State& state) {
  static const std::string bytes = RealTable("Taosenai_som-retranslation__tbl_sd2.tbl");
  Check(state, bytes);
}
BENCHMARK(BM_CheckSecretOfMana2Table)->Unit(benchmark::kMillisecond);

void BM_CheckTenThousandEntries(benchmark::State& state) {
  static const std::string bytes = TenThousandEntries();
  Check(state, bytes);
}
BENCHMARK(BM_CheckTenThousandEntries)->Unit(benchmark::kMillisecond);

void BM_CheckRealTenThousandEntries(benchmark::State& state) {
  static const std::string bytes = RealTable("verycumbersome_TokimekiMemorialTranslated__patch_game.tbl");
  Check(state, bytes);
}
BENCHMARK(BM_CheckRealTenThousandEntries)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mojihyo

BENCHMARK_MAIN();
