#pragma once

// The one place where document bytes become on-screen text and back.
//
// Document text is bytes in whatever encoding the game uses. The screen shows
// it decoded in the display encoding the user chose, but only where the bytes
// decode cleanly and encode back to exactly the same bytes; anything else is
// shown one byte per character (00h-FFh), so every byte value stays visible
// and nothing shown can stand for two different byte strings.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

class QLineEdit;

namespace mojihyo {
struct FontTable;
}

namespace mojihyo::ui {

enum class DisplayEncoding { Utf8, EucJp, ShiftJis, Latin1 };

// "UTF-8", "EUC-JP", "Shift-JIS", "Latin-1".
QString DisplayEncodingName(DisplayEncoding encoding);

// Whether `bytes` decode cleanly, and back, in `encoding`.
bool DecodesCleanly(std::string_view bytes, DisplayEncoding encoding);

// The encoding a table is best shown in: the first of UTF-8, EUC-JP and
// Shift-JIS that decodes every entry and 16-bit value holding a byte of 80h
// or more, else Latin-1.
DisplayEncoding DetectDisplayEncoding(const FontTable& table);

// Document bytes as one display encoding shows them, and typed text back
// as bytes. The main window owns the encoding the user chose and hands a
// ByteText to every window that shows or takes document text.
class ByteText {
public:
  explicit ByteText(DisplayEncoding encoding = DisplayEncoding::EucJp) : encoding_(encoding) {}

  DisplayEncoding encoding() const { return encoding_; }

  // Bytes as the screen shows them.
  QString ToDisplay(std::string_view bytes) const;

  // The bytes of text the user typed. `shownFrom` are the bytes the text was
  // shown from before the edit: where they were shown one byte per
  // character, characters 00h-FFh stay single bytes. Otherwise each
  // character is encoded in the display encoding, and one it cannot hold but
  // that lies in 00h-FFh becomes that byte. Nothing when a character fits
  // neither way, or is a line break (a table line cannot hold one).
  std::optional<std::string> FromTyped(const QString& text, std::string_view shownFrom = {}) const;

  // The bytes of a box that was filled from `original`: the original bytes
  // themselves while the box still shows them, else what was typed, without
  // line breaks (a character that fits no way is kept as UTF-8 rather than
  // lost).
  std::string BytesOfBox(const QString& text, std::string_view original = {}) const;

  // Refuses, as it is typed, any character FromTyped cannot store: the box
  // keeps the text it had.
  void GuardTypedText(QLineEdit* box) const;

private:
  DisplayEncoding encoding_;
};

// File paths as the document stores them (the system's own encoding of
// file names) and as the screen shows them.
QString PathToDisplay(const std::string& path);
std::string PathFromDisplay(const QString& path);

}  // namespace mojihyo::ui
