#pragma once

#include "core/file_io.h"
#include "core/line_list.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// Splits file bytes into lines. A line ends at CR LF, at a CR alone or at a
// LF alone (files made on Linux and macOS end their lines with LF); the line
// end is not part of the line and the last line needs none. A UTF-8 byte
// order mark at the very start, as text editors write one, is skipped. The
// views point into `bytes`.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::vector<std::string_view> SplitLines(std::string_view bytes);

// The same lines handed to `take` a few thousand at a time, so that a large
// file never needs a view of every line at once.
template <typename Take>
void ForEachLineBatch(std::string_view bytes, Take&& take);

// Joins lines into file bytes, every line ended by CR LF.
std::string JoinLines(const LineList& lines);

// Writes lines as JoinLines joins them, straight into a sink, so that a
// large file is never held whole. It takes the calls a writer makes on a
// LineList.
class LineSink {
public:
  explicit LineSink(ByteSink& out) : out_(out) {}
  void push_back(std::string_view line);
  void push_back_joined(std::initializer_list<std::string_view> pieces);
  void append(const LineList& lines);
  void reserve(std::size_t lines, std::size_t bytes) { out_.Reserve(bytes + 2 * lines); }

private:
  ByteSink& out_;
};

// Collects a sink's bytes in a string.
class StringSink : public ByteSink {
public:
  explicit StringSink(std::string& out) : out_(out) {}
  void Write(std::string_view bytes) override { out_.append(bytes); }
  void Reserve(std::size_t bytes) override { out_.reserve(out_.size() + bytes); }

private:
  std::string& out_;
};

namespace lines_detail {
// The line starting at `p`; `p` moves past its line end.
std::string_view NextLine(const char*& p, const char* end);
}  // namespace lines_detail

template <typename Take>
void ForEachLineBatch(std::string_view bytes, Take&& take) {
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  std::vector<std::string_view> batch;
  batch.reserve(4096);
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p < end) {
    batch.push_back(lines_detail::NextLine(p, end));
    if (batch.size() == batch.capacity()) {
      take(std::span<const std::string_view>(batch));
      batch.clear();
    }
  }
  if (!batch.empty()) take(std::span<const std::string_view>(batch));
}

}  // namespace mojihyo
