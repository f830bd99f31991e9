// Memory running out at any moment of an open. This program replaces the
// allocator: the Nth allocation after arming fails with std::bad_alloc,
// once, as when a large buffer does not fit. An open is tried with its
// first, second, third... allocation failing until one gets through; every
// failed one must report that memory ran out and leave the document and its
// observer untouched.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/file_io.h"
#include "formats/table_file.h"
#include "table_test_util.h"

namespace {
std::atomic<long> allocationsBeforeFailure{-1};  // below zero: none fails
}  // namespace

void* operator new(std::size_t size) {
  if (allocationsBeforeFailure.load() >= 0 && allocationsBeforeFailure.fetch_sub(1) == 0)
    throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// The compiler cannot see that this operator new is the one that allocated.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace mojihyo {
namespace {

struct Listener : DocumentObserver {
  void EntryTextChanged(int, std::string_view) override { ++heard; }
  void EntryLockChanged(int) override { ++heard; }
  int heard = 0;
};

// A UTF-16 table and one of every line kind, as bytes a reader returns.
const std::string kUtf16("\xFF\xFE" "4\0" "1\0" "=\0" "B\x30" "\r\0\n\0" "0\0" "4\0" "0\0" "0\0"
                         "=\0" "x\0" "\r\0\n\0",
                         30);

TEST(OutOfMemory, AtAnyAllocationAnOpenFailsWithTheDocumentUntouched) {
  std::string example;
  ASSERT_TRUE(ReadFileBytes(MOJIHYO_TEST_DATA "/complete_example.tab", example).ok());
  for (const std::string& file : {example, kUtf16}) {
    const FileReader read = [&file](const std::string&, std::string& bytes) {
      bytes = file;
      return FileResult{};
    };
    FontTable expected;
    ASSERT_TRUE(OpenTableFile(TableFormat::MoJiHyo, "f", expected, read).ok());
    int failures = 0;
    for (long n = 0;; ++n) {
      FontTable doc = testing::Read(TableFormat::MoJiHyo, "|41\r\n41=old\r\n*=0D\r\n0400=x\r\n");
      const FontTable before = doc;
      Listener listener;
      doc.Observer = &listener;
      allocationsBeforeFailure = n;
      const OpenResult r = OpenTableFile(TableFormat::MoJiHyo, "f", doc, read);
      const bool injected = allocationsBeforeFailure.load() < 0;
      allocationsBeforeFailure = -1;
      doc.Observer = nullptr;
      if (r.outOfMemory) {
        ++failures;
        EXPECT_EQ(r.error, "not enough memory") << "allocation " << n;
        EXPECT_EQ(doc, before) << "allocation " << n;
        EXPECT_EQ(listener.heard, 0) << "allocation " << n;
        continue;
      }
      // The library may take a failed allocation in its stride; then the
      // open must have succeeded all the same.
      ASSERT_TRUE(r.ok()) << r.error;
      expected.TableChanged = doc.TableChanged;
      EXPECT_EQ(doc, expected) << "allocation " << n;
      if (!injected) break;
    }
    EXPECT_GE(failures, 5);
  }
}

}  // namespace
}  // namespace mojihyo
