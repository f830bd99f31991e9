#pragma once

// What one line of a modern table means. The reading is liberal: anything
// it cannot place is an unparsed line, which the document keeps like any
// other.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

enum class TfsLineKind : std::uint8_t {
  Blank,        // nothing but spaces, tabs and byte order marks
  Comment,      // "#", ";" or "//" first
  Normal,       // HEX=text or %BITS=text
  EndToken,     // /HEX, /HEX=label or /label
  Newline,      // *HEX or *HEX=label
  ControlCode,  // $HEX=label,params
  TableSwitch,  // !HEX=...
  TableId,      // @id
  Unparsed,     // anything else
};

// How a line ends in the file. The last line of a file may have no end.
enum class LineEnd : std::uint8_t { None, Lf, CrLf, Cr };

inline std::string_view LineEndBytes(LineEnd end) {
  constexpr std::string_view kEnds[] = {{}, "\n", "\r\n", "\r"};
  return kEnds[static_cast<int>(end)];
}

inline constexpr std::uint32_t kNoText = 0xFFFFFFFFu;

// A line's meaning as positions inside it, so nothing is copied.
struct TfsLineParse {
  TfsLineKind kind = TfsLineKind::Unparsed;
  std::uint32_t keyAt = 0;         // the key's first character ("%" of a binary key)
  std::uint32_t keyLength = 0;     // 0 when the line has no key
  std::uint32_t textAt = kNoText;  // text, label or id; kNoText when there is none
};

// Lines longer than 4 GiB are unparsed.
TfsLineParse ParseTfsLine(std::string_view line);

// True for the kinds that carry a key (when keyLength > 0).
bool IsKeyedKind(TfsLineKind kind);

// A key as bytes: hex digits two to a byte, an odd count read with a leading
// 0; a binary key ("%0100") padded with leading zero bits to whole bytes.
// `bits` is the key's width: 8 per byte for hex keys, the digit count for
// binary ones, so %1111 and 0F are different keys while %00001111 and 0F are
// the same.
struct TfsKey {
  std::string bytes;
  std::uint32_t bits = 0;
  bool operator==(const TfsKey&) const = default;
};

// Decodes a spelling the parser accepted as a key.
TfsKey DecodeTfsKey(std::string_view spelling);

// A key as two upper-case hex digits per byte.
std::string HexSpelling(std::string_view bytes);

// The label and parameters after the "=" of a control code, in the TFS form
// "[Label],name=%D,%X" or the older linked form "<label>,N".
struct TfsParameter {
  std::string_view text;  // the whole field
  char format = 0;        // 'D', 'X' or 'B' from its "%D", "%X" or "%B"; 0 when none
};
struct TfsControlCode {
  std::string_view label;     // as written, brackets included
  bool labelNewline = false;  // "\n" after the label
  std::vector<TfsParameter> parameters;
  int linkedBytes = -1;  // N of the linked form, else -1
};
TfsControlCode ParseControlCode(std::string_view text);

// The part after the "=" of a table switch: "[TableID],N" (TFS) or
// "<label>,<@id>:type" (abcde). `count` is -1 (until switched back), 0
// (until no entry matches) or N matches.
struct TfsTableSwitch {
  std::string_view label;   // abcde's label, empty in the TFS form
  std::string_view target;  // the id of the table switched to
  long count = 0;
  bool understood = false;  // false when neither form fits
};
TfsTableSwitch ParseTableSwitch(std::string_view text);

}  // namespace mojihyo
