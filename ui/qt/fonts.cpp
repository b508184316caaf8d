#include "ui/qt/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QStringList>

#include "ui/qt/text.h"
#include "ui/song.h"

namespace ui::qt {
namespace {

// SimSun where it is installed; otherwise a Song (Ming) face close to it, rather than whatever
// fontconfig would alias an unknown family to. Chosen once: a single family is also quicker to
// resolve than a list whose first names are missing.
QString SongFamily() {
  static const QString family = [] {
    QStringList candidates{ToQString(kSongFace)};
    for (const std::u16string_view fallback : kSongFallbacks) candidates << ToQString(fallback);
    for (const QString& candidate : candidates) {
      if (QFontDatabase::hasFamily(candidate)) return candidate;
    }
    return candidates.front();
  }();
  return family;
}

}  // namespace

QFont FontFor(const FontDesign& font) {
  QFont result(font.face == kSongFace ? SongFamily() : ToQString(font.face));
  result.setPixelSize(FontPixels(font));
  result.setBold(font.bold);
  return result;
}

std::jthread ReadFontConfiguration() {
  return std::jthread([] { FcInit(); });
}

}  // namespace ui::qt
