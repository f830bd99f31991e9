#include "core/lines.h"

#include <cstring>

namespace mojihyo {

namespace lines_detail {

std::string_view NextLine(const char*& p, const char* end) {
  const char* q = p;
  while (q < end && *q != '\r' && *q != '\n') ++q;
  std::string_view line(p, static_cast<std::size_t>(q - p));
  if (q < end && *q == '\r' && q + 1 < end && q[1] == '\n') ++q;
  p = q + 1;
  return line;
}

}  // namespace lines_detail

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  std::vector<std::string_view> lines;
  lines.reserve(bytes.size() / 16 + 1);
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p < end) lines.push_back(lines_detail::NextLine(p, end));
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

void LineSink::push_back(std::string_view line) {
  out_.Write(line);
  out_.Write("\r\n");
}

void LineSink::push_back_joined(std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) out_.Write(piece);
  out_.Write("\r\n");
}

void LineSink::append(const LineList& lines) {
  for (std::string_view line : lines) push_back(line);
}

}  // namespace mojihyo
