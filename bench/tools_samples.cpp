// Writes the files bench/tools.sh runs the command-line tools on, into the
// folder given: rom32.bin (32 MiB of seeded random bytes), rom4.bin (4 MiB
// with "princess" planted, see tools_samples.h), empty.bin, one_byte.tbl (a
// Thingy table with every byte value), multi_byte.tbl (a TFS table with
// 10,000 two-byte entries more), every_byte_leads.tbl (the same number
// spread over every first byte) and tr_set.txt (tr's second set for the
// one-byte table's mapping, as octal escapes).
//
//   tools_samples FOLDER
//   tools_samples --run [--stdin FILE] PROGRAM ARGUMENTS...
//
// The second form runs a program (found on the PATH), its input from FILE
// or /dev/null and its output thrown away, and prints the time it took on
// the clock and on the processor (user and system time, which other work on
// a busy machine does not lengthen) in microseconds, and its peak resident
// memory in KiB: "WALL CPU PEAK".

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/file_io.h"
#include "tools_samples.h"

namespace {

long Microseconds(const timeval& t) { return t.tv_sec * 1000000L + t.tv_usec; }

int Run(char** command, const char* input) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(::open(input, O_RDONLY), 0);
    ::dup2(::open("/dev/null", O_WRONLY), 1);
    ::execvp(command[0], command);
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) < 0) return 1;
  const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  std::printf("%ld %ld %ld\n", static_cast<long>(wall.count()),
              Microseconds(usage.ru_utime) + Microseconds(usage.ru_stime), usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace mojihyo;
  if (argc > 2 && std::string(argv[1]) == "--run") {
    if (argc > 4 && std::string(argv[2]) == "--stdin") return Run(argv + 4, argv[3]);
    return Run(argv + 2, "/dev/null");
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: tools_samples FOLDER | --run [--stdin FILE] PROGRAM ARGUMENTS...\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::string trSet;
  for (int b = 0; b < 256; ++b) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned char>(bench::MappedCharacter(b)));
    trSet += escape;
  }
  const std::pair<const char*, std::string> files[] = {
      {"rom32.bin", bench::RandomBytes(32 << 20, 32)},
      {"rom4.bin", bench::RelativeSearchRom()},
      {"empty.bin", ""},
      {"one_byte.tbl", bench::OneByteTable("\r\n")},
      {"multi_byte.tbl", bench::MultiByteTable()},
      {"every_byte_leads.tbl", bench::MultiByteTable(10000, true)},
      {"tr_set.txt", trSet},
  };
  for (const auto& [name, bytes] : files) {
    if (FileResult r = WriteFileReplacing(dir + "/" + name, bytes); !r.ok()) {
      std::fprintf(stderr, "tools_samples: cannot write %s/%s: %s\n", dir.c_str(), name, r.error.c_str());
      return 1;
    }
  }
  return 0;
}
