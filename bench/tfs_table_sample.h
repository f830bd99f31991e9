#pragma once

// The benchmarks' TFS table: per copy a logical table of 256 one-byte and
// 65,536 two-byte entries with a comment every 256 lines, then a second one
// of 2,000 entries; about 1.5 MB a copy.

#include <cstdio>
#include <string>

namespace mojihyo {

inline std::string SampleTfsTable(int copies) {
  std::string file = "# Sample table\n";
  char line[64];
  for (int c = 0; c < copies; ++c) {
    file += "@main" + std::to_string(c) + "\n/00=[END]\n*01=<nl>\n";
    for (int i = 0; i < 256; ++i) {
      std::snprintf(line, sizeof line, "%02X=\xE3\x81%c\n", i, static_cast<char>(0x80 + i % 64));
      file += line;
    }
    for (int n = 0; n < 65536; ++n) {
      if (n % 256 == 0) file += "# row " + std::to_string(n / 256) + "\n";
      std::snprintf(line, sizeof line, "%04X=Value number %04X\n", n, n);
      file += line;
    }
    file += "@names" + std::to_string(c) + "\n";
    for (int n = 0; n < 2000; ++n) {
      std::snprintf(line, sizeof line, "F1F5%04X=<Name %d>\n", n, n);
      file += line;
    }
  }
  return file;
}

}  // namespace mojihyo
