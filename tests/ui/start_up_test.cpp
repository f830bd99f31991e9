// The pieces that keep the start-up short: the window icon read by libpng,
// and the style that reads the menu bar's overflow arrow only when drawn.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStyleFactory>

#include <memory>

#include "ui/app_style.h"
#include "ui/window_icon.h"

namespace mojihyo::ui {
namespace {

TEST(WindowIcon, ReadsEveryIconPictureAsTheToolkitDoes) {
  const QDir icons(QStringLiteral(MOJIHYO_ICONS));
  int read = 0;
  for (const QString& size : icons.entryList({"*x*"}, QDir::Dirs)) {
    for (const QString& name : QDir(icons.filePath(size)).entryList({"*.png"})) {
      QFile file(icons.filePath(size + "/" + name));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      const QByteArray bytes = file.readAll();
      const QImage expected = QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_RGBA8888);
      EXPECT_EQ(ReadPng(bytes), expected) << qPrintable(size);
      // Cut short or not a PNG at all: no picture, and no crash.
      EXPECT_TRUE(ReadPng(bytes.left(bytes.size() / 2)).isNull()) << qPrintable(size);
      ++read;
    }
  }
  EXPECT_GE(read, 6);
  EXPECT_TRUE(ReadPng(QByteArray("GIF89a not a png")).isNull());
  EXPECT_TRUE(ReadPng(QByteArray()).isNull());
}

TEST(AppStyle, DrawsTheOverflowArrowAndEveryOtherIconAsItsBaseStyle) {
  AppStyle style(QStringLiteral("Fusion"));
  const std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
  for (auto icon : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
                    QStyle::SP_DialogOkButton}) {
    const QIcon ours = style.standardIcon(icon);
    const QIcon theirs = base->standardIcon(icon);
    EXPECT_FALSE(ours.isNull()) << icon;
    EXPECT_EQ(ours.availableSizes(), theirs.availableSizes()) << icon;
    for (int size : {8, 16, 32})
      for (qreal scale : {1.0, 2.0}) {
        const QPixmap a = ours.pixmap(QSize(size, size), scale), b = theirs.pixmap(QSize(size, size), scale);
        EXPECT_EQ(a.devicePixelRatio(), b.devicePixelRatio()) << icon << " " << size << " " << scale;
        EXPECT_EQ(a.toImage(), b.toImage()) << icon << " " << size << " " << scale;
      }
  }
}

}  // namespace
}  // namespace mojihyo::ui
