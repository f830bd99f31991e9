// Whole files: every folder under data/golden holds one input table
// (in.<format>.<ext>), the exact bytes each writer must make of it
// (out.<format>.<ext>) and the settings each format must report lost
// (notsaved.<format>.txt; none when the file is absent). Real tables from
// translation projects must read without harm and settle after one save.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/file_io.h"
#include "core/lines.h"
#include "formats/not_saved_report.h"
#include "table_test_util.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::string bytes;
  FileResult r = ReadFileBytes(p.string(), bytes);
  EXPECT_TRUE(r.ok()) << p << ": " << r.error;
  return bytes;
}

std::optional<TableFormat> FormatOfToken(const std::string& token) {
  for (TableFormat f : kAllTableFormats) {
    std::string name(FormatName(f));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == token) return f;
  }
  return std::nullopt;
}

// "out.thingy.tbl" -> ("out", thingy)
std::pair<std::string, std::optional<TableFormat>> Parts(const fs::path& file) {
  std::string name = file.filename().string();
  std::size_t a = name.find('.');
  std::size_t b = name.find('.', a + 1);
  if (a == std::string::npos || b == std::string::npos) return {name, std::nullopt};
  return {name.substr(0, a), FormatOfToken(name.substr(a + 1, b - a - 1))};
}

TEST(GoldenFiles, EveryCaseConvertsToTheExpectedBytes) {
  int cases = 0, outputs = 0;
  for (const auto& dir : fs::directory_iterator(MOJIHYO_TEST_DATA "/golden")) {
    SCOPED_TRACE(dir.path().filename().string());
    std::optional<TableFormat> inFormat;
    std::string input;
    std::map<TableFormat, std::string> expected;
    std::map<TableFormat, std::vector<std::string>> lost;
    for (const auto& file : fs::directory_iterator(dir.path())) {
      auto [role, format] = Parts(file.path());
      ASSERT_TRUE(format.has_value()) << "unexpected file " << file.path();
      if (role == "in") {
        inFormat = format;
        input = Slurp(file.path());
      } else if (role == "out") {
        expected[*format] = Slurp(file.path());
      } else if (role == "notsaved") {
        const std::string text = Slurp(file.path());
        for (auto line : SplitLines(text)) lost[*format].emplace_back(line);
      }
    }
    ASSERT_TRUE(inFormat.has_value()) << "no input file";
    ++cases;
    FontTable t = testing::Read(*inFormat, input);
    for (TableFormat f : kAllTableFormats) {
      SCOPED_TRACE(std::string(FormatName(f)));
      if (auto it = expected.find(f); it != expected.end()) {
        EXPECT_EQ(testing::Write(f, t), it->second);
        ++outputs;
      }
      EXPECT_EQ(NotSavedItems(t, f), lost[f]);
    }
  }
  EXPECT_GE(cases, 3);
  EXPECT_GE(outputs, 9);
}

std::vector<fs::path> RealWorldTables() {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(MOJIHYO_REALWORLD, ec)) {
    if (e.path().extension() != ".md") files.push_back(e.path());
  }
  return files;
}

TEST(RealWorldTables, ReadWithoutHarmAndSettleAfterOneSave) {
  auto files = RealWorldTables();
  if (files.empty()) GTEST_SKIP() << "no real-world tables beside the repository";
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    const std::string bytes = Slurp(file);
    for (TableFormat f : kAllTableFormats) {
      const std::string once = testing::Write(f, testing::Read(f, bytes));
      EXPECT_EQ(testing::Write(f, testing::Read(f, once)), once) << FormatName(f);
    }
  }
}

TEST(RealWorldTables, ReadLineByLineWhateverTheLineEnds) {
  const fs::path dir = MOJIHYO_REALWORLD;
  if (!fs::exists(dir / "AndreaOrru_Romhacking__ffmq_docs_ffmq.tbl")) GTEST_SKIP();

  // CR LF, with duplicate 16-bit numbers and bare string break lines.
  FontTable ffmq = testing::Read(
      TableFormat::Thingy, Slurp(dir / "AndreaOrru_Romhacking__ffmq_docs_ffmq.tbl"));
  EXPECT_EQ(ffmq.SixteenBitEntries.size(), 437u);
  EXPECT_EQ(ffmq.SixteenBitEntries[0], "1A00=Hero:");
  EXPECT_EQ(ffmq.EntryText[0x3E], "Rainbow Road ");
  EXPECT_EQ(ffmq.StringBreakValue1, "00h");
  EXPECT_EQ(ffmq.StringBreakValue2, "36h");
  int iron = 0;
  for (const auto& line : ffmq.SixteenBitEntries) iron += line.starts_with("1E53=");
  EXPECT_EQ(iron, 2);

  // LF alone, lower-case numbers, Shift-JIS values, "#" comment lines.
  FontTable ruin = testing::Read(
      TableFormat::Thingy, Slurp(dir / "AndreaOrru_Romhacking__ruinarm_docs_ruin_arm_sjis.tbl"));
  EXPECT_EQ(ruin.SixteenBitEntries.size(), 1010u);
  EXPECT_EQ(ruin.SixteenBitEntries.back(), "ffff=\\n");
  EXPECT_EQ(ruin.LineBreakValue1, "00h");
  EXPECT_EQ(ruin.StringBreakValue1, "00h");
  EXPECT_TRUE(ruin.OmitSymbols);
}

}  // namespace
}  // namespace mojihyo

namespace mojihyo {
namespace {

// Inputs the fuzzers once found failing: every reader must take them, and
// what it makes of them must settle after one save.
TEST(FuzzFoundInputs, SettleAfterOneSaveInEveryFormat) {
  int inputs = 0;
  for (const auto& file : fs::directory_iterator(MOJIHYO_TEST_DATA "/fuzz_found")) {
    SCOPED_TRACE(file.path().filename().string());
    ++inputs;
    const std::string bytes = Slurp(file.path());
    for (TableFormat f : kAllTableFormats) {
      const std::string once = testing::Write(f, testing::Read(f, bytes));
      EXPECT_EQ(testing::Write(f, testing::Read(f, once)), once) << FormatName(f);
    }
  }
  EXPECT_GE(inputs, 1);
}

}  // namespace
}  // namespace mojihyo
