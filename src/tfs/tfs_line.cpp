#include "tfs/tfs_line.h"

#include <charconv>

namespace mojihyo {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the key spelled at `at`: hex digits, or "%" and binary digits.
std::size_t ScanKey(std::string_view line, std::size_t at) {
  std::size_t p = at;
  if (p < line.size() && line[p] == '%') {
    ++p;
    while (p < line.size() && (line[p] == '0' || line[p] == '1')) ++p;
    return p - at > 1 ? p - at : 0;
  }
  while (p < line.size() && HexValue(line[p]) >= 0) ++p;
  return p - at;
}

TfsLineParse Keyed(TfsLineKind kind, std::size_t keyAt, std::size_t keyLength, std::size_t textAt) {
  return {kind, static_cast<std::uint32_t>(keyAt), static_cast<std::uint32_t>(keyLength),
          textAt == std::string_view::npos ? kNoText : static_cast<std::uint32_t>(textAt)};
}

// A key at `at` that ends the line or is followed by "="; `bare` allows the
// first.
TfsLineParse KeyThenText(std::string_view line, std::size_t at, TfsLineKind kind, bool bare) {
  const std::size_t k = ScanKey(line, at);
  if (k == 0) return {};
  const std::size_t after = at + k;
  if (after == line.size())
    return bare ? Keyed(kind, at, k, std::string_view::npos) : TfsLineParse{};
  if (line[after] == '=') return Keyed(kind, at, k, after + 1);
  return {};
}

bool ReadLong(std::string_view text, long& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end;
}

// Splits at commas, except inside [...] or <...> at the start of a field.
std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t p = start;
    if (p < text.size() && (text[p] == '[' || text[p] == '<')) {
      const std::size_t close = text.find(text[p] == '[' ? ']' : '>', p);
      if (close != std::string_view::npos) p = close;
    }
    const std::size_t comma = text.find(',', p);
    if (comma == std::string_view::npos) {
      fields.push_back(text.substr(start));
      return fields;
    }
    fields.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
}

std::string_view Unbracketed(std::string_view field) {
  if (field.size() >= 2 && ((field.front() == '[' && field.back() == ']') ||
                            (field.front() == '<' && field.back() == '>')))
    return field.substr(1, field.size() - 2);
  return field;
}

}  // namespace

TfsLineParse ParseTfsLine(std::string_view line) {
  if (line.size() >= kNoText) return {};
  std::size_t s = 0;
  while (s < line.size()) {
    if (line[s] == ' ' || line[s] == '\t') {
      ++s;
    } else if (line.substr(s).starts_with(kBom)) {
      s += kBom.size();
    } else {
      break;
    }
  }
  if (s == line.size()) return {TfsLineKind::Blank};
  switch (line[s]) {
    case '#':
    case ';':
      return {TfsLineKind::Comment};
    case '@':
      return Keyed(TfsLineKind::TableId, s + 1, 0, s + 1);
    case '/': {
      TfsLineParse p = KeyThenText(line, s + 1, TfsLineKind::EndToken, true);
      if (p.keyLength > 0) return p;
      if (s + 1 < line.size() && line[s + 1] != '/')
        return Keyed(TfsLineKind::EndToken, s + 1, 0, s + 1);
      return {line.substr(s).starts_with("//") ? TfsLineKind::Comment : TfsLineKind::Unparsed};
    }
    case '*':
      return KeyThenText(line, s + 1, TfsLineKind::Newline, true);
    case '$':
      return KeyThenText(line, s + 1, TfsLineKind::ControlCode, false);
    case '!':
      return KeyThenText(line, s + 1, TfsLineKind::TableSwitch, false);
    default:
      return KeyThenText(line, s, TfsLineKind::Normal, false);
  }
}

bool IsKeyedKind(TfsLineKind kind) {
  return kind == TfsLineKind::Normal || kind == TfsLineKind::EndToken ||
         kind == TfsLineKind::Newline || kind == TfsLineKind::ControlCode ||
         kind == TfsLineKind::TableSwitch;
}

TfsKey DecodeTfsKey(std::string_view spelling) {
  TfsKey key;
  if (spelling.starts_with('%')) {
    const std::string_view digits = spelling.substr(1);
    key.bits = static_cast<std::uint32_t>(digits.size());
    key.bytes.assign((digits.size() + 7) / 8, '\0');
    // The last digit is the lowest bit of the last byte.
    std::size_t bit = key.bytes.size() * 8 - digits.size();
    for (char c : digits) {
      if (c == '1')
        key.bytes[bit / 8] = static_cast<char>(key.bytes[bit / 8] | (0x80 >> (bit % 8)));
      ++bit;
    }
    return key;
  }
  key.bytes.assign((spelling.size() + 1) / 2, '\0');
  key.bits = static_cast<std::uint32_t>(key.bytes.size() * 8);
  std::size_t nibble = key.bytes.size() * 2 - spelling.size();
  for (char c : spelling) {
    const int v = HexValue(c) < 0 ? 0 : HexValue(c);
    char& b = key.bytes[nibble / 2];
    b = static_cast<char>(b | (nibble % 2 ? v : v << 4));
    ++nibble;
  }
  return key;
}

std::string HexSpelling(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0xF]);
  }
  return out;
}

TfsControlCode ParseControlCode(std::string_view text) {
  TfsControlCode code;
  std::vector<std::string_view> fields = Fields(text);
  std::string_view label = fields.front();
  if (label.ends_with("\\n")) {
    code.labelNewline = true;
    label.remove_suffix(2);
  }
  code.label = label;
  long n = 0;
  if (fields.size() == 2 && ReadLong(fields[1], n) && n >= 0) {
    code.linkedBytes = static_cast<int>(n);
    return code;
  }
  for (std::size_t i = 1; i < fields.size(); ++i) {
    TfsParameter parameter{fields[i]};
    const std::string_view f = fields[i];
    for (std::size_t p = f.find('%'); p != std::string_view::npos && p + 1 < f.size();
         p = f.find('%', p + 2)) {
      const char c = f[p + 1];
      if (c == 'D' || c == 'X' || c == 'B') {
        parameter.format = c;
        break;
      }
    }
    code.parameters.push_back(parameter);
  }
  return code;
}

TfsTableSwitch ParseTableSwitch(std::string_view text) {
  TfsTableSwitch result;
  std::vector<std::string_view> fields = Fields(text);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string_view f = fields[i];
    const std::size_t colon = f.rfind(':');
    if (colon == std::string_view::npos) continue;
    std::string_view id = Unbracketed(f.substr(0, colon));
    if (!id.starts_with('@')) continue;
    result.target = id.substr(1);
    result.label = i > 0 ? fields[0] : std::string_view();
    const std::string_view type = f.substr(colon + 1);
    long n = 0;
    // A "$hex" or "%bin" type ends the table at that byte rather than after
    // a count: read as "until no entry matches".
    result.count = ReadLong(type, n) ? n : 0;
    result.understood = true;
    return result;
  }
  result.label = fields.front();
  long n = 0;
  const bool counted = fields.size() == 2 && ReadLong(fields[1], n);
  if (counted) result.count = n;
  if (counted && fields[0].size() >= 2 && fields[0].front() == '[' && fields[0].back() == ']') {
    result.target = Unbracketed(fields[0]);
    result.label = {};
    result.understood = true;
  }
  return result;
}

}  // namespace mojihyo
