#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// An ordered list of text lines held in one buffer. Tables carry tens of
// thousands of 16-bit entries, and a file is made of as many lines; one
// allocation per line would cost more than reading the file itself.
// A view returned by operator[] is valid until the list next changes.
// The buffer holds at most 4 GiB, so that a line costs eight bytes besides
// its text; a change that would pass that throws std::length_error.
class LineList {
public:
  using value_type = std::string_view;

  class const_iterator {
  public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    const_iterator(const LineList* list, std::size_t index) : list_(list), index_(index) {}
    std::string_view operator*() const { return (*list_)[index_]; }
    std::string_view operator[](difference_type n) const { return (*list_)[index_ + n]; }
    const_iterator& operator++() { ++index_; return *this; }
    const_iterator operator++(int) { auto old = *this; ++index_; return old; }
    const_iterator& operator--() { --index_; return *this; }
    const_iterator operator--(int) { auto old = *this; --index_; return old; }
    const_iterator& operator+=(difference_type n) { index_ += n; return *this; }
    const_iterator& operator-=(difference_type n) { index_ -= n; return *this; }
    friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
    friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
    friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
      return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.index_ == b.index_;
    }
    friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
      return a.index_ <=> b.index_;
    }

  private:
    const LineList* list_ = nullptr;
    std::size_t index_ = 0;
  };
  using iterator = const_iterator;

  LineList() = default;
  LineList(std::initializer_list<std::string_view> lines);
  explicit LineList(const std::vector<std::string>& lines);

  std::size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  std::string_view operator[](std::size_t i) const {
    const Span& s = spans_[i];
    return {pool_.data() + s.offset, s.length};
  }
  std::string_view front() const { return (*this)[0]; }
  std::string_view back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  void push_back(std::string_view line);
  // Appends one line made of several pieces, without a temporary string.
  void push_back_joined(std::initializer_list<std::string_view> pieces);
  // Appends every line of `other`, in its order.
  void append(const LineList& other);
  void insert(std::size_t i, std::string_view line);
  void set(std::size_t i, std::string_view line);
  void erase(std::size_t i);
  void swap_lines(std::size_t i, std::size_t j);
  void clear();
  void reserve(std::size_t lines, std::size_t bytes);

  // Empties the list and takes `bytes` over as its buffer, so that lines
  // read from a file need not be copied out of it. A line pushed afterwards
  // that lies in those bytes, after every line stored so far, is kept where
  // it lies. Returns the bytes, which stay where they are until a line is
  // stored from anywhere else.
  std::string_view adopt(std::string&& bytes);
  // After lines were taken from adopted bytes: gives back the buffer when
  // the lines use less than half of it, and the room reserved for lines
  // when few of them used it.
  void tidy();

  // The bytes of all lines together, without any line ends.
  std::size_t text_bytes() const { return pool_.size() - garbage_; }

  std::vector<std::string> ToVector() const;

  friend bool operator==(const LineList& a, const LineList& b);

private:
  struct Span {
    std::uint32_t offset;
    std::uint32_t length;
  };
  static LineList Compacted(const LineList& list);
  Span Store(std::string_view line);
  void Append(std::string_view bytes);
  void CompactIfWasteful();

  std::string pool_;
  std::vector<Span> spans_;
  std::size_t garbage_ = 0;  // pool bytes no span points at any more
  // Adopted bytes from here on belong to no span yet; everywhere else it is
  // the pool's end.
  std::size_t unclaimed_ = 0;
};

void PrintTo(const LineList& lines, std::ostream* os);

}  // namespace mojihyo
