#include "windows/qt/fonts.h"

#include <QStringList>

#include "windows/qt/text.h"

namespace windows::qt {

QFont FontFor(const FontDesign& font) {
  QFont result;
  if (font.face == u"宋体") {
    // SimSun where it is installed; otherwise a Song (Ming) face close to it, rather than
    // whatever fontconfig would alias an unknown family to.
    result.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                        QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
  } else {
    result.setFamily(ToQString(font.face));
  }
  result.setPixelSize(FontPixels(font));
  result.setBold(font.bold);
  return result;
}

}  // namespace windows::qt
