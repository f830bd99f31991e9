#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

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
  // A stand-in is only looked at when the font itself is not installed, so
  // there is no need to list the installed fonts first (that alone loads
  // the whole font database at start-up). Kana and kanji come from a
  // Japanese font whichever font stands in.
  for (const auto& s : kSubstitutes)
    QFont::insertSubstitutions(QString::fromLatin1(s.family),
                               s.standIns + QStringList{"IPAGothic", "IPAPGothic"});
}

FontConfigWarmUp::FontConfigWarmUp() : thread_([] { FcInit(); }) {}

void FontConfigWarmUp::ReadFontListAside() {
  Wait();
  // The font database may be used from any thread.
  thread_ = std::thread([] { QFontDatabase::families(); });
}

}  // namespace mojihyo::ui
