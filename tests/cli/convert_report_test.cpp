// The converter's TFS format, its report of the lines a conversion drops,
// and --strict.

#include "cli/convert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "cli/cli_folder.h"
#include "core/file_io.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

class ConvertReport : public CliFolder {
protected:
  int Run(std::vector<std::string> args, std::string* err = nullptr, std::string* out = nullptr) {
    std::istringstream in;
    std::ostringstream o, e;
    const int code = RunConvert(args, in, o, e);
    if (err) *err = e.str();
    if (out) *out = o.str();
    return code;
  }
};

constexpr char kModern[] = "\xEF\xBB\xBF# kana\r\n@main\r\n/00=[END]\r\n41=A\n0a=\\n\r\n";

TEST_F(ConvertReport, TfsToTfsKeepsEveryByte) {
  Put("modern.tbl", kModern);
  std::string err;
  EXPECT_EQ(Run({"--from", "tfs", "--to=TFS", Path("modern.tbl"), Path("copy.tbl")}, &err), 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Get("copy.tbl"), kModern);
}

TEST_F(ConvertReport, ATblFileIsStillThingyByItsName) {
  Put("modern.tbl", kModern);
  std::string err;
  EXPECT_EQ(Run({Path("modern.tbl"), Path("old.tbl")}, &err), 0);
  const std::string in = Path("modern.tbl");
  EXPECT_EQ(err, in + ":1: not kept: # kana\n" + in + ":2: not kept: @main\n" + in +
                     ":3: not kept: /00=[END]\n3 of 5 non-blank lines of " + in +
                     " are not kept in the Thingy format\n");
}

TEST_F(ConvertReport, StrictWritesNothingAndExitsThree) {
  Put("modern.tbl", kModern);
  Put("old.tbl", "previous\r\n");
  std::string err, out;
  EXPECT_EQ(Run({"--strict", "--from", "tfs", Path("modern.tbl"), Path("old.tbl")}, &err), 3);
  EXPECT_EQ(Get("old.tbl"), "previous\r\n");
  EXPECT_NE(err.find("3 of 5 non-blank lines of " + Path("modern.tbl") +
                     " are not kept in the Thingy format\n"),
            std::string::npos);
  EXPECT_TRUE(err.ends_with(
      "mojihyo-convert: nothing written: --strict and not everything would be kept\n"));
  EXPECT_EQ(
      Run({"--strict", "--from", "tfs", "--to", "thingy", Path("modern.tbl"), "-"}, &err, &out), 3);
  EXPECT_EQ(out, "");
  // A setting the target cannot keep counts too.
  Put("sec.tab", "\\=FE\r\n");
  EXPECT_EQ(Run({"--strict", Path("sec.tab"), Path("sec.tbl")}, &err), 3);
  EXPECT_FALSE(fs::exists(Path("sec.tbl")));
  EXPECT_EQ(Run({"--strict", "--to", "tfs", Path("sec.tab"), Path("x.tfs")}, &err), 3);
  // Nothing lost: --strict converts as usual.
  Put("plain.tbl", "41=A\r\n*0D\r\n");
  EXPECT_EQ(Run({"--strict", "--to", "tfs", Path("plain.tbl"), Path("plain.tfs")}, &err), 0);
  EXPECT_EQ(err, "");
  EXPECT_EQ(Get("plain.tfs"), "*0D\n41=A\n");
}

TEST_F(ConvertReport, ListsTwentyLinesThenTheTotal) {
  std::string file = "41=A\n";
  for (int i = 0; i < 25; ++i) file += "junk " + std::to_string(i) + "\n";
  Put("junk.tbl", file);
  std::string err;
  EXPECT_EQ(Run({Path("junk.tbl"), Path("out.tab")}, &err), 0);
  std::istringstream lines(err);
  std::string line, last;
  int listed = 0;
  while (std::getline(lines, line)) {
    listed += line.find(": not kept: junk ") != std::string::npos;
    last = line;
  }
  EXPECT_EQ(listed, 20);
  EXPECT_NE(err.find(Path("junk.tbl") + ":21: not kept: junk 19\n"), std::string::npos);
  EXPECT_EQ(last, "25 of 26 non-blank lines of " + Path("junk.tbl") +
                      " are not kept in the MoJiHyo format");
}

}  // namespace
}  // namespace mojihyo
