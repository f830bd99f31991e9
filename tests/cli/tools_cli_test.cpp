// mojihyo-decode and mojihyo-relsearch: their output, their options in any
// place, and their exit codes, run as the programs they are.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/decode.h"
#include "cli/relsearch.h"
#include "cli/cli_folder.h"
#include "core/file_io.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

class ToolsCli : public CliFolder {
public:
  Outcome Decode(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunDecode(args, out, err);
    return {code, out.str(), err.str()};
  }
  Outcome Search(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunRelativeSearch(args, out, err);
    return {code, out.str(), err.str()};
  }

};

const std::string kRom = std::string("\x00\x41\x42\xFF\x41\x43\x01\x02", 8);

TEST_F(ToolsCli, DecodeWritesTheTextAndNothingElse) {
  Put("game.tbl", "41=A\r\n42=B\r\n/FF\r\n4143=AC!\r\n");
  Put("game.rom", kRom);
  const Outcome r = Decode({Path("game.tbl"), Path("game.rom")});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, "[$00]AB\nAC![$01][$02]");
}

// Tables saved as UTF-16 are read as the editor and the converter read
// them, and one that is not UTF-16 after all is not read as garbage.
TEST_F(ToolsCli, DecodeReadsUtf16TablesAsTheEditorDoes) {
  Put("game.rom", kRom);
  const std::string le("\xFF\xFE" "4\0" "1\0" "=\0" "A\0" "\r\0\n\0", 14);
  const std::string be("@\0o\0n\0e\0\n\0" "4\0" "2\0" "=\0" "b\0\n\0", 20);
  Put("le.tbl", le);
  Put("be.txt", std::string(1, '\0') + be.substr(0, be.size() - 1));
  Put("broken.tbl", std::string("\xFF\xFE" "4\0" "1\0" "=\0" "\x00\xD8" "\r\0\n\0", 14));
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string out, err;
  } cases[] = {
      {{Path("le.tbl"), Path("game.rom"), "--length", "3"}, 0, "[$00]A[$42]", ""},
      {{"--from", "tfs", "--table", "one", Path("be.txt"), Path("game.rom"), "--length", "3"}, 0, "[$00][$41]b", ""},
      {{Path("broken.tbl"), Path("game.rom")}, 1, "",
       "mojihyo-decode: cannot read '" + Path("broken.tbl") +
           "': not valid UTF-16: a surrogate without its other half at byte 8\n"},
  };
  for (const Case& c : cases) {
    const Outcome r = Decode(c.args);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST_F(ToolsCli, DecodeTakesOptionsAnywhereAndNumbersInDecimalOrHex) {
  Put("t.txt", "@one\n41=A\n@two\n41=a\n43=c\n");
  Put("game.rom", kRom);
  struct Case {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"--from", "tfs", Path("t.txt"), Path("game.rom"), "--offset", "4", "--length", "2"}, "A[$43]"},
      {{Path("t.txt"), "--offset=0x4", Path("game.rom"), "--from=TFS", "--table", "two"}, "ac[$01][$02]"},
      {{"--table=two", "--length", "0X3", "--from", "tfs", "--", Path("t.txt"), Path("game.rom")}, "[$00]a[$42]"},
      {{"--from", "tfs", Path("t.txt"), Path("game.rom"), "--offset", "8"}, ""},
      {{"--from", "tfs", Path("t.txt"), Path("game.rom"), "--offset", "6", "--length", "100"}, "[$01][$02]"},
  };
  for (const Case& c : cases) {
    const Outcome r = Decode(c.args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
}

TEST_F(ToolsCli, DecodeExitCodes) {
  Put("game.tbl", "41=A\n");
  Put("notes.txt", "41=A\n");
  Put("game.rom", kRom);
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string errStart;
  } cases[] = {
      {{Path("game.tbl")}, 2, "mojihyo-decode: TABLE and FILE are both needed\nUsage: mojihyo-decode"},
      {{Path("game.tbl"), Path("game.rom"), "x"}, 2, "mojihyo-decode: too many arguments"},
      {{Path("game.tbl"), Path("game.rom"), "--bogus"}, 2, "mojihyo-decode: "},
      {{Path("game.tbl"), Path("game.rom"), "--offset"}, 2, "mojihyo-decode: "},
      {{Path("game.tbl"), Path("game.rom"), "--offset", "12k"}, 2,
       "mojihyo-decode: --offset takes a number, decimal or 0x hex: '12k'"},
      {{Path("game.tbl"), Path("game.rom"), "--length", "-1"}, 2, "mojihyo-decode: "},
      // An empty value is no number, nor the option left out.
      {{Path("game.tbl"), Path("game.rom"), "--offset", ""}, 2, "mojihyo-decode: --offset takes a number, decimal or 0x hex: ''"},
      {{Path("game.tbl"), Path("game.rom"), "--length", ""}, 2, "mojihyo-decode: --length takes a number, decimal or 0x hex: ''"},
      {{"--from", "tfs", "--table", "", Path("game.tbl"), Path("game.rom")}, 2,
       "mojihyo-decode: '" + Path("game.tbl") + "' has no table @\n"},
      {{"--from", "", Path("game.tbl"), Path("game.rom")}, 2, "mojihyo-decode: unknown format ''"},
      {{Path("game.tbl"), Path("game.rom"), "--offset", "9"}, 2,
       "mojihyo-decode: --offset 0x9 is past the end of '" + Path("game.rom") + "' (8 bytes)"},
      {{Path("notes.txt"), Path("game.rom")}, 2, "mojihyo-decode: cannot tell the format of"},
      {{"--from", "excel", Path("notes.txt"), Path("game.rom")}, 2, "mojihyo-decode: unknown format 'excel'"},
      {{"--table", "x", Path("game.tbl"), Path("game.rom")}, 2, "mojihyo-decode: --table needs a TFS table"},
      {{"--from", "tfs", "--table", "x", Path("game.tbl"), Path("game.rom")}, 2,
       "mojihyo-decode: '" + Path("game.tbl") + "' has no table @x"},
      {{Path("missing.tbl"), Path("game.rom")}, 1,
       "mojihyo-decode: cannot read '" + Path("missing.tbl") + "': No such file or directory\n"},
      {{Path("game.tbl"), Path("missing.rom")}, 1,
       "mojihyo-decode: cannot read '" + Path("missing.rom") + "': No such file or directory\n"},
      {{Path("game.tbl"), dir_.string()}, 1, "mojihyo-decode: cannot read '" + dir_.string() + "': Is a directory\n"},
  };
  for (const Case& c : cases) {
    const Outcome r = Decode(c.args);
    EXPECT_EQ(r.code, c.code) << c.errStart;
    EXPECT_TRUE(r.err.starts_with(c.errStart)) << r.err;
    EXPECT_EQ(r.out, "");
    if (c.code == 2) {
      EXPECT_TRUE(r.err.ends_with("Try 'mojihyo-decode --help' for more information.\n")) << r.err;
    }
  }
}

TEST_F(ToolsCli, HelpAndVersionGoToStandardOutput) {
  for (const auto& run : {&ToolsCli::Decode, &ToolsCli::Search}) {
    const Outcome help = (this->*run)({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: mojihyo-")) << help.out;
    EXPECT_NE(help.out.find("Exit status: 0"), std::string::npos);
    const Outcome version = (this->*run)({"x", "--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.ends_with(std::string(" ") + MOJIHYO_VERSION + "\n")) << version.out;
    EXPECT_EQ(help.err + version.err, "");
  }
}

TEST_F(ToolsCli, RelativeSearchListsEachMatchInOffsetOrder) {
  // "hero" at base 0x20 from offset 3, at base 0 from offset 0x10; and in
  // two-byte values at odd offsets, high byte first from 0x21, low byte
  // first from 0x31.
  std::string rom(0x40, '\xEE');
  const std::string hero = {7, 4, 17, 14};
  for (int i = 0; i < 4; ++i) {
    rom[3 + i] = static_cast<char>(0x20 + hero[i]);
    rom[0x10 + i] = hero[i];
    rom[0x21 + 2 * i] = 0x01;
    rom[0x22 + 2 * i] = static_cast<char>(0x80 + hero[i]);
    rom[0x31 + 2 * i] = static_cast<char>(0x80 + hero[i]);
    rom[0x32 + 2 * i] = 0x02;
  }
  Put("game.rom", rom);
  struct Case {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{Path("game.rom"), "hero"}, "0x3\t0x20\n0x10\t0x0\n"},
      {{"--width", "2", Path("game.rom"), "hero"}, "0x21\t0x180\n"},
      {{Path("game.rom"), "--little-endian", "hero", "--width=2"}, "0x31\t0x280\n"},
      // Only the places in the alphabet count: capitals find the same.
      {{Path("game.rom"), "HERO"}, "0x3\t0x20\n0x10\t0x0\n"},
      {{Path("game.rom"), "\xE3\x81\x82\xE3\x81\x84"}, ""},
  };
  for (const Case& c : cases) {
    const Outcome r = Search(c.args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
  }
}

TEST_F(ToolsCli, RelativeSearchExitCodes) {
  Put("game.rom", kRom);
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string errStart;
  } cases[] = {
      {{Path("game.rom")}, 2, "mojihyo-relsearch: FILE and WORD are both needed\n"},
      {{Path("game.rom"), "ab", "cd"}, 2, "mojihyo-relsearch: too many arguments"},
      {{Path("game.rom"), "ab", "--width", "3"}, 2, "mojihyo-relsearch: --width is 1 or 2, not '3'"},
      {{Path("game.rom"), "ab", "--width", ""}, 2, "mojihyo-relsearch: --width is 1 or 2, not ''"},
      {{Path("game.rom"), "ab", "--little-endian"}, 2, "mojihyo-relsearch: --little-endian needs --width 2"},
      {{Path("game.rom"), "aa"}, 2, "mojihyo-relsearch: the word needs at least two different characters"},
      {{Path("game.rom"), "aB"}, 2, "mojihyo-relsearch: 'a' and 'B' are not in the same alphabet"},
      {{Path("game.rom"), "ab", "--bogus"}, 2, "mojihyo-relsearch: "},
      {{Path("missing.rom"), "ab"}, 1,
       "mojihyo-relsearch: cannot read '" + Path("missing.rom") + "': No such file or directory\n"},
  };
  for (const Case& c : cases) {
    const Outcome r = Search(c.args);
    EXPECT_EQ(r.code, c.code) << c.errStart;
    EXPECT_TRUE(r.err.starts_with(c.errStart)) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

// The programs themselves, as a shell runs them.
int RunProgram(const std::string& command, std::string& out) {
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ToolsCli, TheInstalledProgramsExitWithTheirCodes) {
  Put("game.tbl", "41=A\n");
  Put("game.rom", "ABAB");
  std::string out;
  EXPECT_EQ(RunProgram(std::string(MOJIHYO_DECODE) + " " + Path("game.tbl") + " " + Path("game.rom"), out), 0);
  EXPECT_EQ(out, "A[$42]A[$42]");
  out.clear();
  EXPECT_EQ(RunProgram(std::string(MOJIHYO_RELSEARCH) + " " + Path("game.rom") + " ab", out), 0);
  EXPECT_EQ(out, "0x0\t0x41\n0x2\t0x41\n");
  EXPECT_EQ(RunProgram(std::string(MOJIHYO_RELSEARCH) + " 2>/dev/null", out), 2);
  EXPECT_EQ(RunProgram(std::string(MOJIHYO_DECODE) + " " + Path("none.tbl") + " " + Path("game.rom") + " 2>/dev/null", out), 1);
}

}  // namespace
}  // namespace mojihyo
