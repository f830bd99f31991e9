#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mojihyo {

// Upper-case hex digits by their value.
inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// The characters every filtered value box lets through.
inline constexpr std::string_view kHexAllowedChars = "0123456789abcdefhABCDEFH";

// A number read from the start of a text. `tooLarge` is set when it does not
// fit in 64 bits; `value` is then meaningless.
struct ReadNumber {
  std::uint64_t value = 0;
  bool tooLarge = false;
};

// Reads hex digits of either case from the start of `text` until the first
// character that is not one. Blanks, tabs and line feeds inside the number
// are skipped, as a lenient reader of typed values would. No digits read 0.
ReadNumber ReadHexNumber(std::string_view text);

// Reads a value text as a number: a trailing lower-case "h" marks
// hexadecimal, anything else is a decimal number rounded half to even.
// Unreadable text is 0.
ReadNumber ReadValueNumber(std::string_view valueText);

// Turns a value text into exactly `width` upper-case hex digits: a trailing
// lower-case "h" marks hexadecimal, anything else is read as a decimal number
// (rounded half to even). Unreadable text is 0; a number wider than `width`
// gives all "F". A width of 0 or less gives an empty text.
std::string PadHex(std::string_view valueText, int width);

// Whether a value box whose allowed characters are `allowed` takes the typed
// character with code `key`. Backspace (8) and the full stop always pass.
bool HexKeyFilter(std::string_view allowed, std::uint32_t key);

// An offset or a length as the command-line tools and the Decode window
// take it: decimal digits, or hex digits after "0x" (either case). Nothing
// for any other text, a sign, blanks, or a number past 64 bits.
std::optional<std::uint64_t> ReadOffsetNumber(std::string_view text);

// Two upper-case hex digits of a byte value, as the writers and the grid
// show entry numbers.
std::string HexByte(int value);

}  // namespace mojihyo
