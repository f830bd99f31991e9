#pragma once

// The inputs the decoding and relative search benchmarks share: seeded, so
// that every run measures the same bytes.

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace mojihyo::bench {

inline std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937_64 rng(seed);
  std::string s(n, '\0');
  for (std::size_t i = 0; i + 8 <= n; i += 8) {
    const std::uint64_t v = rng();
    for (int k = 0; k < 8; ++k) s[i + k] = static_cast<char>(v >> (8 * k));
  }
  return s;
}

// The character every byte value maps to in the one-byte table (and in
// tr's second set): printable ASCII, '!' to '~'.
inline char MappedCharacter(int byte) { return static_cast<char>(0x21 + byte % 94); }

inline std::string HexByteText(int b) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[b >> 4], kDigits[b & 15]};
}

// A table with an entry for every byte value, one character each, as
// Thingy (CR LF) or TFS (LF) lines.
inline std::string OneByteTable(const char* lineEnd) {
  std::string t;
  for (int b = 0; b < 256; ++b) t += HexByteText(b) + "=" + MappedCharacter(b) + lineEnd;
  return t;
}

// The one-byte table and two-byte entries. As games lay them out (a table
// of kanji, or of dictionary words), the two-byte keys share a few first
// bytes: 10,000 of them are 80h-A7h followed by 00h-F9h, and a random byte
// starts one about one time in six. With `everyByteLeads`, the keys are
// spread over every first byte instead, so that every byte of random input
// walks on to its second: the worst case, not what tables hold.
inline std::string MultiByteTable(std::size_t entries = 10000, bool everyByteLeads = false) {
  std::string t = OneByteTable("\n");
  std::mt19937 rng(10000);
  std::vector<bool> used(65536, false);
  for (std::size_t n = 0; n < entries;) {
    const unsigned key = everyByteLeads ? rng() % 65536 : (0x80 + n / 250) << 8 | (n % 250);
    if (used[key]) continue;
    used[key] = true;
    ++n;
    t += HexByteText(static_cast<int>(key >> 8)) + HexByteText(static_cast<int>(key & 255)) + "=" +
         MappedCharacter(static_cast<int>(key >> 8)) + MappedCharacter(static_cast<int>(key & 255)) + "\n";
  }
  return t;
}

// 4 MiB of random bytes with "princess" (p r i n c e s s: 15 17 8 13 2 4
// 18 18) planted once a width: bytes from 40h, two-byte values from 0140h
// high byte first and from 0250h low byte first.
inline constexpr int kPrincess[] = {15, 17, 8, 13, 2, 4, 18, 18};
inline std::string RelativeSearchRom() {
  std::string rom = RandomBytes(4 << 20, 4);
  for (int i = 0; i < 8; ++i) {
    rom[1000 + i] = static_cast<char>(0x40 + kPrincess[i]);
    rom[2001 + 2 * i] = 0x01;
    rom[2002 + 2 * i] = static_cast<char>(0x40 + kPrincess[i]);
    rom[3001 + 2 * i] = static_cast<char>(0x50 + kPrincess[i]);
    rom[3002 + 2 * i] = 0x02;
  }
  return rom;
}

}  // namespace mojihyo::bench
