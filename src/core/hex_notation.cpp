#include "core/hex_notation.h"

#include <algorithm>
#include <limits>

namespace mojihyo {

namespace {


// Characters the number reading passes over wherever they stand.
bool IsSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a decimal number from the start of `text`: digits, an optional
// fraction and an optional exponent (E or D, either case, then digits),
// rounded to the nearest whole number with a half going to the even one.
ReadNumber ReadDecimalNumber(std::string_view text) {
  std::size_t i = 0;
  auto digits = [&](std::string& out) {
    for (;;) {
      while (i < text.size() && IsSkippedBlank(text[i])) ++i;
      if (i >= text.size() || !IsDigit(text[i])) return;
      out.push_back(text[i++]);
    }
  };
  std::string whole, fraction, exponentDigits;
  digits(whole);
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits(fraction);
  }
  if (whole.empty() && fraction.empty()) return {};
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    ++i;
    digits(exponentDigits);  // a letter without digits adds nothing
  }
  long long exponent = 0;
  for (char c : exponentDigits) exponent = std::min(exponent * 10 + (c - '0'), 1000000LL);

  // Judge the size from the digits first, so that no text of any length
  // reaches the conversion out of range.
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  long long magnitude;
  if (!whole.empty()) {
    magnitude = static_cast<long long>(whole.size()) - 1 + exponent;
  } else {
    std::size_t firstNonZero = fraction.find_first_not_of('0');
    if (firstNonZero == std::string::npos) return {};
    magnitude = exponent - static_cast<long long>(firstNonZero) - 1;
  }
  if (magnitude >= 20) return {0, true};
  if (magnitude < -1) return {};  // below 0.1 rounds to 0

  // Round on the digits themselves, so that no digit is lost to a binary
  // fraction: the digits before the point make the whole number, the first
  // digit after it and any non-zero digit beyond decide the rounding.
  const std::string all = whole + fraction;
  const long long point = static_cast<long long>(whole.size()) + exponent;
  const auto digitAt = [&](long long k) {
    return k >= 0 && k < static_cast<long long>(all.size()) ? all[static_cast<std::size_t>(k)] - '0' : 0;
  };
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t value = 0;
  for (long long k = 0; k < point; ++k) {
    const auto d = static_cast<std::uint64_t>(digitAt(k));
    if (value > (kMax - d) / 10) return {0, true};
    value = value * 10 + d;
  }
  const int first = digitAt(point);
  bool up = first > 5;
  if (first == 5) {
    const bool beyondHalf = all.find_first_not_of('0', static_cast<std::size_t>(point) + 1) != std::string::npos;
    up = beyondHalf || (value & 1) != 0;  // an exact half goes to the even neighbour
  }
  if (up && value == kMax) return {0, true};
  return {value + (up ? 1 : 0), false};
}

}  // namespace

ReadNumber ReadHexNumber(std::string_view text) {
  ReadNumber result;
  for (char c : text) {
    if (IsSkippedBlank(c)) continue;
    int digit = HexDigitValue(c);
    if (digit < 0) break;
    if (result.value >> 60) result.tooLarge = true;
    result.value = (result.value << 4) | static_cast<std::uint64_t>(digit);
  }
  if (result.tooLarge) result.value = 0;
  return result;
}

ReadNumber ReadValueNumber(std::string_view valueText) {
  if (!valueText.empty() && valueText.back() == 'h')
    return ReadHexNumber(valueText.substr(0, valueText.size() - 1));
  return ReadDecimalNumber(valueText);
}

std::string PadHex(std::string_view valueText, int width) {
  if (width <= 0) return {};
  const ReadNumber number = ReadValueNumber(valueText);
  std::string digits;
  if (!number.tooLarge) {
    std::uint64_t v = number.value;
    do {
      digits.insert(digits.begin(), kHexDigits[v & 0xF]);
      v >>= 4;
    } while (v != 0);
  }
  const auto w = static_cast<std::size_t>(width);
  if (number.tooLarge || digits.size() > w) return std::string(w, 'F');
  digits.insert(0, w - digits.size(), '0');
  return digits;
}

bool HexKeyFilter(std::string_view allowed, std::uint32_t key) {
  if (key == 8 || key == '.') return true;
  if (key > std::numeric_limits<unsigned char>::max()) return false;
  return allowed.find(static_cast<char>(key)) != std::string_view::npos;
}

std::string HexByte(int value) {
  return {kHexDigits[(value >> 4) & 0xF], kHexDigits[value & 0xF]};
}

std::optional<std::uint64_t> ReadOffsetNumber(std::string_view text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex) text.remove_prefix(2);
  if (text.empty()) return std::nullopt;
  const std::uint64_t base = hex ? 16 : 10;
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = hex ? HexDigitValue(c) : IsDigit(c) ? c - '0' : -1;
    if (digit < 0) return std::nullopt;
    if (value > (std::numeric_limits<std::uint64_t>::max() - static_cast<std::uint64_t>(digit)) / base)
      return std::nullopt;
    value = value * base + static_cast<std::uint64_t>(digit);
  }
  return value;
}

}  // namespace mojihyo
