#include "ui/qt/box_symbol.h"

#include <QPainter>
#include <QSvgRenderer>

namespace ui::qt {

QPixmap BoxSymbol(MessageIcon icon, int size, qreal devicePixelRatio) {
  QPixmap pixmap(QSize(size, size) * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QSvgRenderer(icon == MessageIcon::kError ? QStringLiteral(":/symbols/box-error.svg")
                                           : QStringLiteral(":/symbols/box-warning.svg"))
      .render(&painter, QRectF(0, 0, size, size));
  return pixmap;
}

}  // namespace ui::qt
