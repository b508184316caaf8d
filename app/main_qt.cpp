// Start-up on Linux: the main window on the desktop, then Qt's event loop until the last window
// closes; with no desktop to show it on, in the terminal the program was started from.
#include <unistd.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "app/console.h"
#include "app/qt_icon.h"
#include "app/version.h"
#include "ui/forms.h"
#include "ui/qt/qt_engine.h"

namespace {

// Whether Qt has somewhere to show the windows: an X or Wayland display, or a platform named.
bool HasDisplay() {
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

}  // namespace

int main(int, char* argv[]) {
  if (!HasDisplay()) {
    if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO)) return ShowInTerminal();
    std::fputs("quorvel: there is neither a display nor a terminal to show the calculator on "
               "(over SSH, ssh -t gives it a terminal)\n", stderr);
    return 1;
  }
  QApplication::setApplicationName(QStringLiteral("quorvel"));
  QApplication::setOrganizationName(QStringLiteral("Prelvane"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
  // The command line means nothing to the program, Qt's own options neither.
  int arguments = 1;
  QApplication application(arguments, argv);
  QApplication::setWindowIcon(ApplicationIcon());

  ui::qt::QtEngine engine;
  ui::Core core(engine, ui::Calculator());
  core.Start();
  return application.exec();
}
