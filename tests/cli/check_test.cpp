#include "cli/check.h"

#include <gtest/gtest.h>

#include "realworld.h"

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/cli_folder.h"
#include "core/file_io.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

class Check : public CliFolder {
protected:
  Outcome Run(std::vector<std::string> args, const std::string& stdinBytes = "") {
    std::istringstream in(stdinBytes);
    std::ostringstream out, err;
    const int code = RunCheck(args, in, out, err);
    return {code, out.str(), err.str()};
  }
};

TEST_F(Check, ExitCodeSaysWhetherThereAreErrors) {
  Put("clean.tbl", "/FF=[END]\n41=A\n");
  Put("warned.tbl", "/FF=[END]\n41=A\n42=A\n");
  Put("broken.tbl", "/FF=[END]\n41=A\n41=B\n");
  const std::string clean = Path("clean.tbl"), warned = Path("warned.tbl"), broken = Path("broken.tbl");
  Outcome r = Run({clean});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  r = Run({warned});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, warned + ":3: warning: the text \"A\" is also on line 2 (key 41): an insertion "
                            "writes it as 42 (line 3)\n");
  r = Run({clean, broken, warned});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, broken + ":3: error: duplicate key 41: line 2 has it already\n" + warned +
                       ":3: warning: the text \"A\" is also on line 2 (key 41): an insertion "
                       "writes it as 42 (line 3)\n");
}

TEST_F(Check, FileIsSpelledAsGivenAndLineZeroHasNoLine) {
  Put("t.tbl", "41=A\n");
  fs::current_path(dir_);
  const Outcome r = Run({"./t.tbl"});
  EXPECT_EQ(r.out, "./t.tbl:0: warning: the table has no end token\n");
}

TEST_F(Check, AnUnreadableFileIsTwoAndTheOthersAreStillChecked) {
  Put("broken.tbl", "/FF=[END]\n=x\n");
  const Outcome r = Run({Path("none.tbl"), Path("broken.tbl")});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "mojihyo-check: cannot read '" + Path("none.tbl") + "': No such file or directory\n");
  EXPECT_EQ(r.out, Path("broken.tbl") + ":2: error: blank key: nothing stands before the \"=\"\n");
}

TEST_F(Check, FormatFollowsTheExtensionWithTblReadAsTfs) {
  // "!DE" is a Thingy dakuten line, but no TFS reading takes it.
  Put("game.tbl", "/FF=[END]\n!DE\n");
  Put("game.tab", "/=FF\n\\=FE\n");
  Put("game.txt", "/FF\n");
  EXPECT_EQ(Run({Path("game.tbl")}).out, Path("game.tbl") + ":2: error: no reader can take this line\n");
  EXPECT_EQ(Run({"--from", "thingy", Path("game.tbl")}).code, 0);
  EXPECT_EQ(Run({"--from=THINGY", Path("game.tbl")}).code, 0);
  EXPECT_EQ(Run({Path("game.tab")}).code, 0);
  const Outcome r = Run({Path("game.txt")});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "mojihyo-check: cannot tell the format of '" + Path("game.txt") +
                       "' from its name; give --from thingy, hexposure, mojihyo or tfs\n"
                       "Usage: mojihyo-check [--from FORMAT] [--no-compat] TABLE...\n"
                       "Try 'mojihyo-check --help' for more information.\n");
}

TEST_F(Check, StandardInputAndCompatibility) {
  Outcome r = Run({"--from", "tfs", "-"}, "/FF=[END]\n$80=[Color],%X\n");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "-:2: warning: Atlas skips \"$\" lines\n");
  r = Run({"--no-compat", "--from", "tfs", "-"}, "/FF=[END]\n$80=[Color],%X\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(Check, SwitchesMayNameTablesOfTheOtherFiles) {
  Put("main.tbl", "@main\n/FF=[END]\n!80=[kanji],0\n");
  Put("kanji.tbl", "@kanji\n8000=x\n");
  EXPECT_EQ(Run({"--no-compat", Path("main.tbl")}).code, 1);
  const Outcome r = Run({"--no-compat", Path("main.tbl"), Path("kanji.tbl")});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "");
}

TEST_F(Check, UsageErrorsAreTwo) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"--frob", "a.tbl"}, {"--from", "atlas", "a.tbl"}, {"--from"}}) {
    const Outcome r = Run(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.starts_with("mojihyo-check: ")) << r.err;
    EXPECT_NE(r.err.find("Try 'mojihyo-check --help'"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(Run({"--from", "atlas", "a.tbl"}).err.substr(0, 71),
            "mojihyo-check: unknown format 'atlas' (use thingy, hexposure, mojihyo o");
}

TEST_F(Check, HelpAndVersion) {
  Outcome r = Run({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_TRUE(r.out.starts_with("Usage: mojihyo-check [--from FORMAT] [--no-compat] TABLE...\n"));
  EXPECT_NE(r.out.find("Exit status: 0 no errors"), std::string::npos);
  r = Run({"--version"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, std::string("mojihyo-check ") + MOJIHYO_VERSION + "\n");
}

// Reports on real tables, checked line by line by hand against the files.
TEST_F(Check, RealTablesGiveTheReportsCheckedByHand) {
  MOJIHYO_SKIP_WITHOUT_REALWORLD();
  struct Golden {
    std::string expected;
    std::vector<std::string> args;
  };
  const std::string hira = "verycumbersome_TokimekiMemorialTranslated__patch_abcde_eg_NES_Dragon_Quest_IV_hira.tbl";
  const std::string dict = "verycumbersome_TokimekiMemorialTranslated__patch_abcde_eg_NES_Dragon_Quest_IV_dict.tbl";
  const Golden goldens[] = {
      {"austn3_forest-kid-gaiden__eng.txt", {"austn3_forest-kid-gaiden__eng.tbl"}},
      {"romhack_mgsgbLz__table.txt", {"romhack_mgsgbLz__table.tbl"}},
      {"Sanqui_romhacking__medarot_medarot1.txt", {"Sanqui_romhacking__medarot_medarot1.tbl"}},
      {"nstbayless_dqtrad__jp.txt", {"nstbayless_dqtrad__jp.tbl"}},
      {"dragon_quest_iv_hira_and_dict.txt", {hira, dict}},
      {"Taosenai_som-retranslation__tbl_sd2.no-compat.txt", {"--no-compat", "Taosenai_som-retranslation__tbl_sd2.tbl"}},
      {"projectpokemon_PPRE__data_codepoints_poketext.utf16le.txt",
       {"projectpokemon_PPRE__data_codepoints_poketext.utf16le.tbl"}},
      {"furrykef_animalland__animalhackj-windhex.sjis.thingy.txt",
       {"--from", "thingy", "furrykef_animalland__animalhackj-windhex.sjis.tbl"}},
  };
  fs::current_path(MOJIHYO_REALWORLD);
  for (const Golden& g : goldens) {
    SCOPED_TRACE(g.expected);
    std::string expected;
    ASSERT_TRUE(ReadFileBytes(MOJIHYO_TEST_DATA "/check/" + g.expected, expected).ok());
    EXPECT_EQ(Run(g.args).out, expected);
  }
}

int Shell(const std::string& command, std::string& output) {
  output.clear();
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return -1;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) output.append(buffer, n);
  const int status = ::pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Check, TheProgramReturnsItsExitCodes) {
  const std::string exe = MOJIHYO_CHECK;
  std::string out;
  EXPECT_EQ(Shell("printf '/FF=[END]\\n41=A\\n41=B\\n' | " + exe + " --from tfs -", out), 1);
  EXPECT_EQ(out, "-:3: error: duplicate key 41: line 2 has it already\n");
  EXPECT_EQ(Shell("printf '/FF=[END]\\n41=A\\n' | " + exe + " --from tfs -", out), 0);
  EXPECT_EQ(Shell(exe + " 2>&1", out), 2);
  EXPECT_EQ(Shell(exe + " --version", out), 0);
}

}  // namespace
}  // namespace mojihyo
