#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace mojihyo::ui {

void InstallFontSubstitutes() {
  const struct {
    const char* family;
    QStringList standIns;
  } kSubstitutes[] = {
      {"Tahoma", {"DejaVu Sans", "Liberation Sans"}},
      {"Arial", {"Liberation Sans", "DejaVu Sans"}},
      {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
      {"Impact", {"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans"}},
  };
  const QStringList installed = QFontDatabase::families();
  for (const auto& s : kSubstitutes) {
    const QString family = QString::fromLatin1(s.family);
    if (installed.contains(family)) continue;
    // Kana and kanji come from a Japanese font whichever font stands in.
    QFont::insertSubstitutions(family, s.standIns + QStringList{"IPAGothic", "IPAPGothic"});
  }
}

}  // namespace mojihyo::ui
