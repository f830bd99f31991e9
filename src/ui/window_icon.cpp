#include "ui/window_icon.h"

#include <QFile>
#include <QPixmap>

#include <png.h>

#include <cstring>

namespace mojihyo::ui {

QImage ReadPng(const QByteArray& bytes) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.constData(), static_cast<std::size_t>(bytes.size())))
    return {};
  png.format = PNG_FORMAT_RGBA;
  // Pictures larger than any icon are not read: a window icon is small.
  if (png.width == 0 || png.height == 0 || png.width > 1024 || png.height > 1024) {
    png_image_free(&png);
    return {};
  }
  QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_RGBA8888);
  if (image.isNull() ||
      !png_image_finish_read(&png, nullptr, image.bits(), static_cast<png_int_32>(image.bytesPerLine()),
                             nullptr)) {
    png_image_free(&png);
    return {};
  }
  return image;
}

QIcon BuiltInIcon(const QString& appId) {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    QFile file(QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(appId));
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QImage picture = ReadPng(file.readAll());
    if (!picture.isNull()) icon.addPixmap(QPixmap::fromImage(picture));
  }
  return icon;
}

}  // namespace mojihyo::ui
