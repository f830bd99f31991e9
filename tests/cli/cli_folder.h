#pragma once

// What the command-line tests share: a folder of files for each test,
// removed after it, and what a run of a program gave back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/file_io.h"

namespace mojihyo {

struct Outcome {
  int code;
  std::string out, err;
};

class CliFolder : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("mojihyo_cli_" + std::to_string(::getpid()) + "_" + test->test_suite_name() + "_" + test->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Put(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(WriteFileReplacing(Path(name), bytes).ok());
  }
  std::string Get(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(Path(name), bytes).ok()) << name;
    return bytes;
  }

  std::filesystem::path dir_;
};

}  // namespace mojihyo
