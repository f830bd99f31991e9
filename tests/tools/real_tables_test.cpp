// Every real table through the check in every format: no crash, findings in
// line order within the file, each with its words.

#include "tools/table_check.h"

#include <gtest/gtest.h>

#include "realworld.h"

#include <filesystem>

#include "core/file_io.h"
#include "core/lines.h"
#include "formats/table_format.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

TEST(RealTables, EveryOneIsCheckedInEveryFormat) {
  MOJIHYO_SKIP_WITHOUT_REALWORLD();
  std::size_t files = 0, findings = 0;
  for (const auto& entry : fs::directory_iterator(MOJIHYO_REALWORLD)) {
    if (entry.path().extension() == ".md") continue;
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(entry.path().string(), bytes).ok());
    ++files;
    const std::size_t lines = SplitLines(bytes).size();
    for (TableFormat format : kAllTableFormats) {
      SCOPED_TRACE(entry.path().filename().string() + " as " + std::string(FormatName(format)));
      const std::vector<Finding> found = CheckTableFile(format, bytes, {});
      findings += found.size();
      for (std::size_t k = 0; k < found.size(); ++k) {
        EXPECT_LE(found[k].line, lines);
        EXPECT_FALSE(found[k].message.empty());
        if (k > 0) {
          EXPECT_LE(found[k - 1].line, found[k].line);
        }
      }
    }
  }
  EXPECT_EQ(files, 42u);
  EXPECT_GT(findings, 1000u);
}

}  // namespace
}  // namespace mojihyo
