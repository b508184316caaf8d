// The baseline of the start-up benchmark: a bare Qt Widgets window with the main window's widget
// set (two buttons, two options, two line edits, four labels) and nothing else.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare"));
  window.setFixedSize(308, 165);
  (new QPushButton(QStringLiteral("了解原理"), &window))->setGeometry(21, 126, 63, 24);
  (new QPushButton(QStringLiteral("开始计算"), &window))->setGeometry(220, 122, 74, 32);
  (new QRadioButton(QStringLiteral("新算法"), &window))->setGeometry(17, 38, 63, 23);
  (new QRadioButton(QStringLiteral("旧算法"), &window))->setGeometry(17, 17, 63, 23);
  (new QLineEdit(&window))->setGeometry(157, 74, 95, 32);
  (new QLineEdit(&window))->setGeometry(180, 18, 62, 41);
  (new QLabel(QStringLiteral("MB"), &window))->setGeometry(261, 75, 39, 30);
  (new QLabel(QStringLiteral("应输整数："), &window))->setGeometry(17, 73, 198, 33);
  (new QLabel(QStringLiteral("分区："), &window))->setGeometry(81, 20, 97, 33);
  (new QLabel(QStringLiteral("GB"), &window))->setGeometry(261, 23, 33, 27);
  window.show();
  return application.exec();
}
