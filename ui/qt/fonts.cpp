#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "ui/qt/text.h"

namespace ui::qt {
namespace {

// SimSun where it is installed; otherwise a Song (Ming) face close to it, rather than whatever
// fontconfig would alias an unknown family to. Chosen once: a single family is also quicker to
// resolve than a list whose first names are missing.
QString SongFamily() {
  static const QString family = [] {
    const QStringList candidates{QStringLiteral("SimSun"), QStringLiteral("宋体"),
                                 QStringLiteral("AR PL UMing CN"),
                                 QStringLiteral("Noto Serif CJK SC")};
    for (const QString& candidate : candidates) {
      if (QFontDatabase::hasFamily(candidate)) return candidate;
    }
    return candidates.front();
  }();
  return family;
}

}  // namespace

QFont FontFor(const FontDesign& font) {
  QFont result(font.face == u"宋体" ? SongFamily() : ToQString(font.face));
  result.setPixelSize(FontPixels(font));
  result.setBold(font.bold);
  return result;
}

}  // namespace ui::qt
