#include "core/line_list.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace mojihyo {

LineList::LineList(std::initializer_list<std::string_view> lines) {
  for (std::string_view line : lines) push_back(line);
}

LineList::LineList(const std::vector<std::string>& lines) {
  for (const auto& line : lines) push_back(line);
}

LineList::Span LineList::Store(std::string_view line) {
  // A line taken from this very list would move when the pool grows.
  if (!line.empty() && line.data() >= pool_.data() && line.data() < pool_.data() + pool_.size()) {
    std::string copy(line);
    return Store(copy);
  }
  Span s{pool_.size(), line.size()};
  pool_.append(line);
  return s;
}

void LineList::push_back(std::string_view line) { spans_.push_back(Store(line)); }

void LineList::push_back_joined(std::initializer_list<std::string_view> pieces) {
  std::size_t length = 0;
  for (std::string_view p : pieces) length += p.size();
  for (std::string_view p : pieces) {
    if (!p.empty() && p.data() >= pool_.data() && p.data() < pool_.data() + pool_.size()) {
      std::string joined;
      for (std::string_view q : pieces) joined += q;
      push_back(joined);
      return;
    }
  }
  Span s{pool_.size(), length};
  for (std::string_view p : pieces) pool_.append(p);
  spans_.push_back(s);
}

void LineList::append(const LineList& other) {
  if (&other == this || other.garbage_ != 0) {
    const LineList copy = other.garbage_ != 0 || &other == this ? Compacted(other) : other;
    append(copy);
    return;
  }
  // A list without garbage is its pool: copy it whole and shift the spans.
  const std::size_t base = pool_.size();
  pool_.append(other.pool_);
  spans_.reserve(spans_.size() + other.spans_.size());
  for (const Span& s : other.spans_) spans_.push_back({base + s.offset, s.length});
}

LineList LineList::Compacted(const LineList& list) {
  LineList out;
  out.reserve(list.size(), list.text_bytes());
  for (std::string_view line : list) out.push_back(line);
  return out;
}

void LineList::insert(std::size_t i, std::string_view line) {
  Span s = Store(line);
  spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(i), s);
}

void LineList::set(std::size_t i, std::string_view line) {
  Span& old = spans_[i];
  if (line.size() <= old.length) {
    // Fits where the old line was; memmove copes with an overlapping source.
    std::char_traits<char>::move(pool_.data() + old.offset, line.data(), line.size());
    garbage_ += old.length - line.size();
    old.length = line.size();
  } else {
    garbage_ += old.length;
    Span s = Store(line);
    spans_[i] = s;
  }
  CompactIfWasteful();
}

void LineList::erase(std::size_t i) {
  garbage_ += spans_[i].length;
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(i));
  CompactIfWasteful();
}

void LineList::swap_lines(std::size_t i, std::size_t j) { std::swap(spans_[i], spans_[j]); }

void LineList::clear() {
  pool_.clear();
  spans_.clear();
  garbage_ = 0;
}

void LineList::reserve(std::size_t lines, std::size_t bytes) {
  spans_.reserve(lines);
  pool_.reserve(bytes);
}

void LineList::CompactIfWasteful() {
  if (garbage_ < 4096 || garbage_ * 2 < pool_.size()) return;
  std::string pool;
  pool.reserve(pool_.size() - garbage_);
  for (Span& s : spans_) {
    std::size_t offset = pool.size();
    pool.append(pool_, s.offset, s.length);
    s.offset = offset;
  }
  pool_ = std::move(pool);
  garbage_ = 0;
}

std::vector<std::string> LineList::ToVector() const { return {begin(), end()}; }

bool operator==(const LineList& a, const LineList& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

void PrintTo(const LineList& lines, std::ostream* os) {
  *os << "{";
  for (std::size_t i = 0; i < lines.size(); ++i) *os << (i ? ", \"" : "\"") << lines[i] << "\"";
  *os << "}";
}

}  // namespace mojihyo
