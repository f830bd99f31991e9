#include "core/text_form.h"

#include <algorithm>

namespace mojihyo {

namespace {

bool BigEndian(TextForm form) { return form == TextForm::Utf16Be || form == TextForm::Utf16BeBom; }
bool HasMark(TextForm form) { return form == TextForm::Utf16LeBom || form == TextForm::Utf16BeBom; }

char16_t UnitAt(std::string_view bytes, std::size_t i, bool bigEndian) {
  const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
  return static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
}

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

std::size_t Utf8Length(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | c >> 6));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | c >> 12));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | c >> 18));
    out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// One UTF-8 character at the start of `p`: its length, 0 when `p` ends
// before the character does, -1 when the bytes are no character (overlong
// forms and encoded surrogates included).
int DecodeUtf8(std::string_view p, char32_t& c) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(p[i]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  int length;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return -1;
  }
  c = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if (static_cast<std::size_t>(i) >= p.size()) return 0;
    const unsigned char b = at(static_cast<std::size_t>(i));
    if (i == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80) return -1;
    c = c << 6 | (b & 0x3F);
  }
  return length;
}

}  // namespace

std::string_view TextFormName(TextForm form) {
  switch (form) {
    case TextForm::Bytes: return {};
    case TextForm::Utf16Le: return "UTF-16LE";
    case TextForm::Utf16LeBom: return "UTF-16LE with byte-order mark";
    case TextForm::Utf16Be: return "UTF-16BE";
    case TextForm::Utf16BeBom: return "UTF-16BE with byte-order mark";
  }
  return {};
}

TextForm DetectTextForm(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return TextForm::Utf16LeBom;
  if (bytes.starts_with("\xFE\xFF")) return TextForm::Utf16BeBom;
  // Without a mark, the lines' hex digits and signs give UTF-16 away: one
  // byte of each of their characters is zero. Text in a table's own 8-bit
  // encoding has no zero bytes, or a few.
  const std::size_t pairs = std::min<std::size_t>(bytes.size(), 4096) / 2;
  std::size_t zeroSecond = 0, zeroFirst = 0;
  for (std::size_t i = 0; i < pairs; ++i) {
    const char a = bytes[2 * i], b = bytes[2 * i + 1];
    zeroSecond += a != 0 && b == 0;
    zeroFirst += a == 0 && b != 0;
  }
  const auto dominant = [pairs](std::size_t mine, std::size_t other) {
    return mine >= 2 && 2 * mine >= pairs && mine >= 4 * other;
  };
  if (dominant(zeroSecond, zeroFirst)) return TextForm::Utf16Le;
  if (dominant(zeroFirst, zeroSecond)) return TextForm::Utf16Be;
  return TextForm::Bytes;
}

FileResult DecodeUtf16(std::string_view bytes, TextForm form, std::string& utf8) {
  const std::size_t start = HasMark(form) ? 2 : 0;
  if (bytes.size() < start || (bytes.size() - start) % 2 != 0)
    return {"not valid UTF-16: an odd number of bytes"};
  const bool big = BigEndian(form);
  // One pass to check and measure, one to write: the text is built in a
  // buffer of its exact size, which a large file needs.
  std::size_t length = 0;
  for (std::size_t i = start; i < bytes.size(); i += 2) {
    const char16_t u = UnitAt(bytes, i, big);
    if (IsHighSurrogate(u) && i + 2 < bytes.size() && IsLowSurrogate(UnitAt(bytes, i + 2, big))) {
      length += 4;
      i += 2;
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      return {"not valid UTF-16: a surrogate without its other half at byte " + std::to_string(i)};
    } else {
      length += Utf8Length(u);
    }
  }
  utf8.clear();
  utf8.reserve(length);
  for (std::size_t i = start; i < bytes.size(); i += 2) {
    char32_t c = UnitAt(bytes, i, big);
    if (IsHighSurrogate(c)) {
      c = 0x10000 + ((c - 0xD800) << 10) + (UnitAt(bytes, i + 2, big) - 0xDC00);
      i += 2;
    }
    AppendUtf8(utf8, c);
  }
  return {};
}

Utf16Encoder::Utf16Encoder(ByteSink& out, TextForm form) : out_(out), bigEndian_(BigEndian(form)) {
  if (HasMark(form)) Put(0xFEFF);
}

void Utf16Encoder::Write(std::string_view utf8) {
  char32_t c;
  if (!pending_.empty()) {
    const std::size_t had = pending_.size();
    pending_.append(utf8.substr(0, 4 - had));
    const int n = DecodeUtf8(pending_, c);
    if (n == 0) return;  // still not the whole character: the piece was short
    pending_.clear();
    if (n < 0) {
      if (badLine_ == 0) badLine_ = line_;
    } else {
      Put(c);
      utf8.remove_prefix(static_cast<std::size_t>(n) - had);
    }
  }
  while (!utf8.empty()) {
    // Tables are mostly ASCII: hex digits, signs and line ends.
    if (static_cast<unsigned char>(utf8[0]) < 0x80) {
      if (utf8[0] == '\n') ++line_;
      Put(static_cast<unsigned char>(utf8[0]));
      utf8.remove_prefix(1);
      continue;
    }
    const int n = DecodeUtf8(utf8, c);
    if (n == 0) {
      pending_.assign(utf8);
      return;
    }
    if (n < 0) {
      if (badLine_ == 0) badLine_ = line_;
      utf8.remove_prefix(1);
      continue;
    }
    if (c == '\n') ++line_;
    Put(c);
    utf8.remove_prefix(static_cast<std::size_t>(n));
  }
}

void Utf16Encoder::Put(char32_t c) {
  // Room for a surrogate pair is always left.
  if (used_ + 4 > buffer_.size()) Flush();
  const auto unit = [this](char32_t u) {
    const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
    buffer_[used_++] = bigEndian_ ? high : low;
    buffer_[used_++] = bigEndian_ ? low : high;
  };
  if (c >= 0x10000) {
    unit(0xD800 + ((c - 0x10000) >> 10));
    unit(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    unit(c);
  }
}

void Utf16Encoder::Flush() {
  out_.Write(std::string_view(buffer_.data(), used_));
  used_ = 0;
}

FileResult Utf16Encoder::Finish() {
  if (!pending_.empty() && badLine_ == 0) badLine_ = line_;
  pending_.clear();
  Flush();
  if (badLine_ == 0) return {};
  return {"line " + std::to_string(badLine_) +
          " holds bytes that are not UTF-8 text, which a UTF-16 file cannot hold"};
}

}  // namespace mojihyo
