// Start-up on Qt: the main window, then the event loop until the last window closes.

#include <QApplication>

#include "app/qt_icon.h"
#include "app/version.h"
#include "ui/forms.h"
#include "ui/qt/qt_engine.h"

int main(int argc, char* argv[]) {
  QApplication::setApplicationName(QStringLiteral("quorvel"));
  QApplication::setOrganizationName(QStringLiteral("Prelvane"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
  QApplication application(argc, argv);  // command-line arguments mean nothing to the program
  QApplication::setWindowIcon(ApplicationIcon());

  ui::qt::QtEngine engine;
  ui::Core core(engine, ui::Calculator());
  core.Start();
  return application.exec();
}
