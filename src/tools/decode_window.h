#pragma once

// What the Decode window asks of a decode. It shows a few hundred bytes of
// a file that may hold 64 MiB, and decodes only those and a little before
// them, never the whole file.
//
// Where a decode starts decides how keys of more than one byte fall. The
// window decodes from the anchor (the start of the file, or the offset
// last gone to): bytes after it are taken in blocks of 4 KiB counted from
// it, and a view is decoded from one block before its own, which brings
// the decode into step with a decode from the anchor itself. Bytes before
// the anchor are counted back from it in the same way, and never decoded
// across it.

#include "tools/decoder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mojihyo {

inline constexpr std::uint64_t kDecodeBlock = 4096;

// Pieces of a decode and their text (each piece's textAt counted in it).
struct DecodedSpan {
  std::string text;
  std::vector<DecodedPiece> pieces;
};

// The pieces that take bytes `from` up to `to` of `data`: the first may
// start before `from`, the last end after `to`.
DecodedSpan DecodeAround(const Decoder& decoder, std::string_view data, std::uint64_t anchor,
                         std::uint64_t from, std::uint64_t to);

// How much of bytes `from` up to `to` a decode's entries took, and how
// often each byte value was left undecoded there.
struct Coverage {
  std::uint64_t bytes = 0;
  std::uint64_t decoded = 0;
  std::array<std::uint64_t, 256> undecoded{};
};
Coverage CoverageOf(const std::vector<DecodedPiece>& pieces, std::string_view data,
                    std::uint64_t from, std::uint64_t to);

// The undecoded byte values and their counts, most frequent first, equal
// counts in ascending order of value.
std::vector<std::pair<int, std::uint64_t>> UndecodedByFrequency(const Coverage& coverage);

// The bytes of the first text from `from` on whose decode holds `needle`,
// decoding from `from`, 64 KiB at a time so that the text of a large file
// is never held whole, at the speed of a decode without pieces; a needle
// that spans pieces takes all of them.
inline constexpr std::uint64_t kFindChunk = 64 * 1024;
struct ByteRange {
  std::uint64_t from = 0, to = 0;
  bool operator==(const ByteRange&) const = default;
};
std::optional<ByteRange> FindDecodedText(const Decoder& decoder, std::string_view data,
                                         std::uint64_t from, std::string_view needle);

}  // namespace mojihyo
