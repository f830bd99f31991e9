#pragma once

// The real tables lie beside the repository, not in it: a clone on its own
// skips the tests that read them.

#include <gtest/gtest.h>

#include <filesystem>

#define MOJIHYO_SKIP_WITHOUT_REALWORLD()                  \
  if (!std::filesystem::exists(MOJIHYO_REALWORLD))         \
  GTEST_SKIP() << "no real-world tables beside the repository"
