#include "formats/command_line.h"

#include <gtest/gtest.h>

#include "table_test_util.h"

namespace mojihyo {
namespace {

TEST(ParseProgramOptions, HelpVersionAndTheEndOfOptions) {
  using V = std::vector<std::string>;
  EXPECT_TRUE(ParseProgramOptions(V{"--help"}).help);
  EXPECT_TRUE(ParseProgramOptions(V{"-h"}).help);
  EXPECT_TRUE(ParseProgramOptions(V{"--version"}).version);
  // Only the first argument is an option: "T --help" is a Thingy table's path.
  const ProgramOptions table = ParseProgramOptions(V{"T", "--help"});
  EXPECT_FALSE(table.help || table.version || table.optionsEnded);
  const ProgramOptions ended = ParseProgramOptions(V{"--", "--version.tab"});
  EXPECT_FALSE(ended.version);
  EXPECT_TRUE(ended.optionsEnded);
  EXPECT_EQ(ended.tableWords, V{"--version.tab"});
  EXPECT_EQ(ParseCommandLine("--version.tab")->path, "--version.tab");
}

TEST(ParseCommandLine, PrefixesChooseTheFormatCaseSensitively) {
  EXPECT_FALSE(ParseCommandLine("").has_value());
  auto t = ParseCommandLine("T C:\\games\\game.tbl");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->format, TableFormat::Thingy);
  EXPECT_EQ(t->path, "C:\\games\\game.tbl");
  auto h = ParseCommandLine("H /x/y.tbl");
  EXPECT_EQ(h->format, TableFormat::Hexposure);
  EXPECT_EQ(h->path, "/x/y.tbl");
  auto s = ParseCommandLine("S /x/modern.tbl");
  EXPECT_EQ(s->format, TableFormat::Tfs);
  EXPECT_EQ(s->path, "/x/modern.tbl");
  for (const char* whole : {"t /x/y.tbl", "h /x/y.tbl", "s /x/y.tbl", "T", "H", "S", "T/x",
                            "/x/my table.tab",
                            "\"quoted.tab\"", " T x"}) {
    auto m = ParseCommandLine(whole);
    ASSERT_TRUE(m) << whole;
    EXPECT_EQ(m->format, TableFormat::MoJiHyo) << whole;
    EXPECT_EQ(m->path, whole);
  }
  // Nothing is trimmed after the prefix.
  EXPECT_EQ(ParseCommandLine("T  two spaces ")->path, " two spaces ");
  EXPECT_EQ(ParseCommandLine("T ")->path, "");
}

TEST(DialogTexts, NameEachFormat) {
  EXPECT_EQ(OpenDialogTitle(TableFormat::Hexposure), "Open Hexposure Table File");
  EXPECT_EQ(OpenDialogFilter(TableFormat::Thingy), "Thingy table files (*.tbl)|*.tbl");
  EXPECT_EQ(OpenDialogFilter(TableFormat::Hexposure), "Hexposure table files (*.tbl)|*.tbl");
  EXPECT_EQ(OpenDialogFilter(TableFormat::MoJiHyo), "MoJiHyo table files (*.tab)|*.tab");
  EXPECT_EQ(SaveDialogTitle(TableFormat::MoJiHyo), "Save MoJiHyo Table File");
  EXPECT_EQ(SaveDialogFilter(TableFormat::Hexposure), "Hexposure table files (*.tbl)|*.tbl");
  EXPECT_EQ(OpenDialogTitle(TableFormat::Tfs), "Open TFS Table File");
  EXPECT_EQ(SaveDialogFilter(TableFormat::Tfs), "TFS tables (*.tbl)|*.tbl");
}

TEST(ResetForNewTable, KeepsOnlyTheThingyOptionsAndTheFileTitle) {
  FontTable t = testing::Read(TableFormat::MoJiHyo,
                              ">\r\n#\r\n\\=FE\r\n*=01\r\n0400=x\r\n01=a\r\n|01\r\n$1\r\n");
  t.CurrentFileName = "/x/game.tab";
  t.CurrentFileTitle = "game.tab";
  t.SaveFormat = TableFormat::MoJiHyo;
  t.TableChanged = true;
  ResetForNewTable(t);
  FontTable expected;
  expected.ReverseOrder = expected.OmitSymbols = true;
  expected.CurrentFileTitle = "game.tab";
  EXPECT_EQ(t, expected);
}

}  // namespace
}  // namespace mojihyo
