#include "cli/convert.h"

#include <gtest/gtest.h>

#include "iconv_reference.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <iconv.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "cli/cli_folder.h"
#include "core/file_io.h"
#include "formats/table_format.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

class Convert : public CliFolder {
protected:
  Outcome Run(std::vector<std::string> args, const std::string& stdinBytes = "") {
    std::istringstream in(stdinBytes);
    std::ostringstream out, err;
    int code = RunConvert(args, in, out, err);
    return {code, out.str(), err.str()};
  }
};

constexpr char kThingyTable[] = ">\r\n*0D\r\n*0E\r\n41=A\r\n0400=Cecil\r\n\r\n(1000-1FFF) Menu\r\n";

TEST_F(Convert, FormatsFollowTheExtensions) {
  Put("game.tbl", kThingyTable);
  Outcome r = Run({Path("game.tbl"), Path("game.tab")});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Get("game.tab"), ">\r\n*=0D\r\n*=0E\r\n0400=Cecil\r\n41=A\r\n\r\n(1000-1FFF) Menu\r\n");
  // Upper-case extensions count too.
  Put("OLD.TBL", "41=A\n");
  EXPECT_EQ(Run({Path("OLD.TBL"), Path("NEW.TAB")}).code, 0);
  EXPECT_EQ(Get("NEW.TAB"), "41=A\r\n");
}

TEST_F(Convert, ListsWhatTheTargetFormatCannotKeep) {
  Put("game.tbl", kThingyTable);
  Outcome r = Run({"--to", "hexposure", Path("game.tbl"), Path("out.tbl")});
  EXPECT_EQ(r.code, 0);
  const std::string in = Path("game.tbl");
  EXPECT_EQ(r.err, in + ":1: not kept: >\n" + in + ":3: not kept: *0E\n" + in +
                       ":5: not kept: 0400=Cecil\n" + in + ":7: not kept: (1000-1FFF) Menu\n" +
                       "4 of 6 non-blank lines of " + in + " are not kept in the Hexposure format\n"
                       "Not saved in the Hexposure format:\nThingy Menu toggle settings\n"
                       "Second Line Break value\n16-bit font table entries\nBookmarks\n");
  EXPECT_EQ(Get("out.tbl"), "*=0D\r\n41=A\r\n");

  Put("sec.tab", "\\=FE\r\n");
  r = Run({"--to=thingy", Path("sec.tab"), Path("sec.tbl")});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, Path("sec.tab") + ":1: not kept: \\=FE\n1 of 1 non-blank lines of " +
                       Path("sec.tab") + " are not kept in the Thingy format\n"
                       "Not saved in the Thingy format:\nSection Break value\n");
  EXPECT_EQ(Get("sec.tbl"), "");
}

TEST_F(Convert, FromOptionOverridesTheExtension) {
  Put("hex.tbl", "*=01\r\n41 A\r\n");
  EXPECT_EQ(Run({"--from", "Hexposure", Path("hex.tbl"), Path("hex.tab")}).code, 0);
  EXPECT_EQ(Get("hex.tab"), "*=01\r\n41=A\r\n");
}

TEST_F(Convert, DashMeansStandardInputAndOutput) {
  Outcome r = Run({"--from", "thingy", "--to", "mojihyo", "-", "-"}, "*0d\n41=A\n");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "*=0D\r\n41=A\r\n");
  Put("in.tab", "|01\r\n");
  r = Run({Path("in.tab"), "--to", "mojihyo", "-"});
  EXPECT_EQ(r.out, "|01\r\n");
}

TEST_F(Convert, UsageErrorsExitTwoAndWriteNothing) {
  Put("a.tbl", "41=A\r\n");
  const std::vector<std::vector<std::string>> bad = {
      {},
      {Path("a.tbl")},
      {Path("a.tbl"), Path("b.tbl"), Path("c.tbl")},
      {Path("a.tbl"), Path("b.txt")},
      {"-", Path("b.tbl")},
      {"--from", "uniROM", Path("a.tbl"), Path("b.tbl")},
      {"--to"},
      {"--bogus", Path("a.tbl"), Path("b.tbl")},
      {"--fromage", "thingy", Path("a.tbl"), Path("b.tbl")},
  };
  for (const auto& args : bad) {
    Outcome r = Run(args);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("Usage: mojihyo-convert"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_FALSE(fs::exists(Path("b.tbl")));
  EXPECT_NE(Run({Path("a.tbl"), Path("b.txt")}).err.find("cannot tell the format of '" + Path("b.txt")),
            std::string::npos);
}

TEST_F(Convert, UnreadableInputNamesTheFileAndTheReason) {
  Outcome r = Run({Path("missing.tbl"), Path("out.tab")});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "mojihyo-convert: cannot read '" + Path("missing.tbl") +
                       "': No such file or directory\n");
  EXPECT_FALSE(fs::exists(Path("out.tab")));
}

TEST_F(Convert, UnwritableOutputNamesTheFileAndLeavesNoPartialFile) {
  Put("a.tbl", "41=A\r\n");
  Outcome r = Run({Path("a.tbl"), Path("nowhere/out.tab")});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "mojihyo-convert: cannot write '" + Path("nowhere/out.tab") +
                       "': No such file or directory\n");
  fs::create_directory(Path("dir.tab"));
  r = Run({Path("a.tbl"), Path("dir.tab")});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Is a directory"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
}

TEST_F(Convert, HelpAndVersion) {
  Outcome r = Run({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_TRUE(r.out.starts_with(
      "Usage: mojihyo-convert [--from FORMAT] [--to FORMAT] [--strict] INPUT OUTPUT\n"));
  EXPECT_NE(r.out.find("standard input"), std::string::npos);
  EXPECT_NE(r.out.find("3 --strict and something would\nnot be kept"), std::string::npos);
  r = Run({"--version"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, std::string("mojihyo-convert ") + MOJIHYO_VERSION + "\n");
}

// The installed program itself, through a shell pipe.
int Shell(const std::string& command, std::string& output) {
  output.clear();
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return -1;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) output.append(buffer, n);
  int status = ::pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Convert, TheProgramPipesBytesAndReturnsItsExitCodes) {
  const std::string exe = MOJIHYO_CONVERT;
  std::string out;
  EXPECT_EQ(Shell("printf '41=\\244\\242\\n' | " + exe + " --from thingy --to mojihyo - - | od -An -c",
                  out),
            0);
  EXPECT_NE(out.find("4   1   = 244 242  \\r  \\n"), std::string::npos) << out;
  EXPECT_EQ(Shell(exe + " 2>&1", out), 2);
  EXPECT_EQ(Shell(exe + " " + Path("none.tbl") + " " + Path("x.tab") + " 2>&1", out), 1);
  EXPECT_EQ(Shell(exe + " --version", out), 0);
}

// Starts the installed program on `args` with its standard error in
// `errFile`, and at most `memory` bytes of address space when given.
pid_t Start(const std::vector<std::string>& args, const std::string& errFile,
            rlim_t memory = RLIM_INFINITY) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!std::freopen(errFile.c_str(), "w", stderr)) ::_exit(127);
    const rlimit limit{memory, memory};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(126);
    std::vector<char*> argv{const_cast<char*>(MOJIHYO_CONVERT)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(MOJIHYO_CONVERT, argv.data());
    ::_exit(127);
  }
  return pid;
}

TEST_F(Convert, AKilledConversionLeavesTheOldOutputOrTheWholeNewOne) {
  std::string table;
  char line[32];
  for (int n = 0; n < 1500000; ++n) {
    std::snprintf(line, sizeof line, "%04X=\xA4\xA2%d\r\n", n % 65536, n);
    table += line;
  }
  Put("big.tbl", table);
  // A run left alone gives the bytes every killed run must leave, if any.
  const auto started = std::chrono::steady_clock::now();
  int status = 0;
  const pid_t whole = Start({Path("big.tbl"), Path("whole.tab")}, Path("err.txt"));
  ASSERT_EQ(::waitpid(whole, &status, 0), whole);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const auto duration = std::chrono::steady_clock::now() - started;
  const std::string complete = Get("whole.tab");
  ASSERT_EQ(complete, table) << "16-bit entries pass through unchanged";

  const std::set<std::string> expected = {"big.tbl", "whole.tab", "err.txt", "out.tab"};
  int replaced = 0;
  for (int k = 1; k <= 10; ++k) {
    Put("out.tab", "old output");
    const pid_t pid = Start({Path("big.tbl"), Path("out.tab")}, Path("err.txt"));
    std::this_thread::sleep_for(duration * k / 10);
    ::kill(pid, SIGKILL);
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir_)) files.insert(entry.path().filename());
    EXPECT_EQ(files, expected) << "killed at " << k << "/10 of a run";
    const std::string out = Get("out.tab");
    if (out != "old output") {
      EXPECT_EQ(out, complete) << "killed at " << k << "/10 of a run";
      ++replaced;
    }
  }
  RecordProperty("runs that finished before the kill", replaced);
}

int Wait(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST_F(Convert, InputsOverTheLimitAreRefusedUnread) {
  // A sparse file: its gigabyte costs no disk and, refused unread, no time.
  Put("huge.tbl", "41=A\r\n");
  fs::resize_file(Path("huge.tbl"), kMaxReadBytes + 1);
  const Outcome r = Run({Path("huge.tbl"), Path("out.tab")});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "mojihyo-convert: cannot read '" + Path("huge.tbl") +
                       "': larger than 1 GiB, the most this program reads\n");
  EXPECT_FALSE(fs::exists(Path("out.tab")));
  EXPECT_NE(Run({"--help"}).out.find("larger than 1 GiB are refused"), std::string::npos);
}

TEST_F(Convert, RunningOutOfMemoryIsReportedNotAnAbort) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#else
  Put("big.tbl", "41=A\r\n");
  fs::resize_file(Path("big.tbl"), 600 << 20);
  const struct {
    std::string input, shown;
  } cases[] = {
      {"/dev/zero", "'/dev/zero'"},  // no size known beforehand
      {Path("big.tbl"), "'" + Path("big.tbl") + "'"},
  };
  for (const auto& c : cases) {
    const pid_t pid = Start({"--from", "thingy", c.input, Path("o.tab")}, Path("err.txt"), 300 << 20);
    EXPECT_EQ(Wait(pid), 1) << c.input;
    EXPECT_EQ(Get("err.txt"), "mojihyo-convert: not enough memory to read " + c.shown + "\n");
    EXPECT_FALSE(fs::exists(Path("o.tab")));
  }
#endif
}

TEST_F(Convert, Utf16TablesConvertByteForByte) {
  const char* const tables[] = {
      "danielburgess_sfc-lm3-eng__jap.5810387.utf16le.tbl",
      "danielburgess_sfc-lm3-eng__jp_data_jap.utf16le.tbl",
      "projectpokemon_PPRE__data_codepoints_poketext.utf16le.tbl",
  };
  for (const char* name : tables) {
    const std::string path = std::string(MOJIHYO_REALWORLD) + "/" + name;
    if (!fs::exists(path)) GTEST_SKIP() << "no real-world tables beside the repository";
    SCOPED_TRACE(name);
    std::string file;
    ASSERT_TRUE(ReadFileBytes(path, file).ok());
    // The C library's UTF-8 of the file, through the 8-bit path.
    FontTable t;
    LoadTableBytes(TableFormat::Thingy, Iconv("UTF-16LE", "UTF-8", file.substr(2)), t);
    const std::string asThingy = SaveTableBytes(TableFormat::Thingy, t);
    ASSERT_GT(asThingy.size(), 10000u) << "the table was read";

    Outcome r = Run({path, Path("same.tbl")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(Get("same.tbl"), "\xFF\xFE" + Iconv("UTF-8", "UTF-16LE", asThingy));
    r = Run({path, Path("other.tab")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(Get("other.tab"), SaveTableBytes(TableFormat::MoJiHyo, t));
    r = Run({"--from", "thingy", "--to", "thingy", "-", "-"}, file);
    EXPECT_EQ(r.out, Get("same.tbl"));
  }
}

TEST_F(Convert, BrokenUtf16IsReportedNotReadAsGarbage) {
  Put("broken.tbl", std::string("\xFF\xFE" "4\0" "1\0" "=\0" "\x00\xD8" "\r\0\n\0", 14));
  const Outcome r = Run({Path("broken.tbl"), Path("out.tab")});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "mojihyo-convert: cannot read '" + Path("broken.tbl") +
                       "': not valid UTF-16: a surrogate without its other half at byte 8\n");
  EXPECT_FALSE(fs::exists(Path("out.tab")));
}

}  // namespace
}  // namespace mojihyo
