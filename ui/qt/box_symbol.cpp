#include "ui/qt/box_symbol.h"

#include <QPainter>
#include <QPainterPath>

namespace ui::qt {

// Drawn on a 32 x 32 grid, scaled to the size asked for.
QPixmap BoxSymbol(MessageIcon icon, int size, qreal devicePixelRatio) {
  QPixmap pixmap(QSize(size, size) * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  if (icon == MessageIcon::kError) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd3, 0x2f, 0x2f));
    painter.drawEllipse(QPointF(16, 16), 15, 15);
    painter.setPen(QPen(Qt::white, 3.5));
    painter.drawLine(QPointF(10, 10), QPointF(22, 22));
    painter.drawLine(QPointF(22, 10), QPointF(10, 22));
  } else {
    QPainterPath triangle;
    triangle.addPolygon(
        QPolygonF({QPointF(16, 2), QPointF(31, 29), QPointF(1, 29), QPointF(16, 2)}));
    painter.setPen(QPen(QColor(0xa6, 0x6f, 0x00), 1));
    painter.setBrush(QColor(0xf4, 0xb4, 0x00));
    painter.drawPath(triangle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(
        QPolygonF({QPointF(14.5, 10), QPointF(17.5, 10), QPointF(16.9, 20), QPointF(15.1, 20)}));
    painter.drawRect(QRectF(14.6, 22.5, 2.8, 2.8));
  }
  return pixmap;
}

}  // namespace ui::qt
