// Start-up on Linux: the main window on the desktop, then Qt's event loop until the last window
// closes; with no desktop that answers, in the terminal the program was started from.
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/console.h"
#include "app/desktop.h"
#include "app/qt_icon.h"
#include "app/version.h"
#include "ui/forms.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_engine.h"

int main(int, char* argv[]) {
  // With no display that answers, the terminal the program was started from shows it, if any;
  // Qt, left to find the display gone, would abort. An explicit platform is Qt's to find.
  if (!std::getenv("QT_QPA_PLATFORM")) {
    const Desktop display = FindDesktop();
    if (display == Desktop::kNone || display == Desktop::kSilent) {
      const bool terminal = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
      if (display == Desktop::kSilent) {
        std::string named;
        for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
          const char* value = std::getenv(variable);
          if (value && *value) named += (named.empty() ? "" : ", ") + std::string(variable) + "=" + value;
        }
        std::fprintf(stderr, "quorvel: the display (%s) did not answer%s\n", named.c_str(),
                     terminal ? "; shown in the terminal instead"
                              : ", and there is no terminal to show the calculator in either "
                                "(over SSH, ssh -t gives it one)");
      } else if (!terminal) {
        std::fputs("quorvel: there is neither a display nor a terminal to show the calculator on "
                   "(over SSH, ssh -t gives it a terminal)\n", stderr);
      }
      return terminal ? ShowInTerminal() : 1;
    }
    // Not the Wayland compositor that did not answer.
    if (display == Desktop::kX) setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  std::jthread fonts = ui::qt::ReadFontConfiguration();
  // On Wayland the windows draw their own title bars (title_bar.h): Qt's decorations, and the
  // graphics library it loads only to ask whether it can draw them, are not wanted, and cost a
  // fifth of the time to the first frame and 50 MiB.
  qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
  QApplication::setApplicationName(QStringLiteral("quorvel"));
  QApplication::setOrganizationName(QStringLiteral("Prelvane"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
  // The command line means nothing to the program, Qt's own options neither.
  int arguments = 1;
  QApplication application(arguments, argv);
  fonts.join();
  // The icon once the first window is painted: decoding it and handing it to the window system
  // would hold that frame back.
  struct IconAfterFirstPaint final : QObject {
    bool eventFilter(QObject* watched, QEvent* event) override {
      const auto* widget = qobject_cast<QWidget*>(watched);
      if (event->type() == QEvent::Paint && widget && widget->isWindow()) {
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, [] { QApplication::setWindowIcon(ApplicationIcon()); });
      }
      return false;
    }
  } icon;
  application.installEventFilter(&icon);

  ui::qt::QtEngine engine;
  ui::Core core(engine, ui::Calculator());
  core.Start();
  return application.exec();
}
