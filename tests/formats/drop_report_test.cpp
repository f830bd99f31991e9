// What a conversion does not keep, line by line, for every pair of formats.

#include "formats/drop_report.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_io.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

using R = DropReason;
using F = TableFormat;
using Drops = std::vector<std::pair<std::size_t, DropReason>>;

Drops Report(F source, std::string_view bytes, F target, std::size_t* nonBlank = nullptr) {
  FontTable t;
  const DropReport report = LoadTableReporting(source, bytes, t, target);
  if (nonBlank) *nonBlank = report.nonBlankLines;
  Drops drops;
  for (const DroppedLine& d : report.dropped) drops.emplace_back(d.number, d.reason);
  return drops;
}

struct DropCase {
  F source;
  std::string_view file;
  F target;
  Drops expected;
};

TEST(DropReport, NamesEachLineTheOutputWillNotHold) {
  const DropCase cases[] = {
      // Hex digits changing case and leading spaces lose nothing.
      {F::Thingy, "4a=x\r\n  *0d\r\n#\r\n0400=y\r\n(1) b\r\n", F::Thingy, {}},
      {F::Thingy, "41=A\n41=B\n", F::Thingy, {{1, R::Duplicate}}},
      {F::Thingy, "/00=[END]\n# note\n", F::Thingy, {{1, R::PartDropped}, {2, R::PartDropped}}},
      {F::Thingy,
       ";c\n1=x\n41=\n",
       F::Thingy,
       {{1, R::NotUnderstood}, {2, R::NotUnderstood}, {3, R::NoPlace}}},
      {F::Thingy, "*0D\n*0E\n*0F\n", F::Thingy, {{2, R::Duplicate}}},
      {F::Thingy,
       "*0D\n*0E\n0400=x\n41=A\n>\n",
       F::Hexposure,
       {{2, R::NoPlace}, {3, R::NoPlace}, {5, R::NoPlace}}},
      {F::Hexposure, "\\=03\n41 A\n", F::Thingy, {{1, R::NoPlace}}},
      {F::MoJiHyo, "|10\n\\=FE\n", F::Thingy, {{1, R::NoPlace}, {2, R::NoPlace}}},
      {F::MoJiHyo, "|10\n\\=FE\n", F::MoJiHyo, {}},
      {F::Thingy, "!DE\n>\n$80\n*0D\n", F::Tfs, {{1, R::NoPlace}, {2, R::NoPlace}}},
      // A TFS file loses nothing as TFS, and in the older formats all that
      // is not the first logical table's entries and break values.
      {F::Tfs,
       "# c\n@main\n/00=[END]\n41=A\n41=B\n0400=x\n123456=y\n$80=[x],1\nzz\n\n@two\n42=C\n",
       F::Thingy,
       {{1, R::NoPlace},
        {2, R::NoPlace},
        {3, R::PartDropped},
        {5, R::Duplicate},
        {7, R::NoPlace},
        {8, R::NoPlace},
        {9, R::NotUnderstood},
        {11, R::NoPlace},
        {12, R::NoPlace}}},
      {F::Tfs,
       "/00\n/01\n/02\n41=\n0400=x\n",
       F::Hexposure,
       {{2, R::NoPlace}, {3, R::NoPlace}, {4, R::NoPlace}, {5, R::NoPlace}}},
      {F::Tfs, "# c\nzz\n41=A\n41=B\n", F::Tfs, {}},
  };
  for (const DropCase& c : cases) {
    SCOPED_TRACE(std::string(FormatName(c.source)) + " -> " + std::string(FormatName(c.target)) +
                 ": " + std::string(c.file));
    EXPECT_EQ(Report(c.source, c.file, c.target), c.expected);
  }
}

TEST(DropReport, CountsNonBlankLinesAsTheReaderSeesThem) {
  std::size_t nonBlank = 0;
  Report(F::Thingy,
         "\xEF\xBB\xBF"
         "41=A\r\n   \r\n\r\n \xEF\xBB\xBF\r\n;x",
         F::Thingy, &nonBlank);
  EXPECT_EQ(nonBlank, 2u);
  Report(F::Tfs, "41=A\n \t\n\n#\n", F::Thingy, &nonBlank);
  EXPECT_EQ(nonBlank, 2u);
  EXPECT_EQ(FileLine("\xEF\xBB\xBF"
                     "a\r\nb\rc",
                     3),
            "c");
  EXPECT_EQ(FileLine("a", 2), "");
}

std::string RealTable(const std::string& name) {
  std::string bytes;
  ReadFileBytes(MOJIHYO_REALWORLD "/" + name, bytes);
  return bytes;
}

TEST(DropReport, RealTables) {
  if (!fs::exists(MOJIHYO_REALWORLD "/furrykef_animalland__animalhacke.tbl")) GTEST_SKIP();
  EXPECT_EQ(Report(F::Thingy, RealTable("furrykef_animalland__animalhacke.tbl"), F::Thingy),
            (Drops{{1, R::PartDropped}, {2, R::PartDropped}}));
  // Six bare string breaks: the first and the last are kept.
  EXPECT_EQ(
      Report(F::Thingy, RealTable("AndreaOrru_Romhacking__ffmq_docs_ffmq.tbl"), F::Thingy),
      (Drops{{440, R::Duplicate}, {442, R::Duplicate}, {443, R::Duplicate}, {444, R::Duplicate}}));
  EXPECT_EQ(
      Report(F::Thingy, RealTable("Ramsis-SNES_fan-translation-ff3us-ger__tbl_battle_dialogue.tbl"),
             F::Thingy),
      (Drops{{99, R::Duplicate}, {107, R::PartDropped}}));
  EXPECT_EQ(Report(F::Tfs,
                   RealTable("verycumbersome_TokimekiMemorialTranslated__patch_abcde_eg_NES_Dragon_"
                             "Warrior_II_dw2.tbl"),
                   F::Thingy),
            (Drops{{1, R::NoPlace},
                   {91, R::NoPlace},
                   {99, R::NoPlace},
                   {104, R::NoPlace},
                   {112, R::NoPlace},
                   {144, R::PartDropped},
                   {146, R::PartDropped},
                   {149, R::NoPlace}}));
  std::size_t nonBlank = 0;
  EXPECT_EQ(
      Report(F::Thingy, RealTable("Taosenai_som-retranslation__tbl_sd2.tbl"), F::Thingy, &nonBlank)
          .size(),
      763u);
  EXPECT_EQ(nonBlank, 1042u);
}

// The Thingy reader over the real tables other than the UTF-16 ones: the
// numbers measured before this report existed.
TEST(DropReport, ThingyKeepsWhatItWasMeasuredToKeep) {
  std::size_t files = 0, nonBlank = 0, dropped = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(MOJIHYO_REALWORLD, ec)) {
    const std::string name = e.path().filename().string();
    const std::string ext = e.path().extension().string();
    if (ext == ".md" || ext == ".txt" || name.find("utf16") != std::string::npos) continue;
    std::size_t n = 0;
    dropped += Report(F::Thingy, RealTable(name), F::Thingy, &n).size();
    nonBlank += n;
    ++files;
  }
  if (files == 0) GTEST_SKIP();
  EXPECT_EQ(files, 35u);
  EXPECT_EQ(nonBlank, 39376u);
  EXPECT_EQ(dropped, 1781u);
}

}  // namespace
}  // namespace mojihyo
