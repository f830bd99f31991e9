#pragma once

// The form a table file stores its text in. Tables are bytes, and nearly
// every table is an 8-bit file; some are saved by Windows editors as UTF-16.
// Those are read through UTF-8, which every reader and writer handles as
// bytes, and written back in the form they came in.

#include "core/file_io.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace mojihyo {

enum class TextForm { Bytes, Utf16Le, Utf16LeBom, Utf16Be, Utf16BeBom };

inline bool IsUtf16(TextForm form) { return form != TextForm::Bytes; }

// "UTF-16LE", "UTF-16BE with byte-order mark" and so on; empty for bytes.
std::string_view TextFormName(TextForm form);

// How a file's bytes hold their text: UTF-16 when they start with its
// byte-order mark, or when they have the pattern of ASCII text in UTF-16
// (every other byte zero) without one; else bytes.
TextForm DetectTextForm(std::string_view bytes);

// UTF-16 file bytes in `form` (the byte-order mark, when the form has one,
// is dropped) as UTF-8. Fails, saying where, when they are not UTF-16: an
// odd number of bytes, or a surrogate without its other half.
FileResult DecodeUtf16(std::string_view bytes, TextForm form, std::string& utf8);

// Takes UTF-8 and hands it on as UTF-16 in `form`, the byte-order mark
// first when the form has one. Pieces may split a character anywhere.
class Utf16Encoder : public ByteSink {
public:
  Utf16Encoder(ByteSink& out, TextForm form);
  void Write(std::string_view utf8) override;
  // Empty when every byte was UTF-8; else the line that held the first
  // byte that was not, which UTF-16 cannot hold.
  FileResult Finish();

private:
  void Put(char32_t c);
  void Flush();

  ByteSink& out_;
  bool bigEndian_;
  std::string pending_;  // a character begun in one piece, ended in the next
  std::array<char, 1 << 16> buffer_;
  std::size_t used_ = 0;
  std::size_t line_ = 1;
  std::size_t badLine_ = 0;
};

}  // namespace mojihyo
