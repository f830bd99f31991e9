#include "ui/app_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QStyleOption>

#include <functional>

namespace mojihyo::ui {

namespace {

// An icon made the first time anything asks it for a picture or a size.
class DeferredIconEngine : public QIconEngine {
public:
  explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  // Sizes come in device pixels, as the icon asks its engine.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().pixmap(size, 1.0, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return icon().pixmap(size / scale, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return icon().availableSizes(mode, state);
  }
  // Asked as the arrow is set up: the style always has the arrow.
  bool isNull() override { return false; }
  QString key() const override { return QStringLiteral("MoJiHyoDeferred"); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
  const QIcon& icon() {
    if (make_) {
      icon_ = make_();
      make_ = nullptr;
    }
    return icon_;
  }

  std::function<QIcon()> make_;
  QIcon icon_;
};

}  // namespace

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                             const QWidget* widget) const {
  if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
    return QProxyStyle::standardIcon(icon, option, widget);
  // The arrow points the way the text runs; that is all the option and the
  // widget are asked, and they may be gone by the time it is drawn.
  QStyleOption later;
  later.direction = option ? option->direction
                    : widget ? widget->layoutDirection()
                             : QGuiApplication::layoutDirection();
  QPointer<const QStyle> base = baseStyle();
  return QIcon(new DeferredIconEngine([base, icon, later] {
    return base ? base->standardIcon(icon, &later) : QIcon();
  }));
}

void UseAppStyle() {
  QApplication::setStyle(new AppStyle(QApplication::style()->name()));
}

}  // namespace mojihyo::ui
