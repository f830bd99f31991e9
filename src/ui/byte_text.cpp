#include "ui/byte_text.h"

#include "core/font_table.h"
#include "entries16/entry_line.h"

#include <QFile>
#include <QLineEdit>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace mojihyo::ui {

namespace {

const char* IcuName(DisplayEncoding e) {
  switch (e) {
    case DisplayEncoding::Utf8: return "UTF-8";
    case DisplayEncoding::EucJp: return "EUC-JP";
    case DisplayEncoding::ShiftJis: return "windows-31j";  // Shift-JIS with the CP932 rows
    case DisplayEncoding::Latin1: return "ISO-8859-1";
  }
  return "ISO-8859-1";
}

constexpr auto kFlags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString OneBytePerCharacter(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::optional<QString> Decoded(std::string_view bytes, DisplayEncoding e) {
  if (e == DisplayEncoding::Latin1 || IsAscii(bytes)) return OneBytePerCharacter(bytes);
  // A fresh converter each time: Qt's ICU converters keep an error once
  // they have met one, whatever resetState() says, and opening one is cheap.
  QStringDecoder decoder(IcuName(e), kFlags);
  QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (decoder.hasError()) return std::nullopt;
  QStringEncoder encoder(IcuName(e), kFlags);
  const QByteArray back = encoder.encode(text);
  if (encoder.hasError() || std::string_view(back.constData(), static_cast<std::size_t>(back.size())) != bytes)
    return std::nullopt;
  return text;
}

// One character (a code point, a surrogate pair kept together) in `e`.
std::optional<std::string> EncodedCharacter(QStringView character, DisplayEncoding e) {
  if (e == DisplayEncoding::Latin1) return std::nullopt;
  QStringEncoder encoder(IcuName(e), kFlags);
  const QByteArray bytes = encoder.encode(character);
  if (encoder.hasError() || bytes.isEmpty()) return std::nullopt;
  return bytes.toStdString();
}

template <typename PerCharacter>
bool ForEachCharacter(const QString& text, PerCharacter&& f) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype n =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    if (!f(QStringView(text).mid(i, n))) return false;
    i += n - 1;
  }
  return true;
}

}  // namespace

QString DisplayEncodingName(DisplayEncoding encoding) {
  switch (encoding) {
    case DisplayEncoding::Utf8: return QStringLiteral("UTF-8");
    case DisplayEncoding::EucJp: return QStringLiteral("EUC-JP");
    case DisplayEncoding::ShiftJis: return QStringLiteral("Shift-JIS");
    case DisplayEncoding::Latin1: return QStringLiteral("Latin-1");
  }
  return {};
}

bool DecodesCleanly(std::string_view bytes, DisplayEncoding encoding) {
  return Decoded(bytes, encoding).has_value();
}

namespace {

// Whether every text decodes cleanly. A converter for each of a large
// table's many values would cost seconds, so the values go to the
// converter a megabyte at a time, each ended by a line break: none holds
// one, and in these encodings a character never spans one, so the batch
// decodes cleanly and back exactly when each value does.
class CleanCheck {
public:
  explicit CleanCheck(DisplayEncoding e) : e_(e) {}
  bool Add(std::string_view text) {
    bool ascii = true, lineBreak = false;
    for (const char c : text) {
      ascii &= static_cast<unsigned char>(c) < 0x80;
      lineBreak |= c == '\r' || c == '\n';
    }
    if (ascii) return true;
    if (lineBreak) return DecodesCleanly(text, e_);
    batch_.append(text);
    batch_.push_back('\n');
    return batch_.size() < (1 << 20) || Flush();
  }
  bool Flush() {
    const bool clean = batch_.empty() || DecodesCleanly(batch_, e_);
    batch_.clear();
    return clean;
  }

private:
  DisplayEncoding e_;
  std::string batch_;
};

bool AllDecodeCleanly(const FontTable& table, DisplayEncoding e) {
  CleanCheck check(e);
  for (const std::string& text : table.EntryText)
    if (!check.Add(text)) return false;
  for (std::string_view line : table.SixteenBitEntries)
    if (!check.Add(EntryLineValue(line))) return false;
  return check.Flush();
}

}  // namespace

DisplayEncoding DetectDisplayEncoding(const FontTable& table) {
  for (DisplayEncoding e : {DisplayEncoding::Utf8, DisplayEncoding::EucJp, DisplayEncoding::ShiftJis}) {
    if (AllDecodeCleanly(table, e)) return e;
  }
  return DisplayEncoding::Latin1;
}

QString ByteText::ToDisplay(std::string_view bytes) const {
  if (auto text = Decoded(bytes, encoding_)) return *text;
  return OneBytePerCharacter(bytes);
}

std::optional<std::string> ByteText::FromTyped(const QString& text, std::string_view shownFrom) const {
  const bool asBytes = encoding_ == DisplayEncoding::Latin1 || !DecodesCleanly(shownFrom, encoding_);
  std::string bytes;
  const bool ok = ForEachCharacter(text, [&](QStringView c) {
    const char16_t code = c.size() == 1 ? c[0].unicode() : 0xFFFF;
    // A table is made of lines: a line break inside a text would split its
    // line in two when the table is written.
    if (code == '\r' || code == '\n') return false;
    if (asBytes && code <= 0xFF) {
      bytes.push_back(static_cast<char>(code));
      return true;
    }
    if (auto encoded = EncodedCharacter(c, encoding_)) {
      bytes += *encoded;
      return true;
    }
    if (code <= 0xFF) {
      bytes.push_back(static_cast<char>(code));
      return true;
    }
    return false;
  });
  if (!ok) return std::nullopt;
  return bytes;
}

std::string ByteText::BytesOfBox(const QString& text, std::string_view original) const {
  if (text == ToDisplay(original)) return std::string(original);
  QString oneLine = text;
  oneLine.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
  if (auto bytes = FromTyped(oneLine, original)) return *bytes;
  return oneLine.toUtf8().toStdString();
}

void ByteText::GuardTypedText(QLineEdit* box) const {
  box->setProperty("acceptedText", box->text());
  QObject::connect(box, &QLineEdit::textChanged, box, [box, codec = *this](const QString& text) {
    const QString before = box->property("acceptedText").toString();
    if (text == before) return;
    if (codec.FromTyped(text)) {
      box->setProperty("acceptedText", text);
      return;
    }
    const int cursor = box->cursorPosition() - static_cast<int>(text.size() - before.size());
    box->setText(before);
    box->setCursorPosition(std::clamp(cursor, 0, static_cast<int>(before.size())));
  });
}

QString PathToDisplay(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromDisplay(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace mojihyo::ui
