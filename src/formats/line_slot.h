#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mojihyo {

// Where a reader put a line: which part of the table it wrote. A later line
// written to the same part replaces the earlier one; 16-bit entries and kept
// lines each get a part of their own.
enum class SlotKind : std::uint8_t {
  Blank,
  NotUnderstood,
  Entry,  // index: the entry number
  Lock,   // index: the entry number
  LineBreak1,
  LineBreak2,
  StringBreak1,
  StringBreak2,
  SectionBreak,
  Dakuten,
  Handakuten,
  ReverseOrder,
  OmitSymbols,
  SixteenBitEntry,
  KeptLine,  // bookmark, script dump or "$" line
};

struct LineSlot {
  SlotKind kind = SlotKind::NotUnderstood;
  int index = 0;
};

// Told of every line a reader takes, in order: its index in the file, the
// line as classified (leading spaces and byte order marks dropped) and the
// part it went to.
class LineSlotSink {
 public:
  virtual ~LineSlotSink() = default;
  virtual void Take(std::size_t lineIndex, std::string_view line, LineSlot slot) = 0;
};

}  // namespace mojihyo
