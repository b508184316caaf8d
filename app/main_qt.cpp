// Start-up on Qt: the main window, then the event loop until the last window closes.

#include <QApplication>

#include "windows/qt/qt_platform.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);  // command-line arguments mean nothing to the program
  windows::qt::QtPlatform platform;
  platform.Start();
  return application.exec();
}
