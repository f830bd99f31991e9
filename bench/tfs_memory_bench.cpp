// Peak memory of opening a 20 MB TFS table, as a multiple of the file's
// size. The open runs in a child process of its own, so that nothing the
// parent did counts; the child reports its peak resident size.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/file_io.h"
#include "formats/table_format.h"
#include "tfs_table_sample.h"

namespace {

constexpr double kLimit = 4.0;

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int Open(const char* path) {
  using namespace mojihyo;
  const long before = PeakKiB();
  std::string bytes;
  if (!ReadFileBytes(path, bytes).ok()) return 2;
  FontTable table;
  LoadOwnedTableBytes(TableFormat::Tfs, std::move(bytes), table);
  std::printf("%ld %ld %zu\n", before, PeakKiB(), table.SixteenBitEntries.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--open") return Open(argv[2]);

  std::string file = mojihyo::SampleTfsTable(13);
  const double megabytes = static_cast<double>(file.size()) / (1 << 20);
  char path[] = "/tmp/mojihyo_tfs_memory_XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0 || !mojihyo::WriteFileReplacing(path, file).ok()) return 1;
  ::close(fd);
  file.clear();
  file.shrink_to_fit();

  char self[4096] = {};
  if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;
  const std::string command = std::string("'") + self + "' --open " + path;
  FILE* child = ::popen(command.c_str(), "r");
  long before = 0, peak = 0;
  std::size_t rows = 0;
  const bool read = child && std::fscanf(child, "%ld %ld %zu", &before, &peak, &rows) == 3;
  if (child) ::pclose(child);
  ::unlink(path);
  if (!read) return 1;
  const double ratio = static_cast<double>(peak) / 1024 / megabytes;
  const double added = static_cast<double>(peak - before) / 1024 / megabytes;
  std::printf(
      "Opening a %.1f MB TFS table (%zu 16-bit entries shown): peak %.1f MB, %.2fx the file "
      "(%.2fx above the program's own start), limit %.1fx: %s\n",
      megabytes, rows, static_cast<double>(peak) / 1024, ratio, added, kLimit,
      ratio <= kLimit ? "within" : "OVER");
  return ratio <= kLimit ? 0 : 1;
}
