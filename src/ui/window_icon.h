#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

namespace mojihyo::ui {

// A PNG file's picture, read by libpng directly. Qt's image reader loads
// and asks every image format plugin installed (GIF, ICO, JPEG...) before
// it reads a PNG, which costs milliseconds at every start. A null image if
// the bytes are not a PNG that libpng can read.
QImage ReadPng(const QByteArray& bytes);

// The window's icon from its pictures built in under :/icons, 16 to 256
// pixels wide.
QIcon BuiltInIcon(const QString& appId);

}  // namespace mojihyo::ui
