#include "core/line_list.h"

#include <algorithm>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <utility>

namespace mojihyo {

namespace {

constexpr std::size_t kMaxPool = std::numeric_limits<std::uint32_t>::max();

void CheckRoom(std::size_t used, std::size_t more) {
  if (more > kMaxPool - used) throw std::length_error("a line list holds at most 4 GiB");
}

}  // namespace

LineList::LineList(std::initializer_list<std::string_view> lines) {
  for (std::string_view line : lines) push_back(line);
}

LineList::LineList(const std::vector<std::string>& lines) {
  for (const auto& line : lines) push_back(line);
}

void LineList::Append(std::string_view bytes) {
  if (bytes.empty()) return;
  CheckRoom(pool_.size(), bytes.size());
  pool_.append(bytes);
  unclaimed_ = pool_.size();
}

LineList::Span LineList::Store(std::string_view line) {
  // An empty line needs no bytes, and must not end the adopted bytes' use.
  if (line.empty()) return {0, 0};
  if (line.data() >= pool_.data() && line.data() < pool_.data() + pool_.size()) {
    const auto offset = static_cast<std::size_t>(line.data() - pool_.data());
    if (offset >= unclaimed_) {
      // Adopted bytes no line holds: the line stays where it is.
      unclaimed_ = offset + line.size();
      garbage_ -= line.size();
      return {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(line.size())};
    }
    // A line taken from this very list would move when the pool grows.
    std::string copy(line);
    return Store(copy);
  }
  Span s{static_cast<std::uint32_t>(pool_.size()), static_cast<std::uint32_t>(line.size())};
  Append(line);
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
  CheckRoom(pool_.size(), length);
  Span s{static_cast<std::uint32_t>(pool_.size()), static_cast<std::uint32_t>(length)};
  for (std::string_view p : pieces) Append(p);
  spans_.push_back(s);
}

void LineList::append(const LineList& other) {
  if (&other == this || other.garbage_ != 0) {
    const LineList copy = other.garbage_ != 0 || &other == this ? Compacted(other) : other;
    append(copy);
    return;
  }
  // A list without garbage is its pool: copy it whole and shift the spans.
  const auto base = static_cast<std::uint32_t>(pool_.size());
  Append(other.pool_);
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
  unclaimed_ = 0;
}

std::string_view LineList::adopt(std::string&& bytes) {
  CheckRoom(0, bytes.size());
  clear();
  pool_ = std::move(bytes);
  garbage_ = pool_.size();
  unclaimed_ = 0;
  return pool_;
}

void LineList::tidy() {
  // Room for lines reserved against a file's size costs no memory until it
  // is used, only address space. It is given back when that is cheap: when
  // few lines used it, so that copying them costs next to nothing.
  const bool fewLines = spans_.size() * sizeof(Span) < pool_.size() / 16;
  CompactIfWasteful();
  unclaimed_ = pool_.size();
  if (fewLines && spans_.capacity() > 2 * spans_.size()) spans_.shrink_to_fit();
}

void LineList::reserve(std::size_t lines, std::size_t bytes) {
  spans_.reserve(lines);
  // Never a smaller buffer: adopted bytes must stay where they are.
  if (bytes > pool_.capacity()) pool_.reserve(bytes);
}

void LineList::CompactIfWasteful() {
  if (garbage_ < 4096 || garbage_ * 2 < pool_.size()) return;
  std::string pool;
  pool.reserve(pool_.size() - garbage_);
  for (Span& s : spans_) {
    const auto offset = static_cast<std::uint32_t>(pool.size());
    pool.append(pool_, s.offset, s.length);
    s.offset = offset;
  }
  pool_ = std::move(pool);
  garbage_ = 0;
  unclaimed_ = pool_.size();
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
