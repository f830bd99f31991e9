#include "core/lines.h"

#include <cstring>

namespace mojihyo {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  lines.reserve(bytes.size() / 16 + 1);
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p < end) {
    const char* q = p;
    while (q < end && *q != '\r' && *q != '\n') ++q;
    std::string_view line(p, static_cast<std::size_t>(q - p));
    if (line.starts_with(kUtf8Bom)) line.remove_prefix(kUtf8Bom.size());
    lines.push_back(line);
    if (q < end && *q == '\r' && q + 1 < end && q[1] == '\n') ++q;
    p = q + 1;
  }
  return lines;
}

std::string JoinLines(const LineList& lines) {
  std::string out;
  out.resize(lines.text_bytes() + 2 * lines.size());
  char* w = out.data();
  for (std::string_view line : lines) {
    std::memcpy(w, line.data(), line.size());
    w += line.size();
    *w++ = '\r';
    *w++ = '\n';
  }
  return out;
}

}  // namespace mojihyo
