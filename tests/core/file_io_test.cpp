#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("mojihyo_io_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::size_t FilesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

TEST_F(FileIo, WritesAndReadsEveryByteUnchanged) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  bytes += "\r\n\n\r";
  ASSERT_TRUE(WriteFileReplacing(Path("t.tab"), bytes).ok());
  std::string back;
  ASSERT_TRUE(ReadFileBytes(Path("t.tab"), back).ok());
  EXPECT_EQ(back, bytes);
}

TEST_F(FileIo, ReplacesAnExistingFileWhole) {
  ASSERT_TRUE(WriteFileReplacing(Path("t.tbl"), std::string(1000, 'x')).ok());
  ASSERT_TRUE(WriteFileReplacing(Path("t.tbl"), "41=A\r\n").ok());
  std::string back;
  ASSERT_TRUE(ReadFileBytes(Path("t.tbl"), back).ok());
  EXPECT_EQ(back, "41=A\r\n");
  EXPECT_EQ(FilesInDir(), 1u) << "no temporary file is left behind";
}

TEST_F(FileIo, ReportsTheSystemsReasonWhenAFileCannotBeRead) {
  std::string bytes = "kept";
  FileResult missing = ReadFileBytes(Path("none.tbl"), bytes);
  EXPECT_EQ(missing.error, "No such file or directory");
  EXPECT_EQ(ReadFileBytes(dir_.string(), bytes).error, "Is a directory");
}

TEST_F(FileIo, AFailedWriteLeavesNothingBehind) {
  FileResult r = WriteFileReplacing(Path("no/such/folder/t.tbl"), "x");
  EXPECT_EQ(r.error, "No such file or directory");
  fs::create_directories(dir_ / "sub");
  EXPECT_EQ(WriteFileReplacing(Path("sub"), "x").error, "Is a directory");
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(FileIo, KeepsPermissionsAndSymbolicLinks) {
  const std::string real = Path("real.tbl");
  ASSERT_TRUE(WriteFileReplacing(real, "old").ok());
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  fs::create_symlink(real, Path("link.tbl"));
  ASSERT_TRUE(WriteFileReplacing(Path("link.tbl"), "new").ok());
  EXPECT_TRUE(fs::is_symlink(Path("link.tbl")));
  std::string back;
  ASSERT_TRUE(ReadFileBytes(real, back).ok());
  EXPECT_EQ(back, "new");
  struct stat st{};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FileIo, LeavesAReadOnlyFileAlone) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  const std::string path = Path("ro.tbl");
  ASSERT_TRUE(WriteFileReplacing(path, "old").ok());
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(WriteFileReplacing(path, "new").error, "Permission denied");
  std::string back;
  ASSERT_TRUE(ReadFileBytes(path, back).ok());
  EXPECT_EQ(back, "old");
}

}  // namespace
}  // namespace mojihyo

namespace mojihyo {
namespace {

TEST_F(FileIo, AReadOnlyFolderGivesItsOwnReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any folder";
  fs::create_directories(dir_ / "ro");
  ASSERT_EQ(::chmod((dir_ / "ro").c_str(), 0555), 0);
  EXPECT_EQ(WriteFileReplacing(Path("ro/new.tbl"), "x").error, "Permission denied");
  ::chmod((dir_ / "ro").c_str(), 0755);
}

}  // namespace
}  // namespace mojihyo
