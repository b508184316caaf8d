#include "app/qt_icon.h"

#include <QString>

#include "app/version.h"

// The files load only when a size is first drawn.
QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/icons/icons/" QUORVEL_APP_ID "-%1.png").arg(size),
                 QSize(size, size));
  }
  return icon;
}
