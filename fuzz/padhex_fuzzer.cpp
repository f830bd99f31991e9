// Any value text and width: PadHex gives exactly `width` upper-case hex
// digits, and the reading never overflows.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/hex_notation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int width = 1 + data[0] % 16;
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string result = mojihyo::PadHex(text, width);
  if (result.size() != static_cast<std::size_t>(width)) std::abort();
  if (result.find_first_not_of("0123456789ABCDEF") != std::string::npos) std::abort();
  // The filter's answer depends on the allowed set alone.
  for (unsigned char c : text) {
    bool in = std::string_view("0123456789abcdefhABCDEFH").find(static_cast<char>(c)) !=
              std::string_view::npos;
    if (mojihyo::HexKeyFilter(mojihyo::kHexAllowedChars, c) != (in || c == 8 || c == '.'))
      std::abort();
  }
  return 0;
}
