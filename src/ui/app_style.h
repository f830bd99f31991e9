#pragma once

#include <QProxyStyle>

namespace mojihyo::ui {

// The toolkit's own style, with one difference: the arrow a menu bar shows
// when its menus do not fit is read from its picture only when it is first
// drawn. Reading a picture makes the toolkit load and ask every image format
// plugin installed, which costs milliseconds at every start, for an arrow
// that a window wide enough for the grid never shows.
class AppStyle : public QProxyStyle {
public:
  using QProxyStyle::QProxyStyle;

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

// Puts the style in front of the one the application uses (its default, or
// the one named by -style). Call it before the first window is made.
void UseAppStyle();

}  // namespace mojihyo::ui
