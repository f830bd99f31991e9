#include "core/file_io.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
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

TEST_F(FileIo, ANamedPipeIsReadWithoutWaitingForAWriter) {
  const std::string pipe = Path("pipe.tbl");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (bool mapped : {false, true}) {
    SCOPED_TRACE(mapped ? "mapped" : "read");
    auto reading = std::async(std::launch::async, [&] {
      std::string bytes = "kept";
      MappedFile file;
      const FileResult r = mapped ? file.Open(pipe) : ReadFileBytes(pipe, bytes);
      return r.ok() ? (mapped ? std::string(file.bytes()) : bytes) : r.error;
    });
    if (reading.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
      ADD_FAILURE() << "opening a pipe nobody writes to waits for a writer";
      // Lets the stuck open return, so that the test can end.
      ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_EQ(reading.get(), "");
  }
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

namespace mojihyo {
namespace {

// Every rule of a write holds for both ways of keeping the new bytes
// unnamed until they are complete.
class FileIoMethods : public FileIo, public ::testing::WithParamInterface<TemporaryFile> {
protected:
  FileResult Write(const std::string& path, std::string_view bytes) {
    return WriteFileReplacingFrom(path, [bytes](ByteSink& sink) {
      // In small pieces and one large one, as the table writers hand them over.
      for (std::size_t i = 0; i < bytes.size(); i += 7) sink.Write(bytes.substr(i, 7));
      sink.Write(std::string(100000, '.'));
      return FileResult{};
    }, GetParam());
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes).ok()) << path;
    return bytes;
  }
  static std::string Dots() { return std::string(100000, '.'); }
};

INSTANTIATE_TEST_SUITE_P(, FileIoMethods,
                         ::testing::Values(TemporaryFile::Unnamed, TemporaryFile::Named),
                         [](const auto& info) {
                           return info.param == TemporaryFile::Unnamed ? "Unnamed" : "Named";
                         });

TEST_P(FileIoMethods, NamesOfEveryLegalLength) {
  for (std::size_t length : {1u, 200u, 249u, 250u, 254u, 255u}) {
    const std::string name = std::string(length - 1, 'n') + "x";
    ASSERT_TRUE(Write(Path(name), "first").ok()) << length;
    ASSERT_TRUE(Write(Path(name), "second").ok()) << length;
    EXPECT_EQ(Read(Path(name)), "second" + Dots()) << length;
    fs::remove(Path(name));
  }
  EXPECT_EQ(FilesInDir(), 0u);
  EXPECT_EQ(Write(Path(std::string(256, 'n')), "x").error, "File name too long");
  EXPECT_EQ(FilesInDir(), 0u);
}

TEST_P(FileIoMethods, WritesThroughDanglingAndChainedLinks) {
  fs::create_directories(dir_ / "sub");
  struct Case {
    std::string link, pointsAt, lands;
  };
  const Case cases[] = {
      {"dangling.tbl", "missing.tbl", "missing.tbl"},
      {"abs.tbl", Path("absolute.tbl"), "absolute.tbl"},
      {"sub/rel.tbl", "../beside.tbl", "beside.tbl"},
      {"into.tbl", "sub/inside.tbl", "sub/inside.tbl"},
      {"chain.tbl", "dangling.tbl", "missing.tbl"},
  };
  for (const Case& c : cases) {
    fs::create_symlink(c.pointsAt, Path(c.link));
    ASSERT_TRUE(Write(Path(c.link), c.link).ok()) << c.link;
    EXPECT_TRUE(fs::is_symlink(Path(c.link))) << c.link;
    EXPECT_EQ(fs::read_symlink(Path(c.link)), c.pointsAt) << c.link;
    EXPECT_EQ(Read(Path(c.lands)), c.link + Dots()) << c.link;
  }
  // A link into a missing folder, and links that go round in a circle.
  fs::create_symlink("nowhere/x.tbl", Path("lost.tbl"));
  EXPECT_EQ(Write(Path("lost.tbl"), "x").error, "No such file or directory");
  fs::create_symlink("loop2.tbl", Path("loop1.tbl"));
  fs::create_symlink("loop1.tbl", Path("loop2.tbl"));
  EXPECT_EQ(Write(Path("loop1.tbl"), "x").error, "Too many levels of symbolic links");
  // Nothing was written beside the links.
  EXPECT_EQ(FilesInDir(), 11u);
}

TEST_P(FileIoMethods, AFailingWriterLeavesTheOldFile) {
  ASSERT_TRUE(Write(Path("t.tab"), "old").ok());
  const FileResult r = WriteFileReplacingFrom(Path("t.tab"), [](ByteSink& sink) {
    sink.Write(std::string(300000, 'n'));
    return FileResult{"the writer gave up"};
  }, GetParam());
  EXPECT_EQ(r.error, "the writer gave up");
  EXPECT_EQ(Read(Path("t.tab")), "old" + Dots());
  EXPECT_EQ(FilesInDir(), 1u);
}

// A child process writes `chunks` megabytes to `target`. It tells the
// parent through a pipe when `stopAfter` of them are written and then waits
// for ever, so the parent can kill it in the middle of the write.
pid_t StartWriter(const std::string& target, int chunks, int stopAfter, int& ready) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    const FileResult r = WriteFileReplacingFrom(target, [&](ByteSink& sink) {
      const std::string megabyte(1 << 20, 'n');
      for (int i = 0; i < chunks; ++i) {
        if (i == stopAfter) {
          (void)!::write(fds[1], "!", 1);
          for (;;) ::pause();
        }
        sink.Write(megabyte);
      }
      return FileResult{};
    });
    ::_exit(r.ok() ? 0 : 1);
  }
  ::close(fds[1]);
  ready = fds[0];
  return pid;
}

TEST_F(FileIo, AKilledWriteLeavesNothingBehind) {
  const std::string target = Path("out.tab");
  ASSERT_TRUE(WriteFileReplacing(target, "old table").ok());
  for (int stopAfter : {0, 1, 40}) {
    int ready = -1;
    const pid_t pid = StartWriter(target, 64, stopAfter, ready);
    ASSERT_GT(pid, 0);
    char c = 0;
    ASSERT_EQ(::read(ready, &c, 1), 1) << "the writer never reached the middle of its write";
    ::close(ready);
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(FilesInDir(), 1u) << "killed after " << stopAfter << " MB";
    std::string back;
    ASSERT_TRUE(ReadFileBytes(target, back).ok());
    EXPECT_EQ(back, "old table");
  }
  // Left to finish, the same write replaces the file whole.
  int ready = -1;
  const pid_t pid = StartWriter(target, 64, -1, ready);
  ASSERT_GT(pid, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ::close(ready);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::string back;
  ASSERT_TRUE(ReadFileBytes(target, back).ok());
  EXPECT_EQ(back, std::string(64 << 20, 'n'));
  EXPECT_EQ(FilesInDir(), 1u);
}

}  // namespace
}  // namespace mojihyo
