#include "ui/byte_text.h"

#include <QFile>

namespace mojihyo::ui {

QString ToDisplay(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string FromDisplay(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c <= 0xFF) {
      bytes.push_back(static_cast<char>(c));
      continue;
    }
    // Take a surrogate pair as one character.
    qsizetype n = (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) ? 2 : 1;
    bytes += text.mid(i, n).toUtf8().toStdString();
    i += n - 1;
  }
  return bytes;
}

QString PathToDisplay(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromDisplay(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace mojihyo::ui
