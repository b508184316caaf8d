// Start-up on Qt: the main window, then the event loop until the last window closes.

#include <QApplication>
#include <QIcon>

#include "app/version.h"
#include "ui/core.h"
#include "ui/qt/qt_engine.h"

namespace {

// Both windows take the application's icon. The files load only when a size is first drawn.
QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/icons/icons/" QUORVEL_APP_ID "-%1.png").arg(size),
                 QSize(size, size));
  }
  return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication::setApplicationName(QStringLiteral("quorvel"));
  QApplication::setOrganizationName(QStringLiteral("Prelvane"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
  QApplication application(argc, argv);  // command-line arguments mean nothing to the program
  QApplication::setWindowIcon(ApplicationIcon());

  ui::qt::QtEngine engine;
  ui::Core core(engine);
  core.Start();
  return application.exec();
}
